#include "gpapr.h"

#include "gpaworking.h"
#include "numtext.h"
#include "utf8text.h"

namespace tamrik {

namespace {

constexpr double kShareWeight = 5.0;  // percent of the weight for each share

constexpr std::size_t kGpaIntegerPlaces = 1;
constexpr std::size_t kPrIntegerPlaces = 2;
constexpr std::size_t kDecimalPlaces = 2;

BoxTexts splitDigits(std::string_view digits, std::size_t integerPlaces)
{
    const std::size_t count = characterCount(digits);
    const std::size_t integerCount =
        count > integerPlaces + kDecimalPlaces ? count - kDecimalPlaces : integerPlaces;
    const std::size_t cut = characterOffset(digits, integerCount);
    return {std::string(digits.substr(0, cut)), std::string(digits.substr(cut))};
}

bool areDigits(std::string_view digits, std::size_t integerPlaces)
{
    return !digits.empty() && digits.size() <= integerPlaces + kDecimalPlaces &&
           digits.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<BoxTexts> boxesFromDigits(std::string_view digits, std::size_t integerPlaces)
{
    if (!areDigits(digits, integerPlaces) || !(Val(digits) > 0))
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
    return workGpa(gpa, meanText, sdText, lookup).fraction;
}

float PrToShare(float pr)
{
    const std::optional<PrBand> band = findPrBand(pr);
    return band ? static_cast<float>(band->band / 20.0) : 0.0f;
}

double sharePoints(float scorePerPercent, float fraction)
{
    return static_cast<double>(scorePerPercent) * kShareWeight * static_cast<double>(fraction);
}

std::string fullShareText(float scorePerPercent)
{
    const float full = static_cast<float>(static_cast<double>(scorePerPercent) * kShareWeight);
    return Format(full, "0.00");
}

double boxValue(const BoxTexts& boxes)
{
    return Val(boxes.integer + "." + boxes.decimals);
}

std::optional<float> gpaFraction(double g, std::string_view meanText, std::string_view sdText,
                                 const ProbLookup& lookup)
{
    if (!inGpaRange(g))
        return std::nullopt;
    return GpaToProb(static_cast<float>(g), meanText, sdText, lookup);
}

std::optional<float> prFraction(double p)
{
    if (!inPrRange(p))
        return std::nullopt;
    return PrToShare(static_cast<float>(p));
}

std::optional<double> gpaPoints(double g, float scorePerPercent, std::string_view meanText,
                                std::string_view sdText, const ProbLookup& lookup)
{
    const std::optional<float> fraction = gpaFraction(g, meanText, sdText, lookup);
    if (!fraction)
        return std::nullopt;
    return sharePoints(scorePerPercent, *fraction);
}

std::optional<double> prPoints(double p, float scorePerPercent)
{
    const std::optional<float> fraction = prFraction(p);
    if (!fraction)
        return std::nullopt;
    return sharePoints(scorePerPercent, *fraction);
}

LeaveResult leaveGpaBox(BoxPart left, BoxTexts gpa)
{
    fillEmpty(boxOf(gpa, left), left == BoxPart::Integer ? "0" : "00");
    if (left == BoxPart::Decimals)
        widenLoneDecimal(gpa.decimals);

    LeaveResult result{gpa, std::nullopt};
    const double g = boxValue(gpa);
    if (g < 0 || g > 4)
        result.message = "GPA จะต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 4";
    return result;
}

LeaveResult leavePrBox(BoxPart left, BoxTexts pr)
{
    fillEmpty(boxOf(pr, left), "00");
    widenLoneDecimal(pr.decimals);
    if (characterCount(pr.integer) == 1)
        pr.integer = formatText(pr.integer, "00");

    LeaveResult result{pr, std::nullopt};
    const double p = boxValue(pr);
    if (p < 0 || p > 100)
        result.message = "PR จะต้องมากกว่า 0 และน้อยกว่า 100";
    return result;
}

BoxTexts splitGpaDigits(std::string_view GpaDigits)
{
    return splitDigits(GpaDigits, kGpaIntegerPlaces);
}

BoxTexts splitPrDigits(std::string_view PrDigits)
{
    return splitDigits(PrDigits, kPrIntegerPlaces);
}

bool isGpaDigits(std::string_view GpaDigits)
{
    return areDigits(GpaDigits, kGpaIntegerPlaces);
}

bool isPrDigits(std::string_view PrDigits)
{
    return areDigits(PrDigits, kPrIntegerPlaces);
}

std::optional<BoxTexts> gpaBoxesFromDigits(std::string_view GpaDigits)
{
    return boxesFromDigits(GpaDigits, kGpaIntegerPlaces);
}

std::optional<BoxTexts> prBoxesFromDigits(std::string_view PrDigits)
{
    return boxesFromDigits(PrDigits, kPrIntegerPlaces);
}

}  // namespace tamrik
