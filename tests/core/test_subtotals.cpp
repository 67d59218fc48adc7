#include "subtotals.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace tamrik;

namespace {

using Calc = std::array<std::string, 10>;

Calc CalcList(std::vector<std::string> codes)
{
    Calc calc;
    calc.fill("-1");
    for (std::size_t i = 0; i < codes.size(); ++i)
        calc[i + 1] = codes[i];
    return calc;
}

// --- main subtotal ------------------------------------------------------------

struct MainCase {
    const char* name;
    std::vector<SubtotalRow> rows;
    Calc calc;
    double value;
    const char* caption;
};

void PrintTo(const MainCase& c, std::ostream* os) { *os << c.name; }

class MainSubtotalTest : public ::testing::TestWithParam<MainCase> {};

TEST_P(MainSubtotalTest, Total)
{
    const MainCase& c = GetParam();
    const Subtotal total = MainSubtotal(c.rows, c.calc);
    EXPECT_DOUBLE_EQ(total.value, c.value);
    EXPECT_EQ(total.caption, c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MainSubtotalTest,
    ::testing::Values(
        MainCase{"OneRow", {{"04", "85", ""}}, CalcList({"04"}), 85.0, "85.00"},
        // 33.33 shown after the first, then 33.33 + 33.333.
        MainCase{"PartialSumRounded", {{"01", "33.333", ""}, {"02", "33.333", ""}}, CalcList({"01", "02"}),
                 66.663, "66.66"},
        // 10.01, then 20.02 (from 20.015), then 30.025: unrounded it would be 30.015.
        MainCase{"RoundingCarriesEachStep",
                 {{"01", "10.005", ""}, {"02", "10.005", ""}, {"03", "10.005", ""}},
                 CalcList({"01", "02", "03"}), 30.025, "30.03"},
        MainCase{"NothingMatches", {{"01", "50", ""}, {"02", "60", ""}}, CalcList({"03", "04"}), 0.0, "0"},
        MainCase{"NoRows", {}, CalcList({"01"}), 0.0, "0"},
        // Only slots 1 to nMain are searched: 01 in slot 3 of a two-row page is left out.
        MainCase{"SlotsBeyondRowCount", {{"01", "50", ""}, {"02", "60", ""}}, CalcList({"03", "02", "01"}),
                 60.0, "60.00"},
        MainCase{"CodeInTwoSlots", {{"01", "40", ""}, {"02", "1", ""}}, CalcList({"01", "01"}), 80.0, "80.00"},
        MainCase{"MatchedNonNumber", {{"01", "abc", ""}}, CalcList({"01"}), 0.0, "0.00"},
        MainCase{"LeadingNumber", {{"01", "12abc", ""}, {"02", "", ""}}, CalcList({"02", "01"}), 12.0,
                 "12.00"},
        MainCase{"CodesCompareAsText", {{"4", "50", ""}}, CalcList({"04"}), 0.0, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- special subtotal ---------------------------------------------------------------

struct SpecCase {
    const char* name;
    std::vector<SubtotalRow> rows;
    std::size_t nMain;
    Calc calc;
    const char* wMain;
    const char* maxMain;
    double value;
    const char* caption;
};

void PrintTo(const SpecCase& c, std::ostream* os) { *os << c.name; }

class SpecSubtotalTest : public ::testing::TestWithParam<SpecCase> {};

TEST_P(SpecSubtotalTest, Total)
{
    const SpecCase& c = GetParam();
    const Subtotal total = SpecSubtotal(c.rows, c.nMain, c.calc, c.wMain, c.maxMain);
    EXPECT_EQ(total.value, c.value);  // exact: the sum is a float widened to double
    EXPECT_EQ(total.caption, c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SpecSubtotalTest,
    ::testing::Values(
        // 75 / 40 x 400 / 100 x 20
        SpecCase{"Example", {{"41", "75", "20"}}, 4, CalcList({"01", "02", "03", "04", "41"}), "40", "400.00",
                 150.0, "150.00"},
        SpecCase{"TwiceTheScore", {{"41", "33.5", "20"}}, 0, CalcList({"41"}), "40", "400", 67.0, "67.00"},
        // 155.54 + 133.32 summed in single precision.
        SpecCase{"SingleSum", {{"41", "77.77", "30"}, {"42", "66.66", "30"}}, 0, CalcList({"41", "42"}), "60",
                 "400.00", 288.8599853515625, "288.86"},
        SpecCase{"PairRows", {{"45", "80", "15.00"}, {"46", "60", "15.00"}}, 4,
                 CalcList({"01", "02", "03", "04", "45", "46"}), "60", "400.00", 140.0, "140.00"},
        // Slots 1 to nMain + nSpec = 5: the code in slot 6 is left out.
        SpecCase{"SlotsBeyondRowCount", {{"41", "50", "30"}}, 4, CalcList({"01", "02", "03", "04", "05", "41"}),
                 "60", "400.00", 0.0, "0"},
        SpecCase{"NothingMatches", {{"41", "50", "30"}}, 0, CalcList({"42"}), "60", "400.00", 0.0, "0"},
        SpecCase{"NoMainWeight", {{"41", "50", "30"}}, 0, CalcList({"41"}), "0", "0.00", 0.0, "0"},
        SpecCase{"MainWeightReadsZero", {{"41", "50", "30"}}, 0, CalcList({"41"}), "00", "400.00", 0.0, "0"},
        SpecCase{"EmptyBox", {{"41", "", "30"}}, 0, CalcList({"41"}), "60", "400.00", 0.0, "0.00"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- range check -----------------------------------------------------------------

struct BoxCase {
    const char* name;
    const char* text;
    bool valid;
    const char* newText;
    bool paleYellow;
};

void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

class ScoreBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ScoreBoxTest, OnLeavingTheBox)
{
    const BoxCase& c = GetParam();
    const ScoreBoxCheck check = CheckScoreBox(c.text);
    EXPECT_EQ(check.valid, c.valid);
    EXPECT_EQ(check.text, c.newText);
    EXPECT_EQ(check.paleYellow, c.paleYellow);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScoreBoxTest,
    ::testing::Values(BoxCase{"Hundred", "100", true, "100.00", true},
                      BoxCase{"AboveHundred", "100.01", false, "", false},
                      BoxCase{"JustAboveHundred", "100.004", false, "", false},
                      BoxCase{"Negative", "-1", false, "", false},
                      BoxCase{"SlightlyNegative", "-0.001", false, "", false},
                      BoxCase{"Empty", "", true, "", false},
                      BoxCase{"TrailingLetters", "12abc", true, "12abc", true},
                      BoxCase{"Letters", "abc", true, "abc", true},
                      BoxCase{"Zero", "0", true, "0.00", true},
                      BoxCase{"NegativeZero", "-0", true, "0.00", true},
                      BoxCase{"Whole", "85", true, "85.00", true},
                      BoxCase{"OneDecimal", "72.5", true, "72.50", true},
                      BoxCase{"RoundsUpToHundred", "99.999", true, "100.00", true},
                      BoxCase{"Blanks", " 50 ", true, "50.00", true},
                      BoxCase{"Huge", "1e999", false, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
