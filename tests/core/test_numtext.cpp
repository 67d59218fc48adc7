#include "numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <optional>
#include <string>

using namespace tamrik;

namespace {

// --- Val --------------------------------------------------------------------

struct ValCase {
    const char* name;
    std::string text;
    double expected;
};

void PrintTo(const ValCase& c, std::ostream* os) { *os << c.name; }

class ValTest : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValTest, ReadsLeadingNumber)
{
    const ValCase& c = GetParam();
    EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << "text: [" << c.text << "]";
}

const double kMax = std::numeric_limits<double>::max();

INSTANTIATE_TEST_SUITE_P(
    Texts, ValTest,
    ::testing::Values(
        ValCase{"BlankThenTrailingLetter", " 2.5x", 2.5},
        ValCase{"Letters", "abc", 0.0},
        ValCase{"Empty", "", 0.0},
        ValCase{"BlankInsideDigits", "1 2", 12.0},
        ValCase{"BlankAfterSign", "- 5", -5.0},
        ValCase{"Exponent", "1e2", 100.0},
        ValCase{"UpperExponentWithSign", "25E-1", 2.5},
        ValCase{"ExponentWithoutDigits", "1e", 1.0},
        ValCase{"ExponentSignWithoutDigits", "7e+x", 7.0},
        ValCase{"LeadingPoint", ".5", 0.5},
        ValCase{"SignAlone", "-", 0.0},
        ValCase{"SignAndPointAlone", "+.", 0.0},
        ValCase{"SecondPointEnds", "1.2.3", 1.2},
        ValCase{"DoubleSign", "--5", 0.0},
        ValCase{"ThaiDigits", "\xe0\xb9\x91\xe0\xb9\x92", 0.0},
        ValCase{"LeadingZeros", "08", 8.0},
        ValCase{"LeadingZerosWithFraction", "05.33", 5.33},
        ValCase{"Negative", "-72.5", -72.5},
        ValCase{"TabAndNewline", "\t3\n", 3.0},
        ValCase{"LongDigits", std::string(60, '9'), 1e60},
        ValCase{"LongFraction", "0." + std::string(400, '0') + "1e405", 1e4},
        ValCase{"Overflow", "1e999", kMax},
        ValCase{"NegativeOverflow", "-1e999", -kMax},
        ValCase{"HugeExponentDigits", "1e99999999999999999999999", kMax},
        ValCase{"Underflow", "1e-999", 0.0},
        ValCase{"LongIntegerOverflow", std::string(400, '1'), kMax}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValSign, NegativeZeroReadsAsPlainZero)
{
    EXPECT_FALSE(std::signbit(Val("-0")));
    EXPECT_FALSE(std::signbit(Val("-1e-999")));
}

// --- WholeNumber ----------------------------------------------------------------

struct WholeCase {
    const char* name;
    const char* text;
    std::optional<double> expected;
};

void PrintTo(const WholeCase& c, std::ostream* os) { *os << c.name; }

class WholeNumberTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(WholeNumberTest, AcceptsOnlyAWholeNumber)
{
    const WholeCase& c = GetParam();
    EXPECT_EQ(WholeNumber(c.text), c.expected) << "text: [" << c.text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WholeNumberTest,
    ::testing::Values(
        WholeCase{"Plain", "85", 85.0},
        WholeCase{"BlanksAround", " 12.5 ", 12.5},
        WholeCase{"TrailingPoint", "5.", 5.0},
        WholeCase{"LeadingPoint", ".25", 0.25},
        WholeCase{"SignedExponent", "-3.5e1", -35.0},
        WholeCase{"TrailingLetters", "12abc", std::nullopt},
        WholeCase{"Empty", "", std::nullopt},
        WholeCase{"Blanks", "  ", std::nullopt},
        WholeCase{"PointAlone", ".", std::nullopt},
        WholeCase{"SignAlone", "-", std::nullopt},
        WholeCase{"BlankInside", "1 2", std::nullopt},
        WholeCase{"DanglingExponent", "1e", std::nullopt},
        WholeCase{"TwoPoints", "1.2.3", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// --- NumberText ------------------------------------------------------------

struct TextCase {
    const char* name;
    double value;
    const char* expected;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class NumberTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberTextTest, ShortestText)
{
    EXPECT_EQ(NumberText(GetParam().value), GetParam().expected);
}

// Values with at most 15 significant digits come back exactly; the others
// come back as their 15-digit neighbour, which prints the same again.
TEST_P(NumberTextTest, ReadsBack)
{
    const double v = GetParam().value;
    const std::string text = NumberText(v);
    if (v == 1.0 / 3 || v == 0.1 + 0.2)
        EXPECT_EQ(NumberText(Val(text)), text);
    else
        EXPECT_EQ(Val(text), v);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextTest,
    ::testing::Values(
        TextCase{"Whole", 85.0, "85"}, TextCase{"OneDecimal", 72.5, "72.5"},
        TextCase{"BelowOne", 0.3, "0.3"}, TextCase{"CriterionHundredths", 2550.0 / 100, "25.5"},
        TextCase{"CriterionWhole", 3000.0 / 100, "30"}, TextCase{"CriterionBelowOne", 30.0 / 100, "0.3"},
        TextCase{"Negative", -72.5, "-72.5"}, TextCase{"NegativeBelowOne", -0.25, "-0.25"},
        TextCase{"Zero", 0.0, "0"}, TextCase{"MinusOne", -1.0, "-1"},
        TextCase{"SumNoise", 0.1 + 0.2, "0.3"}, TextCase{"FifteenDigits", 1.0 / 3, "0.333333333333333"},
        TextCase{"LargestPlain", 123456789012345.0, "123456789012345"},
        TextCase{"SmallPlain", 0.0001, "0.0001"}, TextCase{"Large", 1e20, "1E+20"},
        TextCase{"Small", 1.5e-7, "1.5E-07"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Format / FormatText ---------------------------------------------------------

struct FormatCase {
    const char* name;
    double value;
    const char* pattern;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, AppliesPattern)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(Format(c.value, c.pattern), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatTest,
    ::testing::Values(
        // Rounding at the 15-digit decimal text, half away from zero.
        FormatCase{"BinaryBelowHalf", 2.675, "0.00", "2.68"},
        FormatCase{"BinaryBelowHalfSmall", 1.005, "0.00", "1.01"},
        FormatCase{"NegativeHalf", -0.125, "0.00", "-0.13"},
        FormatCase{"PositiveHalf", 0.125, "0.00", "0.13"},
        FormatCase{"HalfOfLastPlace", 0.005, "0.00", "0.01"},
        FormatCase{"BelowHalfOfLastPlace", 0.004, "0.00", "0.00"},
        FormatCase{"NegativeRoundsToZero", -0.004, "0.00", "0.00"},
        FormatCase{"CarryIntoNewDigit", 99.995, "0.00", "100.00"},
        FormatCase{"ThreePlacesCarry", 9.9996, "0.000", "10.000"},
        FormatCase{"RunningTotal", 66.663, "0.00", "66.66"},
        FormatCase{"Zero", 0.0, "0.00", "0.00"},
        FormatCase{"Whole", 85.0, "0.00", "85.00"},
        // Leading digit places and integer digits beyond them.
        FormatCase{"PadsIntegerPlace", 4.75, "00.00", "04.75"},
        FormatCase{"PadsSmallWeight", 5.33, "00.00", "05.33"},
        FormatCase{"WiderThanPattern", 200.0, "00.00", "200.00"},
        FormatCase{"PadsWhole", 8.0, "00", "08"},
        FormatCase{"ThreeDigitWhole", 105.0, "00", "105"},
        FormatCase{"TwoDigitWhole", 60.0, "00", "60"},
        FormatCase{"WholeRoundsDown", 51.428571428571, "00", "51"},
        FormatCase{"NegativeToZeroWhole", -0.4, "00", "00"},
        FormatCase{"NegativeHalfWhole", -0.5, "00", "-01"},
        FormatCase{"HalfWholeUp", 2.5, "00", "03"},
        FormatCase{"NegativePadded", -3.0, "00.00", "-03.00"},
        FormatCase{"ThreePlaces", 1234567.5, "0.000", "1234567.500"},
        FormatCase{"BeyondFifteenDigits", 1e20, "0.00", "100000000000000000000.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatExtremes, SaturatedValueKeepsAllIntegerDigits)
{
    const std::string text = Format(std::numeric_limits<double>::max(), "0.00");
    EXPECT_EQ(text.size(), 309u + 3u);
    EXPECT_EQ(text.substr(0, 15), "179769313486232");
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
}

struct FormatTextCase {
    const char* name;
    const char* text;
    const char* expected;
};

void PrintTo(const FormatTextCase& c, std::ostream* os) { *os << c.name; }

class FormatTextTest : public ::testing::TestWithParam<FormatTextCase> {};

TEST_P(FormatTextTest, RewritesOnlyWholeNumbers)
{
    EXPECT_EQ(FormatText(GetParam().text, "0.00"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatTextTest,
    ::testing::Values(FormatTextCase{"Whole", "85", "85.00"},
                      FormatTextCase{"Blanks", " 72.5 ", "72.50"},
                      FormatTextCase{"Letters", "12abc", "12abc"},
                      FormatTextCase{"Empty", "", ""},
                      FormatTextCase{"Point", ".", "."},
                      FormatTextCase{"Negative", "-1", "-1.00"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
