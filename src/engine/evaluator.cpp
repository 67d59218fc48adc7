#include "evaluator.h"

#include "chance.h"
#include "needed.h"
#include "numtext.h"

#include <algorithm>

namespace tamrik {

namespace {

// Shown with "0.00", as page 4 shows them.
std::optional<YearRange> shownRange(const std::optional<YearRange>& range)
{
    if (!range)
        return std::nullopt;
    return YearRange{range->year, shownValue(range->min, 2), shownValue(range->max, 2)};
}

}  // namespace

Evaluator::Evaluator(std::vector<FacultyRecord> faculties)
{
    reserve(faculties.size());
    for (FacultyRecord& faculty : faculties)
        add(std::move(faculty));
}

void Evaluator::reserve(std::size_t faculties)
{
    m_faculties.reserve(faculties);
    m_errors.reserve(faculties);
    m_paths.reserve(faculties);
    m_lastYears.reserve(faculties);
}

void Evaluator::add(FacultyRecord faculty)
{
    m_paths.emplace_back();
    if (faculty.load.ok())
        m_paths.back().emplace(std::move(*faculty.load.rule));
    m_lastYears.push_back(shownRange(faculty.lastYear));
    m_errors.push_back(std::move(faculty.load.error));
    m_faculties.push_back(std::move(static_cast<FacultyEntry&>(faculty)));
}

std::optional<std::size_t> Evaluator::indexOf(std::string_view facCode) const
{
    for (std::size_t i = 0; i < m_faculties.size(); ++i) {
        if (m_faculties[i].facCode == facCode)
            return i;
    }
    return std::nullopt;
}

FacultyScore Evaluator::score(std::size_t faculty, const ApplicantEntries& entries) const
{
    FacultyScore s;
    if (!m_paths[faculty])
        return s;
    const FacultyPath& path = *m_paths[faculty];
    const RowValues values = path.restore(entries.value);
    const Earned total = path.figures(values, entries.gpaFraction, entries.prFraction).total;
    const ChanceResult c =
        decideChance(path.failsCheck(values, entries), path.anyMissing(entries), m_lastYears[faculty], total);
    s.ok = true;
    s.total = total.earned;
    s.chance = c.chance;
    s.marginPoints = c.marginPoints;
    s.marginPercent = c.marginPercent;
    return s;
}

FacultyEvaluation Evaluator::evaluation(std::size_t faculty, const ApplicantEntries& entries,
                                        GpaShares& gpaShares, Detail detail) const
{
    const FacultyEntry& record = m_faculties[faculty];
    FacultyEvaluation ev;
    ev.facCode = record.facCode;
    ev.university = record.university;
    ev.name = record.name;
    ev.years = record.years;
    ev.error = m_errors[faculty];
    if (!m_paths[faculty])
        return ev;
    const FacultyPath& path = *m_paths[faculty];
    ev.lastYear = m_lastYears[faculty];
    const RowValues values = path.restore(entries.value);
    const Figures f = path.figures(values, entries.gpaFraction, entries.prFraction);
    const bool failsMinimum = path.failsCheck(values, entries);
    const ChanceResult c = decideChance(failsMinimum, path.anyMissing(entries), ev.lastYear, f.total);
    if (detail != Detail::Figures) {
        if (failsMinimum)
            ev.minimums = path.check(entries).messages;
        ev.missing = path.missing(entries);
    }
    ev.main = f.main;
    ev.special = f.special;
    ev.gpa = f.gpa;
    ev.pr = f.pr;
    ev.total = f.total;
    ev.chance = c.chance;
    ev.marginPoints = c.marginPoints;
    ev.marginPercent = c.marginPercent;
    if (detail == Detail::Needed && ev.minimums.empty() && hasRangeData(ev.lastYear)
        && hundredths(ev.total.earned) < hundredths(ev.lastYear->min))
        ev.needed = neededFor(path, entries, gpaShares, hundredths(ev.lastYear->min), ev.total.earned);
    return ev;
}

Ranking Evaluator::rank(const Applicant& applicant, const ScoringContext& context, std::size_t limit) const
{
    Ranking ranking(*this, context, entriesOf(applicant, context));
    const std::size_t count = m_faculties.size();
    std::vector<FacultyScore>& scores = ranking.m_scores;
    scores.reserve(count);
    std::vector<RankKey> keys;
    keys.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        scores.push_back(score(i, ranking.m_entries));
        const FacultyScore& s = scores.back();
        keys.push_back({s.ok, s.chance, s.marginPercent, m_faculties[i].facCode});
    }
    std::vector<std::size_t>& order = ranking.m_order;
    order.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = i;
    // Codes differ, so the order is total: the best `limit` come out as a
    // whole sort would put them.
    const auto before = [&](std::size_t a, std::size_t b) { return keyRanksBefore(keys[a], keys[b]); };
    if (limit >= count) {
        std::sort(order.begin(), order.end(), before);
    } else {
        std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(limit), order.end(), before);
        order.resize(limit);
    }
    return ranking;
}

FacultyEvaluation Evaluator::evaluate(std::size_t faculty, const Applicant& applicant, const ScoringContext& context,
                                      Detail detail) const
{
    GpaShares gpaShares(context);
    return evaluation(faculty, entriesOf(applicant, context), gpaShares, detail);
}

FacultyEvaluation Ranking::evaluation(std::size_t faculty, Detail detail)
{
    return m_evaluator.evaluation(faculty, m_entries, m_gpaShares, detail);
}

std::vector<FacultyEvaluation> Ranking::evaluations(Detail detail)
{
    std::vector<FacultyEvaluation> all;
    all.reserve(m_order.size());
    for (const std::size_t faculty : m_order)
        all.push_back(evaluation(faculty, detail));
    return all;
}

}  // namespace tamrik
