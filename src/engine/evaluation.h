#pragma once
// What the engine works with and gives: a faculty as the rule database holds
// it, the scoring parameters, and one applicant's figures at one faculty as
// page 4 would show them after the wizard's whole path, with what they mean
// next to last year's range: the minimums failed, the subjects missing, the
// margin, a chance state and what it would take to reach last year's lowest.

#include "facultyrule.h"
#include "gpapr.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tamrik {

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

// A faculty's names and ranges, what the lists show of it.
struct FacultyEntry {
    std::string facCode, university, name;
    std::optional<YearRange> lastYear;  // nothing: no row, or ScMax/ScMin unusable
    std::vector<YearRange> years;
};

// One faculty as the rule database gives it, with the rule load's result
// (the very message page 1 would show when it fails).
struct FacultyRecord : FacultyEntry {
    RuleLoadResult load;
};

enum class Chance { AboveMax, Clear, Borderline, Below, NoData, MissingScores, FailsMinimum };

std::string_view chanceKey(Chance chance);    // "above_max", ...
std::string_view chanceLabel(Chance chance);  // the Thai label

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

}  // namespace tamrik
