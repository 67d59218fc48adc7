#include "evaluation.h"

#include "chance.h"
#include "numtext.h"
#include "sharedwork.h"
#include "subjectcheck.h"
#include "subtotals.h"
#include "summary.h"

#include <algorithm>

namespace tamrik {

namespace {

constexpr int kTopScore = 10000;  // 100.00 in hundredths
constexpr int kTopGpa = 400;      // 4.00
constexpr int kTopPr = 9999;      // 99.99

std::string codeOfSlot(std::size_t slot)
{
    return Format(static_cast<double>(slot + 1), "00");
}

// A value as typed into a two-decimal box and read back.
double typed(double value)
{
    return ShownValue(value, 2);
}

// Digits as page 3 stores them: the typed value without its point.
std::string digitsOf(const std::optional<double>& value, std::string_view pattern, std::string_view none)
{
    if (!value)
        return std::string(none);
    std::string text = Format(*value, pattern);
    text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
    return text;
}

// What the pages hold for one applicant: the remembered scores, the score box
// each subject's row would get back, and the GPA and PR shares.
struct Entries {
    ScoreSlots ScoreByCode;
    ScoreSlots box;  // empty: nothing restored
    std::array<double, kSubjectCount> value{};   // Val of each box, read once for every faculty
    std::string GpaDigits;
    std::string PrDigits;
    std::optional<float> gpaFraction;
    std::optional<float> prFraction;

    void restore(std::size_t slot)
    {
        box[slot] = RestoredScoreText(ScoreByCode, codeOfSlot(slot)).value_or(std::string());
        value[slot] = Val(box[slot]);
    }
};

double boxValueOf(const std::optional<BoxTexts>& boxes)
{
    return boxes ? BoxValue(*boxes) : 0.0;
}

Entries entriesOf(const Applicant& applicant, const ScoringContext& context)
{
    Entries e;
    e.ScoreByCode = ScoreByCodeOf(applicant);
    for (std::size_t slot = 0; slot < kSubjectCount; ++slot)
        e.restore(slot);
    e.GpaDigits = GpaDigitsOf(applicant);
    e.PrDigits = PrDigitsOf(applicant);
    e.gpaFraction = GpaFraction(boxValueOf(GpaBoxesFromDigits(e.GpaDigits)), context.meanText, context.sdText,
                                context.prob);
    e.prFraction = PrFraction(boxValueOf(PrBoxesFromDigits(e.PrDigits)));
    return e;
}

struct Figures {
    Earned main, special, gpa, pr, total;
};

// The score box values of one rule's rows for one applicant: the only part of
// a path that changes, kept apart so that threads share the paths.
struct BoxValues {
    std::vector<double> main, special;
};

// Pages 2 to 4 for one rule, prepared once: the rows as page 2 lays them out
// (only their score boxes change from one applicant to the next), and every
// caption of the rule read back as a number, so that scoring an applicant
// works on the box values alone: the subtotals, the check and the summary's
// figures, each the Val of the caption the pages would show. Read-only once
// prepared.
class FacultyPath {
public:
    explicit FacultyPath(const FacultyRule& rule) { prepare(rule); }

    // Takes up another rule, keeping the room of the one before: one path
    // serves a thread's share of the faculties without allocating anew.
    void prepare(const FacultyRule& rule)
    {
        m_rule = &rule;
        m_codes.clear();
        m_mainSlots.clear();
        m_mainMinimums.clear();
        m_specialSlots.clear();
        m_specialMinimums.clear();
        m_specialWeights.clear();
        for (const auto& row : rule.MainRows) {
            m_codes.push_back(row.SubCod);
            m_mainSlots.push_back(ScoreSlot(row.SubCod));
            m_mainMinimums.push_back(Val(row.MinPercent));
        }
        for (const auto& row : rule.SpecRows) {
            m_codes.push_back(row.SubCod);
            m_specialSlots.push_back(ScoreSlot(row.SubCod));
            m_specialMinimums.push_back(Val(row.MinPercent));
            m_specialWeights.push_back(Val(row.Weight));
        }
        const std::size_t mains = rule.MainRows.size();
        m_mainOrder = SubtotalOrder({m_codes.begin(), m_codes.begin() + static_cast<std::ptrdiff_t>(mains)}, mains,
                                    rule.CalcSubjCode);
        m_specialOrder = SubtotalOrder({m_codes.begin() + static_cast<std::ptrdiff_t>(mains), m_codes.end()},
                                       m_codes.size(), rule.CalcSubjCode);
        m_counted = CountedCodes({m_codes.begin(), m_codes.begin() + static_cast<std::ptrdiff_t>(mains)},
                                 {m_codes.begin() + static_cast<std::ptrdiff_t>(mains), m_codes.end()},
                                 rule.CalcSubjCode);
        m_countedSlots.clear();
        m_partners.clear();
        for (const std::string& code : m_counted) {
            m_countedSlots.push_back(*ScoreSlot(code));
            m_partners.push_back(partnerOf(code));
        }
        const std::string fullShare = FullShareText(rule.ScorePerPercent);
        m_wMain = Val(rule.WMain);
        m_full = {Val(rule.MaxMain), Val(rule.MaxSP), Val(fullShare)};
        m_highest = typed(HighestPossibleScore(rule.MaxSP, rule.MaxMain, fullShare, fullShare));
    }

    // Counted codes without a score; a member of the either-of pair only when
    // its partner, counted too, has none either.
    std::vector<std::string> missing(const Applicant& applicant) const
    {
        std::vector<std::string> codes;
        for (std::size_t i = 0; i < m_counted.size(); ++i) {
            if (isMissing(applicant, i))
                codes.push_back(m_counted[i]);
        }
        return codes;
    }

    bool anyMissing(const Applicant& applicant) const
    {
        for (std::size_t i = 0; i < m_counted.size(); ++i) {
            if (isMissing(applicant, i))
                return true;
        }
        return false;
    }

    const std::vector<std::string>& countedCodes() const { return m_counted; }

    // The score box values as page 2 restores them from the entries.
    void restore(const Entries& e, BoxValues& values) const
    {
        valuesOf(m_mainSlots, e, values.main);
        valuesOf(m_specialSlots, e, values.special);
    }

    // CheckSubjectScores' verdict on the restored values.
    bool failsCheck(const BoxValues& values) const
    {
        const std::vector<double>& main = values.main;
        if (m_rule->Rule0102 && Rule0102Fails(main.size() > 0 ? main[0] : 0.0, main.size() > 1 ? main[1] : 0.0))
            return true;
        for (std::size_t i = 0; i < main.size(); ++i) {
            if (BelowMinimum(main[i], m_mainMinimums[i]))
                return true;
        }
        for (std::size_t i = 0; i < values.special.size(); ++i) {
            if (BelowMinimum(values.special[i], m_specialMinimums[i]))
                return true;
        }
        return false;
    }

    // Page 2's check with its messages, over the box texts. Its rows are laid
    // out here: only the faculties written out in full need them.
    SubjectCheckResult check(const Entries& e) const
    {
        std::vector<SubjectRow> mainCheck, specialCheck;
        for (const auto& row : m_rule->MainRows)
            mainCheck.push_back({row.SubCod, row.SubName, std::string(), row.MinPercent});
        for (const auto& row : m_rule->SpecRows)
            specialCheck.push_back({row.SubCod, row.SubName, std::string(), row.MinPercent});
        textsOf(m_mainSlots, e, mainCheck);
        textsOf(m_specialSlots, e, specialCheck);
        return CheckSubjectScores(mainCheck, specialCheck, m_rule->Rule0102);
    }

    // Page 4's figures for the restored values: BuildSummary's captions read
    // back, each earned figure the Val of its "0.00" text.
    Figures figures(const Entries& e, const BoxValues& values) const
    {
        const double main = MainSubtotalValue(m_mainOrder, values.main.data());
        const double special =
            SpecSubtotalValue(m_specialOrder, values.special.data(), m_specialWeights.data(), m_wMain, m_full[0]);
        const double gpa = e.gpaFraction ? SharePoints(m_rule->ScorePerPercent, *e.gpaFraction) : 0.0;
        const double pr = e.prFraction ? SharePoints(m_rule->ScorePerPercent, *e.prFraction) : 0.0;
        Figures f;
        f.main = {typed(main), m_full[0]};
        f.special = {typed(special), m_full[1]};
        f.gpa = {typed(gpa), m_full[2]};
        f.pr = {typed(pr), m_full[2]};
        f.total = {typed(CompositeScore(special, main, gpa, pr)), m_highest};
        return f;
    }

private:
    bool isMissing(const Applicant& applicant, std::size_t i) const
    {
        const bool partnerScored = m_partners[i] && applicant.Scores[m_countedSlots[*m_partners[i]]];
        return !applicant.Scores[m_countedSlots[i]] && !partnerScored;
    }

    // Where the pair partner of a counted code stands among the counted codes.
    std::optional<std::size_t> partnerOf(const std::string& code) const
    {
        if (!m_rule->PairGroup)
            return std::nullopt;
        const auto& pair = *m_rule->PairGroup;
        const std::string* partner = code == pair.CodeA ? &pair.CodeB : code == pair.CodeB ? &pair.CodeA : nullptr;
        if (!partner)
            return std::nullopt;
        const auto found = std::find(m_counted.begin(), m_counted.end(), *partner);
        if (found == m_counted.end())
            return std::nullopt;
        return static_cast<std::size_t>(found - m_counted.begin());
    }

    // A row whose code has no slot keeps an empty box, which reads as 0.
    static void valuesOf(const std::vector<std::optional<std::size_t>>& slots, const Entries& e,
                         std::vector<double>& values)
    {
        values.resize(slots.size());
        for (std::size_t i = 0; i < slots.size(); ++i)
            values[i] = slots[i] ? e.value[*slots[i]] : 0.0;
    }

    static void textsOf(const std::vector<std::optional<std::size_t>>& slots, const Entries& e,
                        std::vector<SubjectRow>& rows)
    {
        for (std::size_t i = 0; i < slots.size(); ++i)
            rows[i].score = slots[i] ? e.box[*slots[i]] : std::string();
    }

    const FacultyRule* m_rule = nullptr;
    std::vector<std::string> m_codes;  // the main rows' codes, then the special rows'
    std::vector<std::optional<std::size_t>> m_mainSlots, m_specialSlots;
    std::vector<double> m_mainMinimums, m_specialMinimums, m_specialWeights;
    std::vector<std::size_t> m_mainOrder, m_specialOrder;
    std::vector<std::string> m_counted;
    std::vector<std::size_t> m_countedSlots;
    std::vector<std::optional<std::size_t>> m_partners;
    double m_wMain = 0;
    std::array<double, 3> m_full{};  // main, special, GPA and PR each
    double m_highest = 0;
};

// The smallest whole number of hundredths in [from, to] for which `reaches`
// holds, searching a calculation that only grows with its input.
template <typename Reaches>
std::optional<int> smallestReaching(int from, int to, Reaches reaches)
{
    if (!reaches(to))
        return std::nullopt;
    while (from < to) {
        const int mid = from + (to - from) / 2;
        if (reaches(mid))
            to = mid;
        else
            from = mid + 1;
    }
    return from;
}

Needed neededFor(const FacultyPath& path, BoxValues& values, const Entries& entries, const ScoringContext& context,
                 std::int64_t lowest, double composite)
{
    Needed needed;
    needed.points = static_cast<double>(lowest - Hundredths(composite)) / 100;
    Entries probe = entries;
    const auto reaches = [&] {
        path.restore(probe, values);
        return Hundredths(path.figures(probe, values).total.earned) >= lowest;
    };

    for (const std::string& code : path.countedCodes()) {
        const std::size_t slot = *ScoreSlot(code);
        const auto found = smallestReaching(0, kTopScore, [&](int h) {
            probe.ScoreByCode[slot] = NumberText(typed(h / 100.0));
            probe.restore(slot);
            return reaches();
        });
        probe.ScoreByCode[slot] = entries.ScoreByCode[slot];
        probe.box[slot] = entries.box[slot];
        probe.value[slot] = entries.value[slot];
        needed.subjects.emplace_back(code, found ? std::optional<double>(*found / 100.0) : std::nullopt);
    }

    const auto gpa = smallestReaching(1, kTopGpa, [&](int h) {
        probe.gpaFraction = GpaFraction(typed(h / 100.0), context.meanText, context.sdText, context.prob);
        return reaches();
    });
    probe.gpaFraction = entries.gpaFraction;
    if (gpa)
        needed.gpa = *gpa / 100.0;

    const auto pr = smallestReaching(1, kTopPr, [&](int h) {
        probe.prFraction = PrFraction(typed(h / 100.0));
        return reaches();
    });
    if (pr)
        needed.pr = *pr / 100.0;
    path.restore(entries, values);
    return needed;
}

// The cheap part: the figures and what the ranking needs, for every faculty.
struct Scored {
    Figures figures;
    bool failsMinimum = false;
    ChanceResult chance;
};

Scored score(const FacultyPath& path, BoxValues& values, const std::optional<YearRange>& lastYear,
             const Applicant& applicant, const Entries& entries)
{
    path.restore(entries, values);
    Scored s;
    s.figures = path.figures(entries, values);
    s.failsMinimum = path.failsCheck(values);
    s.chance = DecideChance(s.failsMinimum, path.anyMissing(applicant), lastYear, s.figures.total);
    return s;
}

// Shown with "0.00", as page 4 shows them.
std::optional<YearRange> shownRange(const std::optional<YearRange>& range)
{
    if (!range)
        return std::nullopt;
    return YearRange{range->year, typed(range->min), typed(range->max)};
}

FacultyEvaluation header(const FacultyRecord& faculty)
{
    FacultyEvaluation ev;
    ev.facCode = faculty.facCode;
    ev.university = faculty.university;
    ev.name = faculty.name;
    ev.years = faculty.years;
    ev.error = faculty.load.error;
    return ev;
}

FacultyEvaluation evaluate(const FacultyRecord& faculty, const FacultyPath& path, BoxValues& values,
                           const Applicant& applicant, const Entries& entries, const ScoringContext& context,
                           const EvaluateOptions& options)
{
    FacultyEvaluation ev = header(faculty);
    ev.lastYear = shownRange(faculty.lastYear);
    const Scored s = score(path, values, ev.lastYear, applicant, entries);
    if (s.failsMinimum)
        ev.minimums = path.check(entries).messages;
    ev.missing = path.missing(applicant);
    ev.main = s.figures.main;
    ev.special = s.figures.special;
    ev.gpa = s.figures.gpa;
    ev.pr = s.figures.pr;
    ev.total = s.figures.total;
    ev.chance = s.chance.chance;
    ev.marginPoints = s.chance.marginPoints;
    ev.marginPercent = s.chance.marginPercent;
    if (options.needed && ev.minimums.empty() && HasRangeData(ev.lastYear)
        && Hundredths(ev.total.earned) < Hundredths(ev.lastYear->min))
        ev.needed = neededFor(path, values, entries, context, Hundredths(ev.lastYear->min), ev.total.earned);
    return ev;
}

}  // namespace

void RankEvaluations(std::vector<FacultyEvaluation>& all)
{
    const std::size_t count = all.size();
    std::vector<RankKey> keys(count);
    for (std::size_t i = 0; i < count; ++i)
        keys[i] = {all[i].ok(), all[i].chance, all[i].marginPercent, all[i].facCode};
    // Sorted by their keys, side by side in memory, where the evaluations lie
    // a cache line or more apart; then moved into place cycle by cycle, where
    // a second list of 32,767 evaluations cost a tenth of ranking them.
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return KeyRanksBefore(keys[a], keys[b]); });
    // A place that holds its own evaluation is marked by order[place] == place.
    for (std::size_t start = 0; start < count; ++start) {
        if (order[start] == start)
            continue;
        FacultyEvaluation first = std::move(all[start]);
        std::size_t at = start;
        while (order[at] != start) {
            const std::size_t from = order[at];
            all[at] = std::move(all[from]);
            order[at] = at;
            at = from;
        }
        all[at] = std::move(first);
        order[at] = at;
    }
}

struct FacultyEvaluator::Impl {
    const Applicant& applicant;
    const ScoringContext& context;
    EvaluateOptions options;
    Entries entries;
    std::optional<FacultyPath> path;  // one rule's at a time, its room kept for the next
    BoxValues values;
};

FacultyEvaluator::FacultyEvaluator(const Applicant& applicant, const ScoringContext& context,
                                   const EvaluateOptions& options)
    : m_impl(new Impl{applicant, context, options, entriesOf(applicant, context), std::nullopt, {}})
{
}

FacultyEvaluator::~FacultyEvaluator() = default;

FacultyEvaluation FacultyEvaluator::evaluate(const FacultyRecord& faculty)
{
    if (!faculty.load.ok())
        return header(faculty);
    if (m_impl->path)
        m_impl->path->prepare(*faculty.load.rule);
    else
        m_impl->path.emplace(*faculty.load.rule);
    return tamrik::evaluate(faculty, *m_impl->path, m_impl->values, m_impl->applicant, m_impl->entries,
                            m_impl->context, m_impl->options);
}

struct PreparedFaculties::Impl {
    const std::vector<FacultyRecord>& faculties;
    std::vector<std::optional<FacultyPath>> paths;  // nothing for a rule that could not be built
    std::vector<std::optional<YearRange>> lastYears;
};

PreparedFaculties::PreparedFaculties(const std::vector<FacultyRecord>& faculties)
    : m_impl(new Impl{faculties, {}, {}})
{
    m_impl->paths.resize(faculties.size());
    m_impl->lastYears.resize(faculties.size());
    for (std::size_t i = 0; i < faculties.size(); ++i) {
        if (faculties[i].load.ok())
            m_impl->paths[i].emplace(*faculties[i].load.rule);
        m_impl->lastYears[i] = shownRange(faculties[i].lastYear);
    }
}

PreparedFaculties::~PreparedFaculties() = default;

struct Evaluator::Impl {
    const PreparedFaculties::Impl& prepared;
    // Kept from one applicant to the next, so that ranking one allocates nothing.
    BoxValues values;
    std::vector<RankKey> keys;
    std::vector<std::size_t> order;
};

Evaluator::Evaluator(const PreparedFaculties& prepared) : m_impl(new Impl{*prepared.m_impl, {}, {}, {}}) {}

Evaluator::~Evaluator() = default;

std::vector<FacultyEvaluation> Evaluator::rank(const Applicant& applicant, const ScoringContext& context,
                                               const EvaluateOptions& options, std::size_t limit)
{
    const Entries entries = entriesOf(applicant, context);
    const PreparedFaculties::Impl& prepared = m_impl->prepared;
    const auto& faculties = prepared.faculties;
    BoxValues& values = m_impl->values;
    std::vector<RankKey>& keys = m_impl->keys;
    std::vector<std::size_t>& order = m_impl->order;
    keys.assign(faculties.size(), RankKey());
    order.resize(faculties.size());
    const auto before = [&](std::size_t a, std::size_t b) { return KeyRanksBefore(keys[a], keys[b]); };
    if (limit >= faculties.size()) {
        std::vector<FacultyEvaluation> all(faculties.size());
        for (std::size_t i = 0; i < faculties.size(); ++i)
            all[i] = prepared.paths[i]
                         ? evaluate(faculties[i], *prepared.paths[i], values, applicant, entries, context, options)
                         : header(faculties[i]);
        RankEvaluations(all);
        return all;
    }
    for (std::size_t i = 0; i < faculties.size(); ++i) {
        order[i] = i;
        keys[i].facCode = faculties[i].facCode;
        keys[i].ok = prepared.paths[i].has_value();
        if (!keys[i].ok)
            continue;
        const ChanceResult c = score(*prepared.paths[i], values, prepared.lastYears[i], applicant, entries).chance;
        keys[i].chance = c.chance;
        keys[i].marginPercent = c.marginPercent;
    }
    // The order is total (codes differ), so partial_sort gives the same list
    // as a whole sort would.
    const std::size_t kept = limit;
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept), order.end(), before);

    std::vector<FacultyEvaluation> ranked;
    ranked.reserve(kept);
    for (std::size_t k = 0; k < kept; ++k) {
        const std::size_t i = order[k];
        ranked.push_back(prepared.paths[i]
                             ? evaluate(faculties[i], *prepared.paths[i], values, applicant, entries, context, options)
                             : header(faculties[i]));
    }
    return ranked;
}

Applicant ApplicantFromEntries(const ScoreSlots& ScoreByCode, std::string_view GpaDigits,
                               std::string_view PrDigits)
{
    Applicant applicant;
    for (std::size_t slot = 0; slot < kSubjectCount; ++slot) {
        if (const auto text = RestoredScoreText(ScoreByCode, codeOfSlot(slot)))
            applicant.Scores[slot] = Val(*text);
    }
    const double g = boxValueOf(GpaBoxesFromDigits(GpaDigits));
    if (InGpaRange(g))
        applicant.Gpa = g;
    const double p = boxValueOf(PrBoxesFromDigits(PrDigits));
    if (InPrRange(p))
        applicant.Pr = p;
    return applicant;
}

ScoreSlots ScoreByCodeOf(const Applicant& applicant)
{
    ScoreSlots ScoreByCode;
    for (std::size_t slot = 0; slot < kSubjectCount; ++slot) {
        const auto& score = applicant.Scores[slot];
        ScoreByCode[slot] = score ? NumberText(typed(*score)) : "-1";
    }
    return ScoreByCode;
}

std::string GpaDigitsOf(const Applicant& applicant)
{
    return digitsOf(applicant.Gpa, "0.00", "000");
}

std::string PrDigitsOf(const Applicant& applicant)
{
    return digitsOf(applicant.Pr, "00.00", "0000");
}

FacultyEvaluation Evaluate(const FacultyRecord& faculty, const Applicant& applicant, const ScoringContext& context,
                           const EvaluateOptions& options)
{
    if (!faculty.load.ok())
        return header(faculty);
    const FacultyPath path(*faculty.load.rule);
    BoxValues values;
    return evaluate(faculty, path, values, applicant, entriesOf(applicant, context), context, options);
}

std::vector<FacultyEvaluation> EvaluateAll(const std::vector<FacultyRecord>& faculties, const Applicant& applicant,
                                           const ScoringContext& context, const EvaluateOptions& options)
{
    // Each rule prepared where it is evaluated and dropped right after: kept
    // for one applicant, 32,767 of them were built, held and freed in turn.
    std::vector<FacultyEvaluation> all(faculties.size());
    ShareWork(faculties.size(), options.threads, [&](std::size_t begin, std::size_t end) {
        FacultyEvaluator evaluator(applicant, context, options);
        for (std::size_t i = begin; i < end; ++i)
            all[i] = evaluator.evaluate(faculties[i]);
    });
    RankEvaluations(all);
    return all;
}

}  // namespace tamrik
