#include "studentrows.h"

#include "chance.h"
#include "vocabulary.h"

#include <algorithm>

namespace tamrikcalc {

namespace {

tamrik::RankKey keyOf(const tamrik::Evaluator& evaluator, const tamrik::Ranking& ranking, std::size_t faculty)
{
    const tamrik::FacultyScore& s = ranking.scores()[faculty];
    return {s.ok, s.chance, s.marginPercent, evaluator.faculties()[faculty].facCode};
}

// The faculty's place in the whole ranking, 1 for the best.
std::size_t placeOf(const tamrik::Evaluator& evaluator, const tamrik::Ranking& ranking, std::size_t faculty)
{
    const std::vector<std::size_t>& order = ranking.order();
    const auto at = std::find(order.begin(), order.end(), faculty);
    if (at != order.end())
        return static_cast<std::size_t>(at - order.begin()) + 1;
    const tamrik::RankKey key = keyOf(evaluator, ranking, faculty);
    std::size_t before = 0;
    for (std::size_t i = 0; i < ranking.scores().size(); ++i)
        before += tamrik::keyRanksBefore(keyOf(evaluator, ranking, i), key) ? 1 : 0;
    return before + 1;
}

}  // namespace

FacultyIndex facultyIndex(const tamrik::Evaluator& evaluator)
{
    FacultyIndex index;
    for (std::size_t i = 0; i < evaluator.faculties().size(); ++i)
        index.emplace(evaluator.faculties()[i].facCode, i);
    return index;
}

StudentRows studentRows(const tamrik::Evaluator& evaluator, const FacultyIndex& index,
                        const tamrik::ScoringContext& context, const BatchApplicant& applicant,
                        const RowSettings& settings)
{
    StudentRows out;
    out.id = applicant.id;
    const std::size_t count = evaluator.faculties().size();
    std::vector<bool> wished(count);
    std::vector<std::size_t> wishedAt;  // per wish: the faculty, or count for none
    for (const Wish& wish : applicant.wishes) {
        const auto found = index.find(wish.code);
        wishedAt.push_back(found == index.end() ? count : found->second);
        if (found != index.end())
            wished[found->second] = true;
    }
    const bool filtered = settings.filter.eligibleOnly
                          || std::find(settings.listed.begin(), settings.listed.end(), false) != settings.listed.end();
    // Only the best few are put in order; when the filters or the wishes
    // pass over too many of them, the ranking goes further.
    std::size_t limit = settings.top == tamrik::kEveryFaculty ? tamrik::kEveryFaculty
                                                              : settings.top + applicant.wishes.size();
    if (filtered && limit != tamrik::kEveryFaculty)
        limit = std::max<std::size_t>(limit * 4, 64);
    for (;;) {
        tamrik::Ranking ranking = evaluator.rank(applicant.applicant, context, limit);
        std::vector<std::size_t> chosen;
        for (const std::size_t faculty : ranking.order()) {
            if (chosen.size() == settings.top)
                break;
            const tamrik::FacultyScore& s = ranking.scores()[faculty];
            if (!wished[faculty] && (settings.listed.empty() || settings.listed[faculty])
                && tamrik::facultyResultMatches(settings.filter, s.ok, s.chance))
                chosen.push_back(faculty);
        }
        if (chosen.size() < settings.top && ranking.order().size() < count) {
            limit = limit > count / 4 ? tamrik::kEveryFaculty : limit * 4;
            continue;
        }
        out.rows.reserve(applicant.wishes.size() + chosen.size());
        for (std::size_t w = 0; w < applicant.wishes.size(); ++w) {
            StudentRow row;
            row.kind = RowKind::Wish;
            row.wish = applicant.wishes[w].number;
            if (wishedAt[w] == count) {
                row.ev.facCode = applicant.wishes[w].code;
                row.ev.error = std::string(tamrik::words::kUnknownFaculty);
            } else {
                row.rank = placeOf(evaluator, ranking, wishedAt[w]);
                row.ev = ranking.evaluation(wishedAt[w], settings.detail);
            }
            out.rows.push_back(std::move(row));
        }
        const std::vector<std::size_t>& order = ranking.order();
        std::size_t at = 0;
        for (const std::size_t faculty : chosen) {
            while (order[at] != faculty)
                ++at;
            StudentRow row;
            row.kind = settings.wishes ? RowKind::Suggestion : RowKind::Ranked;
            row.rank = at + 1;
            row.ev = ranking.evaluation(faculty, settings.detail);
            out.rows.push_back(std::move(row));
        }
        return out;
    }
}

std::string_view rowKindKey(RowKind kind)
{
    switch (kind) {
    case RowKind::Ranked: return "ranked";
    case RowKind::Wish: return "wish";
    case RowKind::Suggestion: return "suggestion";
    }
    return {};
}

std::string_view rowKindLabel(RowKind kind)
{
    switch (kind) {
    case RowKind::Ranked: return tamrik::words::kRankedRow;
    case RowKind::Wish: return tamrik::words::kWishRow;
    case RowKind::Suggestion: return tamrik::words::kSuggestionRow;
    }
    return {};
}

}  // namespace tamrikcalc
