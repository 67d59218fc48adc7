#pragma once
// One applicant against one faculty, or against every faculty at once, with
// the figures page 4 would show after the wizard's whole path, and what they
// mean next to last year's range: the minimums failed, the subjects missing,
// the margin, a chance state and what it would take to reach last year's
// lowest.
//
// Flow: Applicant -> the texts the pages would hold (ScoreByCode, GpaDigits,
// PrDigits restored as the pages restore them) -> the same core functions the
// pages call (subtotals, subject check, GPA/PR points, summary) -> figures.
// Nothing here reads a database or a file: the faculties come in as
// FacultyRecords (built by the rule load), the normal table as a lookup.

#include "facultyrule.h"
#include "gpapr.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tamrik {

// What one applicant typed.
struct Applicant {
    std::array<std::optional<double>, kSubjectCount> Scores{};  // index = subject code - 1; absent = not taken
    std::optional<double> Gpa;                                   // (0, 4], two decimals
    std::optional<double> Pr;                                    // (0, 100), two decimals
};

// From what the wizard remembers, the way the pages restore it: a slot that
// restores no score is absent, digits that give no GPA or PR in range are
// absent.
Applicant ApplicantFromEntries(const ScoreSlots& ScoreByCode, std::string_view GpaDigits,
                               std::string_view PrDigits);

// The reverse: what the pages would remember after this applicant typed.
ScoreSlots ScoreByCodeOf(const Applicant& applicant);
std::string GpaDigitsOf(const Applicant& applicant);  // "325" for 3.25, "000" without a GPA
std::string PrDigitsOf(const Applicant& applicant);   // "8550" for 85.50, "0000" without a PR

// The scoring parameters of param.opt besides the range table, and the normal table.
struct ScoringContext {
    std::string meanText;
    std::string sdText;
    ProbLookup prob;
};

struct Earned {
    double earned = 0;
    double full = 0;
};

struct YearRange {
    std::string year;  // "2543"
    double min = 0;
    double max = 0;
};

enum class Chance { AboveMax, Clear, Borderline, Below, NoData, MissingScores, FailsMinimum };

std::string_view ChanceKey(Chance chance);    // "above_max", ...
std::string_view ChanceLabel(Chance chance);  // the Thai label

// Margin, in percent of the highest possible, at or above which a composite
// is clear of last year's lowest; within it either way is borderline.
inline constexpr double kBorderlinePercent = 2.0;

// What it takes to reach last year's lowest, one thing at a time.
struct Needed {
    double points = 0;  // last year's lowest minus the composite
    // Per subject of the calculation, in calculation order: the smallest score
    // that alone reaches the lowest, or nothing when even 100 does not.
    std::vector<std::pair<std::string, std::optional<double>>> subjects;
    std::optional<double> gpa;  // the same for the GPA (at most 4.00)
    std::optional<double> pr;   // and for the PR (at most 99.99)
};

struct FacultyEvaluation {
    std::string facCode, university, name;
    std::string error;                     // the rule could not be built: the figures are absent
    Earned main, special, gpa, pr, total;  // the values page 4 shows (two decimals)
    std::optional<YearRange> lastYear;     // the range table param.opt names
    std::vector<YearRange> years;          // every year the database holds, oldest first
    std::vector<std::string> minimums;     // page 2's messages
    std::vector<std::string> missing;      // subject codes
    std::optional<double> marginPoints, marginPercent;
    Chance chance = Chance::NoData;
    std::optional<Needed> needed;

    bool ok() const { return error.empty(); }
};

// One faculty as the rule database gives it: the rule load's result (the
// very message page 1 would show when it fails) and its ranges.
struct FacultyRecord {
    std::string facCode, university, name;
    RuleLoadResult load;
    std::optional<YearRange> lastYear;  // nothing: no row, or ScMax/ScMin unusable
    std::vector<YearRange> years;
};

struct EvaluateOptions {
    bool needed = true;  // the search for `needed` costs a few hundred evaluations
    unsigned threads = 1;  // EvaluateAll: threads sharing the faculties (same result for any number)
};

FacultyEvaluation Evaluate(const FacultyRecord& faculty, const Applicant& applicant, const ScoringContext& context,
                           const EvaluateOptions& options = {});

// Every faculty, ranked: by chance state in the order of Chance, within a
// state by margin percent descending (no margin last), ties by code; the
// faculties whose rule could not be built after all others.
std::vector<FacultyEvaluation> EvaluateAll(const std::vector<FacultyRecord>& faculties, const Applicant& applicant,
                                           const ScoringContext& context, const EvaluateOptions& options = {});

// The ranking order alone, for lists evaluated piecewise.
bool RanksBefore(const FacultyEvaluation& a, const FacultyEvaluation& b);

// Puts evaluations in ranking order where they lie.
void RankEvaluations(std::vector<FacultyEvaluation>& evaluations);

// One applicant against faculties handed over one at a time, each evaluated
// as EvaluateAll evaluates it; for one thread (one evaluator per thread), so
// that faculties can be evaluated as they are built and let go. The applicant
// and the context must outlive it.
class FacultyEvaluator {
public:
    FacultyEvaluator(const Applicant& applicant, const ScoringContext& context, const EvaluateOptions& options = {});
    ~FacultyEvaluator();
    FacultyEvaluator(const FacultyEvaluator&) = delete;
    FacultyEvaluator& operator=(const FacultyEvaluator&) = delete;

    FacultyEvaluation evaluate(const FacultyRecord& faculty);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Every faculty's rule prepared once for many applicants, read-only: the
// threads of a batch share one. The faculties must outlive it.
class PreparedFaculties {
public:
    explicit PreparedFaculties(const std::vector<FacultyRecord>& faculties);
    ~PreparedFaculties();
    PreparedFaculties(const PreparedFaculties&) = delete;
    PreparedFaculties& operator=(const PreparedFaculties&) = delete;

private:
    friend class Evaluator;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// What EvaluateAll does over prepared faculties, without preparing each rule
// again, and with only the rows kept written out in full. It keeps working
// rows of its own, so it serves one thread (a batch gives each thread its
// own, over the same prepared faculties), which must outlive it.
class Evaluator {
public:
    explicit Evaluator(const PreparedFaculties& prepared);
    ~Evaluator();
    Evaluator(const Evaluator&) = delete;
    Evaluator& operator=(const Evaluator&) = delete;

    // The `limit` best faculties in ranking order (all of them by default).
    std::vector<FacultyEvaluation> rank(const Applicant& applicant, const ScoringContext& context,
                                        const EvaluateOptions& options = {},
                                        std::size_t limit = static_cast<std::size_t>(-1));

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace tamrik
