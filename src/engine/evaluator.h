#pragma once
// The one way to evaluate: an applicant against faculties loaded once. Every
// faculty's composite and chance come out on numbers alone and are ranked on
// compact keys; a faculty's whole evaluation (page 2's minimum messages, the
// subjects missing, what it would take to reach last year's lowest) is
// written out only for the faculties asked for.
//
// Flow: FacultyRecords -> Evaluator (each rule prepared once) ->
// rank(applicant) -> Ranking: scores and order of every faculty ->
// evaluation(faculty) for the rows shown.
//
// An Evaluator is read-only once made: threads may share one.

#include "applicant.h"
#include "evaluation.h"
#include "facultypath.h"
#include "needed.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace tamrik {

inline constexpr std::size_t kEveryFaculty = static_cast<std::size_t>(-1);

// How much of a faculty's evaluation is written out.
enum class Detail {
    Figures,  // the figures, last year's and every year's range, the margin and the chance
    Texts,    // and page 2's minimum messages and the subjects missing
    Needed,   // and what it would take to reach last year's lowest (a few hundred evaluations more)
};

// What the ranking and a table row need of one faculty for one applicant.
struct FacultyScore {
    bool ok = false;                       // the rule was built
    double total = 0;                      // the composite as page 4 shows it
    Chance chance = Chance::NoData;
    std::optional<double> marginPoints, marginPercent;
};

class Evaluator;

// One applicant against every faculty of an evaluator, which must outlive it.
class Ranking {
public:
    // Each faculty's score, in the evaluator's order.
    const std::vector<FacultyScore>& scores() const { return m_scores; }
    // Faculties (indexes into Evaluator::faculties()) in ranking order, best
    // first: every faculty, or the best `limit` rank() was asked for.
    const std::vector<std::size_t>& order() const { return m_order; }

    // One faculty written out. What is needed to reach last year's lowest
    // is searched with the GPA shares found for the faculties before.
    FacultyEvaluation evaluation(std::size_t faculty, Detail detail);
    // The faculties of order(), written out in that order.
    std::vector<FacultyEvaluation> evaluations(Detail detail);

private:
    friend class Evaluator;
    Ranking(const Evaluator& evaluator, const ScoringContext& context, ApplicantEntries entries)
        : m_evaluator(evaluator), m_entries(std::move(entries)), m_gpaShares(context)
    {
    }

    const Evaluator& m_evaluator;
    ApplicantEntries m_entries;
    GpaShares m_gpaShares;
    std::vector<FacultyScore> m_scores;
    std::vector<std::size_t> m_order;
};

class Evaluator {
public:
    explicit Evaluator(std::vector<FacultyRecord> faculties);
    // Filled with add() before any use.
    Evaluator() = default;
    Evaluator(const Evaluator&) = delete;
    Evaluator& operator=(const Evaluator&) = delete;

    // A faculty's rule prepared, then let go: thousands of whole rules with
    // their texts would be most of the memory.
    void add(FacultyRecord faculty);
    // Room for this many at once, rather than growing by copies.
    void reserve(std::size_t faculties);

    // The faculties without their rules (loadFaculty gives one back whole).
    const std::vector<FacultyEntry>& faculties() const { return m_faculties; }
    std::optional<std::size_t> indexOf(std::string_view facCode) const;
    // A faculty's figures that no applicant changes: last year's range as
    // page 4 shows it, and the highest composite possible (0 without a rule).
    const std::optional<YearRange>& lastYear(std::size_t faculty) const { return m_lastYears[faculty]; }
    double highest(std::size_t faculty) const { return m_paths[faculty] ? m_paths[faculty]->highest() : 0.0; }

    // Every faculty scored for this applicant and ranked; with a `limit`,
    // only that many of the best are put in order.
    Ranking rank(const Applicant& applicant, const ScoringContext& context, std::size_t limit = kEveryFaculty) const;

    // One faculty alone, written out.
    FacultyEvaluation evaluate(std::size_t faculty, const Applicant& applicant, const ScoringContext& context,
                               Detail detail) const;

private:
    friend class Ranking;
    FacultyScore score(std::size_t faculty, const ApplicantEntries& entries) const;
    FacultyEvaluation evaluation(std::size_t faculty, const ApplicantEntries& entries, GpaShares& gpaShares,
                                 Detail detail) const;

    std::vector<FacultyEntry> m_faculties;
    std::vector<std::string> m_errors;  // the rule load's message; empty for a rule built
    std::vector<std::optional<FacultyPath>> m_paths;   // nothing for a rule that could not be built
    std::vector<std::optional<YearRange>> m_lastYears;  // as page 4 shows them
};

}  // namespace tamrik
