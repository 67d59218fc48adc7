#include "summary.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tamrik {
namespace {

TEST(BuildSummary, SharesTotalsAndTypedValues)
{
    SummaryInput input;
    input.MainTotalScore = 540.0;
    input.SpecTotalScore = 0.0;
    input.GpaScore = 35.0;
    input.PrScore = 45.0000011920929;  // 50 x 0.9f
    input.MainMaxText = "800.00";
    input.SpecMaxText = "00.00";
    input.gpaFullText = "50.00";
    input.prFullText = "50.00";
    input.GpaDigits = "325";
    input.PrDigits = "8550";

    const SummaryTexts texts = BuildSummary(input);
    const std::array<std::string, 4> earned{"540.00", "0.00", "35.00", "45.00"};
    const std::array<std::string, 4> full{"800.00", "00.00", "50.00", "50.00"};
    EXPECT_EQ(texts.LabelMyScore, earned);
    EXPECT_EQ(texts.LabelMaxScore, full);
    EXPECT_EQ(texts.Label_total_score[0], "620.00");
    EXPECT_EQ(texts.Label_total_score[1], "900.00");
    EXPECT_EQ(texts.F4LabelGPA, "3.25");
    EXPECT_EQ(texts.F4LabelPR, "85.50");
}

TEST(CompositeScore, AddsSpecialMainGpaPrInThatOrder)
{
    // (0.1 + 0.2) + 0.3 is one step above 0.6 in double; 0.1 + (0.2 + 0.3) is 0.6.
    EXPECT_EQ(CompositeScore(0.1, 0.2, 0.3, 0.0), 0.6000000000000001);
    EXPECT_EQ(CompositeScore(1e16, 1.0, 1.0, 0.0), 1e16);
}

TEST(HighestPossibleScore, ReadsTheCaptionsAsLeadingNumbers)
{
    EXPECT_EQ(HighestPossibleScore("00.00", "800.00", "50.00", "50.00"), 900.0);
    EXPECT_EQ(HighestPossibleScore(" 120.5 points", "abc", "", "7.25"), 127.75);
}

struct TypedCase {
    const char* name;
    bool gpa;
    const char* digits;
    const char* text;
};

void PrintTo(const TypedCase& c, std::ostream* os)
{
    *os << c.name;
}

class TypedValue : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedValue, PiecesStayAligned)
{
    const TypedCase& c = GetParam();
    EXPECT_EQ(c.gpa ? TypedGpaText(c.digits) : TypedPrText(c.digits), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Page4, TypedValue,
    testing::Values(TypedCase{"gpa_325", true, "325", "3.25"}, TypedCase{"gpa_nothing_000", true, "000", "0.00"},
                    TypedCase{"gpa_wide_integer_0025", true, "0025", "00.25"},
                    TypedCase{"gpa_short_decimals_35", true, "35", "3.5"},
                    TypedCase{"gpa_empty", true, "", "."}, TypedCase{"pr_8550", false, "8550", "85.50"},
                    TypedCase{"pr_0475", false, "0475", "04.75"},
                    TypedCase{"pr_wide_integer_00750", false, "00750", "007.50"},
                    TypedCase{"pr_short_decimals_855", false, "855", "85.5"}),
    [](const testing::TestParamInfo<TypedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tamrik
