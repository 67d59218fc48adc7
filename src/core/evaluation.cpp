#include "evaluation.h"

#include "chance.h"
#include "numtext.h"
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
    return Val(Format(value, "0.00"));
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
    std::array<std::string, kSubjectCount> ScoreByCode;
    std::array<std::string, kSubjectCount> box;  // empty: nothing restored
    std::string GpaDigits;
    std::string PrDigits;
    std::optional<float> gpaFraction;
    std::optional<float> prFraction;

    void restore(std::size_t slot)
    {
        box[slot] = RestoredScoreText(ScoreByCode, codeOfSlot(slot)).value_or(std::string());
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

const std::string& boxOf(const Entries& e, const std::string& code)
{
    static const std::string none;
    const std::optional<std::size_t> slot = ScoreSlot(code);
    return slot ? e.box[*slot] : none;
}

struct Figures {
    Earned main, special, gpa, pr, total;
};

// Pages 2 to 4 for one rule: the rows with their restored boxes, the
// subtotals, the GPA and PR points and the summary's figures.
class FacultyPath {
public:
    explicit FacultyPath(const FacultyRule& rule) : m_rule(rule)
    {
        for (const auto& row : rule.MainRows)
            m_mainCodes.push_back(row.SubCod);
        for (const auto& row : rule.SpecRows)
            m_specCodes.push_back(row.SubCod);
        m_fullShare = FullShareText(rule.ScorePerPercent);
    }

    std::vector<std::string> minimums(const Entries& e) const
    {
        return CheckSubjectScores(checkRows(m_rule.MainRows, e), checkRows(m_rule.SpecRows, e), m_rule.Rule0102)
            .messages;
    }

    std::vector<std::string> countedCodes() const
    {
        return CountedCodes(m_mainCodes, m_specCodes, m_rule.CalcSubjCode);
    }

    Figures figures(const Entries& e) const
    {
        const Subtotal main = MainSubtotal(subtotalRows(m_rule.MainRows, e), m_rule.CalcSubjCode);
        const Subtotal spec = SpecSubtotal(subtotalRows(m_rule.SpecRows, e), m_rule.MainRows.size(),
                                           m_rule.CalcSubjCode, m_rule.WMain, m_rule.MaxMain);
        SummaryInput input;
        input.MainTotalScore = main.value;
        input.SpecTotalScore = spec.value;
        input.GpaScore = e.gpaFraction ? SharePoints(m_rule.ScorePerPercent, *e.gpaFraction) : 0.0;
        input.PrScore = e.prFraction ? SharePoints(m_rule.ScorePerPercent, *e.prFraction) : 0.0;
        input.MainMaxText = m_rule.MaxMain;
        input.SpecMaxText = m_rule.MaxSP;
        input.gpaFullText = m_fullShare;
        input.prFullText = m_fullShare;
        input.GpaDigits = e.GpaDigits;
        input.PrDigits = e.PrDigits;
        const SummaryTexts texts = BuildSummary(input);

        Figures f;
        Earned* rows[] = {&f.main, &f.special, &f.gpa, &f.pr};
        for (std::size_t i = 0; i < 4; ++i)
            *rows[i] = {Val(texts.LabelMyScore[i]), Val(texts.LabelMaxScore[i])};
        f.total = {Val(texts.Label_total_score[0]), Val(texts.Label_total_score[1])};
        return f;
    }

private:
    static std::vector<SubjectRow> checkRows(const std::vector<FacultyRule::SubjectRow>& rows, const Entries& e)
    {
        std::vector<SubjectRow> out;
        out.reserve(rows.size());
        for (const auto& row : rows)
            out.push_back({row.SubCod, row.SubName, boxOf(e, row.SubCod), row.MinPercent});
        return out;
    }

    static std::vector<SubtotalRow> subtotalRows(const std::vector<FacultyRule::SubjectRow>& rows, const Entries& e)
    {
        std::vector<SubtotalRow> out;
        out.reserve(rows.size());
        for (const auto& row : rows)
            out.push_back({row.SubCod, boxOf(e, row.SubCod), row.Weight});
        return out;
    }

    const FacultyRule& m_rule;
    std::vector<std::string> m_mainCodes;
    std::vector<std::string> m_specCodes;
    std::string m_fullShare;
};

bool hasScore(const Applicant& applicant, const std::string& code)
{
    const std::optional<std::size_t> slot = ScoreSlot(code);
    return slot && applicant.Scores[*slot].has_value();
}

// Counted codes without a score; a member of the either-of pair only when its
// partner, counted too, has none either.
std::vector<std::string> missingCodes(const FacultyRule& rule, const std::vector<std::string>& counted,
                                      const Applicant& applicant)
{
    std::vector<std::string> missing;
    for (const std::string& code : counted) {
        if (hasScore(applicant, code))
            continue;
        if (rule.PairGroup) {
            const auto& pair = *rule.PairGroup;
            const std::string* partner = code == pair.CodeA ? &pair.CodeB : code == pair.CodeB ? &pair.CodeA : nullptr;
            if (partner && std::find(counted.begin(), counted.end(), *partner) != counted.end()
                && hasScore(applicant, *partner))
                continue;
        }
        missing.push_back(code);
    }
    return missing;
}

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

Needed neededFor(const FacultyPath& path, const std::vector<std::string>& counted, const Entries& entries,
                 const ScoringContext& context, std::int64_t lowest, double composite)
{
    Needed needed;
    needed.points = static_cast<double>(lowest - Hundredths(composite)) / 100;
    Entries probe = entries;
    const auto reaches = [&] { return Hundredths(path.figures(probe).total.earned) >= lowest; };

    for (const std::string& code : counted) {
        const std::size_t slot = *ScoreSlot(code);
        const auto found = smallestReaching(0, kTopScore, [&](int h) {
            probe.ScoreByCode[slot] = NumberText(typed(h / 100.0));
            probe.restore(slot);
            return reaches();
        });
        probe.ScoreByCode[slot] = entries.ScoreByCode[slot];
        probe.box[slot] = entries.box[slot];
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
    return needed;
}

FacultyEvaluation evaluate(const FacultyRecord& faculty, const Applicant& applicant, const Entries& entries,
                           const ScoringContext& context, const EvaluateOptions& options)
{
    FacultyEvaluation ev;
    ev.facCode = faculty.facCode;
    ev.university = faculty.university;
    ev.name = faculty.name;
    ev.years = faculty.years;
    if (!faculty.load.ok()) {
        ev.error = faculty.load.error;
        return ev;
    }
    // Shown with "0.00", as page 4 shows them.
    if (faculty.lastYear)
        ev.lastYear = YearRange{faculty.lastYear->year, typed(faculty.lastYear->min), typed(faculty.lastYear->max)};

    const FacultyRule& rule = *faculty.load.rule;
    const FacultyPath path(rule);
    const Figures f = path.figures(entries);
    ev.main = f.main;
    ev.special = f.special;
    ev.gpa = f.gpa;
    ev.pr = f.pr;
    ev.total = f.total;
    ev.minimums = path.minimums(entries);
    const std::vector<std::string> counted = path.countedCodes();
    ev.missing = missingCodes(rule, counted, applicant);

    const ChanceResult chance = DecideChance(!ev.minimums.empty(), !ev.missing.empty(), ev.lastYear, ev.total);
    ev.chance = chance.chance;
    ev.marginPoints = chance.marginPoints;
    ev.marginPercent = chance.marginPercent;

    if (options.needed && ev.minimums.empty() && HasRangeData(ev.lastYear)
        && Hundredths(ev.total.earned) < Hundredths(ev.lastYear->min))
        ev.needed = neededFor(path, counted, entries, context, Hundredths(ev.lastYear->min), ev.total.earned);
    return ev;
}

}  // namespace

Applicant ApplicantFromEntries(const std::array<std::string, 51>& ScoreByCode, std::string_view GpaDigits,
                               std::string_view PrDigits)
{
    Applicant applicant;
    for (std::size_t slot = 0; slot < kSubjectCount; ++slot) {
        if (const auto text = RestoredScoreText(ScoreByCode, codeOfSlot(slot)))
            applicant.Scores[slot] = Val(*text);
    }
    const double g = boxValueOf(GpaBoxesFromDigits(GpaDigits));
    if (g > 0 && g <= 4)
        applicant.Gpa = g;
    const double p = boxValueOf(PrBoxesFromDigits(PrDigits));
    if (p > 0 && p < 100)
        applicant.Pr = p;
    return applicant;
}

std::array<std::string, 51> ScoreByCodeOf(const Applicant& applicant)
{
    std::array<std::string, 51> ScoreByCode;
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
    return evaluate(faculty, applicant, entriesOf(applicant, context), context, options);
}

std::vector<FacultyEvaluation> EvaluateAll(const std::vector<FacultyRecord>& faculties, const Applicant& applicant,
                                           const ScoringContext& context, const EvaluateOptions& options)
{
    const Entries entries = entriesOf(applicant, context);
    std::vector<FacultyEvaluation> all;
    all.reserve(faculties.size());
    for (const FacultyRecord& faculty : faculties)
        all.push_back(evaluate(faculty, applicant, entries, context, options));
    std::stable_sort(all.begin(), all.end(), RanksBefore);
    return all;
}

}  // namespace tamrik
