#include "numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

using namespace tamrik;

namespace {

const auto kNamed = [](const auto& info) { return std::string(info.param.name); };
const double kMax = std::numeric_limits<double>::max();

struct ReadCase {
    const char* name;
    std::string text;
    double val;                  // Val: the leading number
    std::optional<double> whole; // wholeNumber: the text as a whole
    std::optional<double> score = std::nullopt;  // scoreNumber: digits and one point, blanks around
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
class ReadNumber : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumber, LeadingWholeAndScore)
{
    EXPECT_EQ(Val(GetParam().text), GetParam().val);
    EXPECT_EQ(wholeNumber(GetParam().text), GetParam().whole);
    EXPECT_EQ(scoreNumber(GetParam().text), GetParam().score);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumber,
    ::testing::Values(
        ReadCase{"BlankThenLetter", " 2.5x", 2.5, std::nullopt}, ReadCase{"Letters", "abc", 0.0, std::nullopt},
        ReadCase{"Empty", "", 0.0, std::nullopt}, ReadCase{"BlanksAround", " 12.5 ", 12.5, 12.5, 12.5},
        ReadCase{"BlankInsideDigits", "1 2", 12.0, std::nullopt}, ReadCase{"Exponent", "1e2", 100.0, 100.0},
        ReadCase{"ExponentWithoutDigits", "1e", 1.0, std::nullopt}, ReadCase{"LeadingPoint", ".5", 0.5, 0.5, 0.5},
        ReadCase{"TrailingPoint", "75.", 75.0, 75.0, 75.0}, ReadCase{"LetterO", "8O", 8.0, std::nullopt},
        ReadCase{"Signed", "+5", 5.0, 5.0},
        ReadCase{"PointAlone", ".", 0.0, std::nullopt}, ReadCase{"OverflowStaysFinite", "1e999", kMax, kMax},
        ReadCase{"NegativeOverflow", "-1e999", -kMax, -kMax}, ReadCase{"Underflow", "1e-999", 0.0, 0.0},
        ReadCase{"SignAlone", "-", 0.0, std::nullopt}, ReadCase{"SignAndPoint", "+.", 0.0, std::nullopt},
        ReadCase{"SecondPointEnds", "1.2.3", 1.2, std::nullopt}, ReadCase{"LeadingZero", "08", 8.0, 8.0, 8.0},
        ReadCase{"ThaiDigits", "\xe0\xb9\x91\xe0\xb9\x92", 0.0, std::nullopt},
        ReadCase{"NumberThenLetters", "12abc", 12.0, std::nullopt},
        // Mantissas far longer than any exponent clamp: the point and the
        // exponent must cancel exactly, at both ends of the scale.
        ReadCase{"LongWholeMantissa", "1" + std::string(200000, '0') + "e-199998", 100.0, 100.0},
        ReadCase{"LongFraction", "0." + std::string(200000, '0') + "1e200003", 100.0, 100.0},
        ReadCase{"LongMantissaHugeExponent", "1" + std::string(200000, '0') + "e99999999999999999999", kMax, kMax},
        ReadCase{"LongMantissaTinyExponent", "0." + std::string(200000, '0') + "1e-999999999999999999", 0.0, 0.0},
        // Digits past the 800th still decide a rounding that sits on a midpoint:
        // 1 + 2^-53 is half-way between 1 and the next double.
        ReadCase{"TailBreaksATie", "1.00000000000000011102230246251565404236316680908203125" + std::string(900, '0') + "1",
                 1.0000000000000002, 1.0000000000000002, 1.0000000000000002}),
    kNamed);

struct TextCase {
    const char* name;
    double value;
    const char* pattern;  // nullptr: numberText
    const char* expected;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }
class WriteNumber : public ::testing::TestWithParam<TextCase> {};

TEST_P(WriteNumber, Text)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(c.pattern ? Format(c.value, c.pattern) : numberText(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, WriteNumber,
    ::testing::Values(
        TextCase{"Whole", 85.0, nullptr, "85"}, TextCase{"OneDecimal", 72.5, nullptr, "72.5"},
        TextCase{"BelowOne", 0.3, nullptr, "0.3"}, TextCase{"SumNoise", 0.1 + 0.2, nullptr, "0.3"},
        TextCase{"FifteenDigits", 1.0 / 3, nullptr, "0.333333333333333"},
        TextCase{"NegativeFraction", -0.25, nullptr, "-0.25"}, TextCase{"Large", 1e20, nullptr, "1E+20"},
        // Rounded at the 15-digit decimal text, half away from zero.
        TextCase{"BinaryBelowHalf", 2.675, "0.00", "2.68"}, TextCase{"BinaryBelowHalfSmall", 1.005, "0.00", "1.01"},
        TextCase{"NegativeHalf", -0.125, "0.00", "-0.13"}, TextCase{"BelowHalf", 0.004, "0.00", "0.00"},
        TextCase{"NegativeToZeroHasNoSign", -0.004, "0.00", "0.00"},
        TextCase{"CarryIntoNewDigit", 99.995, "0.00", "100.00"},
        TextCase{"ThreePlacesCarry", 9.9996, "0.000", "10.000"},
        TextCase{"PadsIntegerPlace", 4.75, "00.00", "04.75"}, TextCase{"PadsWhole", 8.0, "00", "08"},
        TextCase{"WiderThanPattern", 105.0, "00", "105"}, TextCase{"NegativeHalfWhole", -0.5, "00", "-01"},
        TextCase{"BeyondFifteenDigits", 1e20, "0.00", "100000000000000000000.00"}),
    kNamed);

// A stored value written by exactNumberText reads back as the same double;
// from 1E-04 up to 1E+15 the text is the one printf's shortest "%g" of 15 to
// 17 digits gives in the C locale, which the data tool's exports were.
TEST(exactNumberText, ReadsBackAsTheSameDouble)
{
    EXPECT_EQ(exactNumberText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(exactNumberText(448.71), "448.71");
    EXPECT_EQ(exactNumberText(1e20), "1E+20");
    EXPECT_EQ(exactNumberText(-2.5e-7), "-2.5E-07");
    std::mt19937_64 random(5);
    for (int i = 0; i < 20000; ++i) {
        const double scale = std::pow(10.0, static_cast<int>(random() % 40) - 20);
        const double v = std::uniform_real_distribution<double>(-1, 1)(random) * scale;
        const std::string text = exactNumberText(v);
        ASSERT_EQ(Val(text), v) << text;
        if (std::fabs(v) < 1e-4 || std::fabs(v) >= 1e15)
            continue;
        char printed[32];
        for (int digits = 15; digits <= 17; ++digits) {
            std::snprintf(printed, sizeof printed, "%.*g", digits, v);
            if (std::strtod(printed, nullptr) == v)
                break;
        }
        ASSERT_EQ(text, printed);
    }
}

// shownValue works the rounding out without the text; it must give what
// reading the shown text back gives, on both sides of its shortcut's limits.
// The value a two-decimal (or other) box shows, worked out apart from
// numtext: printf's 15 significant digits (the exact binary value rounded),
// rounded half away from zero to `places`, read back by strtod.
double ShownByPrintf(double v, int places)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(v));
    const std::string s = text;
    const int exp = std::stoi(s.substr(s.find('e') + 1));
    if (exp >= 15)  // no decimals left to round: the 15 digits are the value
        return std::strtod(text, nullptr) * (v < 0 ? -1 : 1);
    std::uint64_t digits = std::stoull(s.substr(0, 1) + s.substr(2, 14));
    // digits x 10^(exp - 14), in units of 10^-places.
    const int shift = exp - 14 + places;
    std::uint64_t units = digits;
    for (int i = 0; i < shift; ++i)
        units *= 10;
    if (shift < -19) {
        units = 0;  // under half a unit: digits < 10^15
    } else if (shift < 0) {
        std::uint64_t unit = 1;
        for (int i = 0; i < -shift; ++i)
            unit *= 10;
        units = digits / unit + (2 * (digits % unit) >= unit ? 1 : 0);
    }
    if (units == 0)
        return 0.0;
    const std::string shown = (v < 0 ? "-" : "") + std::to_string(units) + "e-" + std::to_string(places);
    return std::strtod(shown.c_str(), nullptr);
}

TEST(shownValue, ReadsAsTheShownText)
{
    EXPECT_EQ(shownValue(2.675, 2), 2.68);
    EXPECT_EQ(shownValue(-0.125, 2), -0.13);
    EXPECT_FALSE(std::signbit(shownValue(-0.004, 2)));  // no negative zero
    EXPECT_EQ(shownValue(99.995, 2), 100.0);
    const char* const patterns[] = {"0", "0.0", "0.00", "0.000"};
    std::mt19937_64 random(3);
    std::vector<double> values = {0.0, 0.5, -0.5, 1.005, 9.9996, 1e-5, 9.99e-6, 123456.785, 999999999999.9995,
                                  999999999999999.0, 1e15, 1e20, -1e15 + 0.5, 0.1 + 0.2, 4.35, 1.0 / 3};
    for (int i = 0; i < 2000; ++i) {
        const double scale = std::pow(10.0, static_cast<int>(random() % 24) - 8);
        const double v = std::uniform_real_distribution<double>(-1, 1)(random) * scale;
        values.push_back(v);
        values.push_back(std::round(v * 1000) / 1000 + 0.0005);  // at or near a half
    }
    for (const double v : values) {
        for (int d = 0; d <= 3; ++d) {
            ASSERT_EQ(shownValue(v, d), ShownByPrintf(v, d)) << v << " to " << d << " places";
            ASSERT_EQ(Val(Format(v, patterns[d])), ShownByPrintf(v, d)) << v << " to " << d << " places";
        }
    }
}

}  // namespace
