#pragma once
// The comparison of a composite with last year's range: margin and chance
// state. Every figure is a two-decimal value as page 4 shows it, so the
// comparisons are made in whole hundredths and an edge is exactly where the
// shown figures put it.

#include "evaluation.h"

#include <cstdint>
#include <optional>

namespace tamrik {

// A shown figure in whole hundredths (463.71 -> 46371).
std::int64_t hundredths(double figure);

// Last year's range, if it tells anything: a row whose lowest and highest are
// not both 0.
bool hasRangeData(const std::optional<YearRange>& lastYear);

struct ChanceResult {
    Chance chance = Chance::NoData;
    std::optional<double> marginPoints;   // composite minus last year's lowest
    std::optional<double> marginPercent;  // of the highest possible
};

// The first state that applies, in the order fails_minimum, missing_scores,
// no_data, above_max, clear, borderline, below. A margin is given whenever
// the range has data, whatever the state.
ChanceResult decideChance(bool failsMinimum, bool missingScores, const std::optional<YearRange>& lastYear,
                          const Earned& total);

// What the ranking looks at: the chance state in the order of Chance, within
// a state the margin percent descending (no margin last), ties by code; the
// faculties whose rule could not be built after all others.
struct RankKey {
    bool ok = true;
    Chance chance = Chance::NoData;
    std::optional<double> marginPercent;
    std::string_view facCode;
};
bool keyRanksBefore(const RankKey& a, const RankKey& b);

}  // namespace tamrik
