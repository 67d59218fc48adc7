#include "gpapr.h"

#include "numtext.h"
#include "utf8text.h"

#include <array>
#include <cmath>
#include <exception>

namespace tamrik {

namespace {

struct PrBand {
    float from;
    float to;
    int band;
};

// Closed intervals, top band first; bounds in single precision as the PR is.
constexpr std::array<PrBand, 20> kPrBands{{
    {95.01f, 99.99f, 20}, {90.01f, 95.00f, 19}, {85.01f, 90.00f, 18}, {80.01f, 85.00f, 17},
    {75.01f, 80.00f, 16}, {70.01f, 75.00f, 15}, {65.01f, 70.00f, 14}, {60.01f, 65.00f, 13},
    {55.01f, 60.00f, 12}, {50.01f, 55.00f, 11}, {45.01f, 50.00f, 10}, {40.01f, 45.00f, 9},
    {35.01f, 40.00f, 8},  {30.01f, 35.00f, 7},  {25.01f, 30.00f, 6},  {20.01f, 25.00f, 5},
    {15.01f, 20.00f, 4},  {10.01f, 15.00f, 3},  {5.01f, 10.00f, 2},   {0.01f, 5.00f, 1},
}};

constexpr double kShareWeight = 5.0;  // percent of the weight for each share

constexpr std::size_t kGpaIntegerPlaces = 1;
constexpr std::size_t kPrIntegerPlaces = 2;
constexpr std::size_t kDecimalPlaces = 2;

BoxTexts splitDigits(std::string_view digits, std::size_t integerPlaces)
{
    const std::size_t count = CharacterCount(digits);
    const std::size_t integerCount =
        count > integerPlaces + kDecimalPlaces ? count - kDecimalPlaces : integerPlaces;
    const std::size_t cut = CharacterOffset(digits, integerCount);
    return {std::string(digits.substr(0, cut)), std::string(digits.substr(cut))};
}

std::optional<BoxTexts> boxesFromDigits(std::string_view digits, std::size_t integerPlaces)
{
    if (!(Val(digits) > 0))
        return std::nullopt;
    return splitDigits(digits, integerPlaces);
}

void fillEmpty(std::string& box, std::string_view fill)
{
    if (box.empty())
        box = fill;
}

// A lone digit typed in a decimal box means tenths: "5" is 50 hundredths.
void widenLoneDecimal(std::string& box)
{
    if (box.size() == 1 && box[0] >= '0' && box[0] <= '9')
        box = Format((box[0] - '0') * 10, "00");
}

std::string& boxOf(BoxTexts& boxes, BoxPart part)
{
    return part == BoxPart::Integer ? boxes.integer : boxes.decimals;
}

}  // namespace

float GpaToProb(float gpa, std::string_view meanText, std::string_view sdText, const ProbLookup& lookup)
{
    const double mean = Val(meanText);
    const double sd = Val(sdText);
    if (!(mean > 0) || !(sd > 0) || !std::isfinite(mean) || !std::isfinite(sd) || !lookup)
        return 0.0f;
    const double z = (static_cast<double>(gpa) - mean) / sd;
    if (!std::isfinite(z))
        return 0.0f;

    // The table holds the upper half only; a z that rounds to zero is not negative.
    const double rounded = ShownValue(z, 3);
    const bool negative = rounded < 0;
    const std::string key = Format(std::fabs(rounded), "0.000");

    const std::optional<double> prob = lookup(key);
    if (!prob)
        return 0.0f;
    float p = static_cast<float>(*prob);
    if (!std::isfinite(p))
        return 0.0f;
    if (negative)
        p = 1.0f - p;
    return p;
}

float PrToShare(float pr)
{
    for (const PrBand& band : kPrBands) {
        if (pr >= band.from && pr <= band.to)
            return static_cast<float>(band.band / 20.0);
    }
    return 0.0f;
}

double SharePoints(float scorePerPercent, float fraction)
{
    return static_cast<double>(scorePerPercent) * kShareWeight * static_cast<double>(fraction);
}

std::string FullShareText(float scorePerPercent)
{
    const float full = static_cast<float>(static_cast<double>(scorePerPercent) * kShareWeight);
    return Format(full, "0.00");
}

double BoxValue(const BoxTexts& boxes)
{
    return Val(boxes.integer + "." + boxes.decimals);
}

std::optional<float> GpaFraction(double g, std::string_view meanText, std::string_view sdText,
                                 const ProbLookup& lookup)
{
    if (!(g > 0 && g <= 4))
        return std::nullopt;
    return GpaToProb(static_cast<float>(g), meanText, sdText, lookup);
}

std::optional<float> PrFraction(double p)
{
    if (!(p > 0 && p < 100))
        return std::nullopt;
    return PrToShare(static_cast<float>(p));
}

std::optional<double> GpaPoints(double g, float scorePerPercent, std::string_view meanText,
                                std::string_view sdText, const ProbLookup& lookup)
{
    const std::optional<float> fraction = GpaFraction(g, meanText, sdText, lookup);
    if (!fraction)
        return std::nullopt;
    return SharePoints(scorePerPercent, *fraction);
}

std::optional<double> PrPoints(double p, float scorePerPercent)
{
    const std::optional<float> fraction = PrFraction(p);
    if (!fraction)
        return std::nullopt;
    return SharePoints(scorePerPercent, *fraction);
}

LeaveResult LeaveGpaBox(BoxPart left, BoxTexts gpa)
{
    fillEmpty(boxOf(gpa, left), left == BoxPart::Integer ? "0" : "00");
    if (left == BoxPart::Decimals)
        widenLoneDecimal(gpa.decimals);

    LeaveResult result{gpa, std::nullopt};
    const double g = BoxValue(gpa);
    if (g < 0 || g > 4)
        result.message = "GPA จะต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 4";
    return result;
}

LeaveResult LeavePrBox(BoxPart left, BoxTexts pr)
{
    fillEmpty(boxOf(pr, left), "00");
    widenLoneDecimal(pr.decimals);
    if (CharacterCount(pr.integer) == 1)
        pr.integer = FormatText(pr.integer, "00");

    LeaveResult result{pr, std::nullopt};
    const double p = BoxValue(pr);
    if (p < 0 || p > 100)
        result.message = "PR จะต้องมากกว่า 0 และน้อยกว่า 100";
    return result;
}

BoxTexts SplitGpaDigits(std::string_view GpaDigits)
{
    return splitDigits(GpaDigits, kGpaIntegerPlaces);
}

BoxTexts SplitPrDigits(std::string_view PrDigits)
{
    return splitDigits(PrDigits, kPrIntegerPlaces);
}

std::optional<BoxTexts> GpaBoxesFromDigits(std::string_view GpaDigits)
{
    return boxesFromDigits(GpaDigits, kGpaIntegerPlaces);
}

std::optional<BoxTexts> PrBoxesFromDigits(std::string_view PrDigits)
{
    return boxesFromDigits(PrDigits, kPrIntegerPlaces);
}

}  // namespace tamrik
