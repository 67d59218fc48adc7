#include "gpaworking.h"

#include "numtext.h"

#include <array>
#include <cmath>

namespace tamrik {
namespace {

// Closed intervals, top band first.
constexpr std::array<PrBand, 20> kPrBands{{
    {95.01f, 99.99f, 20}, {90.01f, 95.00f, 19}, {85.01f, 90.00f, 18}, {80.01f, 85.00f, 17},
    {75.01f, 80.00f, 16}, {70.01f, 75.00f, 15}, {65.01f, 70.00f, 14}, {60.01f, 65.00f, 13},
    {55.01f, 60.00f, 12}, {50.01f, 55.00f, 11}, {45.01f, 50.00f, 10}, {40.01f, 45.00f, 9},
    {35.01f, 40.00f, 8},  {30.01f, 35.00f, 7},  {25.01f, 30.00f, 6},  {20.01f, 25.00f, 5},
    {15.01f, 20.00f, 4},  {10.01f, 15.00f, 3},  {5.01f, 10.00f, 2},   {0.01f, 5.00f, 1},
}};

}  // namespace

GpaWorking workGpa(float gpa, std::string_view meanText, std::string_view sdText, const ProbLookup& lookup)
{
    GpaWorking w;
    w.mean = Val(meanText);
    w.sd = Val(sdText);
    if (!(w.mean > 0) || !(w.sd > 0) || !std::isfinite(w.mean) || !std::isfinite(w.sd) || !lookup)
        return w;
    const double z = (static_cast<double>(gpa) - w.mean) / w.sd;
    if (!std::isfinite(z))
        return w;
    w.z = z;

    // The table holds the upper half only; a z that rounds to zero is not negative.
    const double rounded = shownValue(z, 3);
    w.negative = rounded < 0;
    w.key = Format(std::fabs(rounded), "0.000");

    // A failing database throws through: it is a fault to report, not a 0.
    w.tableProb = lookup(w.key);
    if (!w.tableProb)
        return w;
    float p = static_cast<float>(*w.tableProb);
    if (!std::isfinite(p))
        return w;
    if (w.negative)
        p = 1.0f - p;
    w.fraction = p;
    return w;
}

std::optional<PrBand> findPrBand(float pr)
{
    for (const PrBand& band : kPrBands) {
        if (pr >= band.from && pr <= band.to)
            return band;
    }
    return std::nullopt;
}

}  // namespace tamrik
