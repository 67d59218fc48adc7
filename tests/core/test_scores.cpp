// Pages 2 to 4: subtotals, the score box check, minimums, GPA and PR shares, the summary.
#include "gpapr.h"
#include "subjectcheck.h"
#include "subtotals.h"
#include "summary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tamrik {
namespace {

const auto kNamed = [](const auto& info) { return std::string(info.param.name); };
using Calc = std::array<std::string, 10>;

Calc CalcList(const std::vector<std::string>& codes)
{
    Calc calc;
    calc.fill("-1");
    for (std::size_t i = 0; i < codes.size(); ++i)
        calc[i + 1] = codes[i];
    return calc;
}

TEST(mainSubtotal, EachPartialSumIsRoundedBeforeTheNext)
{
    const Subtotal two = mainSubtotal({{"01", "33.333", ""}, {"02", "33.333", ""}}, CalcList({"01", "02"}));
    EXPECT_DOUBLE_EQ(two.value, 66.663);  // 33.33 + 33.333
    EXPECT_EQ(two.caption, "66.66");
    // 10.01, 20.02 (from 20.015), 30.025: unrounded it would be 30.015.
    const Subtotal three = mainSubtotal({{"01", "10.005", ""}, {"02", "10.005", ""}, {"03", "10.005", ""}},
                                        CalcList({"01", "02", "03"}));
    EXPECT_DOUBLE_EQ(three.value, 30.025);
    EXPECT_EQ(three.caption, "30.03");
    EXPECT_EQ(mainSubtotal({{"01", "50", ""}}, CalcList({"03"})).caption, "0");
    // A text that is no number counts as an empty box, not as its leading digits.
    EXPECT_EQ(mainSubtotal({{"01", "8O", ""}, {"02", "75", ""}}, CalcList({"01", "02"})).caption, "75.00");
}

// Points: score / WMain x MaxMain / 100 x weight, summed in single precision.
TEST(specSubtotal, PointsOfTheListedRows)
{
    const auto special = [](const std::vector<SubtotalRow>& rows, std::size_t nMain, const Calc& calc, const char* w) {
        return specSubtotal(rows, nMain, calc, w, "400.00");
    };
    const Subtotal example = special({{"41", "75", "20"}}, 4, CalcList({"01", "02", "03", "04", "41"}), "40");
    EXPECT_EQ(example.value, 150.0);  // 75 / 40 x 400 / 100 x 20
    EXPECT_EQ(example.caption, "150.00");
    const Subtotal sum = special({{"41", "77.77", "30"}, {"42", "66.66", "30"}}, 0, CalcList({"41", "42"}), "60");
    EXPECT_EQ(sum.value, 288.8599853515625);  // 155.54 + 133.32 as floats
    EXPECT_EQ(sum.caption, "288.86");
    // Slots 1 to nMain + nSpecial = 5 only: the code in slot 6 is left out.
    EXPECT_EQ(special({{"41", "50", "30"}}, 4, CalcList({"01", "02", "03", "04", "05", "41"}), "60").caption, "0");
    const Subtotal noWeight = special({{"41", "50", "30"}}, 0, CalcList({"41"}), "0");
    EXPECT_EQ(noWeight.value, 0.0);
    EXPECT_EQ(noWeight.caption, "0");
}

TEST(checkScoreBox, RangeAndRewrite)
{
    const auto leave = [](const char* text) {
        const ScoreBoxCheck c = checkScoreBox(text);
        return (c.valid ? "[" : "refused [") + c.text + (c.paleYellow ? "] yellow" : "] white");
    };
    EXPECT_EQ(leave("100"), "[100.00] yellow");
    EXPECT_EQ(leave("99.999"), "[100.00] yellow");
    EXPECT_EQ(leave("100.01"), "refused [] white");
    EXPECT_EQ(leave("-1"), "refused [] white");
    EXPECT_EQ(leave("1e999"), "refused [] white");
    EXPECT_EQ(leave(" 75. "), "[75.00] yellow");
    EXPECT_EQ(leave(""), "[] white");
    EXPECT_EQ(leave("  "), "[] white");
    // No number, no score: refused as one out of range would be.
    EXPECT_EQ(leave("12abc"), "refused [] white");
    EXPECT_EQ(leave("8O"), "refused [] white");
    EXPECT_EQ(leave("1e2"), "refused [] white");
}

const std::string kRuleMessage = "  ไม่ผ่านเกณฑ์!!  วิชา 01 , 02 คะแนนรวมน้อยกว่า 30 % ";

std::string Below(const std::string& code, const std::string& name, const std::string& minimum)
{
    return "   วิชา " + code + " " + name + " ไม่ผ่านเกณฑ์ขั้นต่ำ " + minimum + " % ";
}

struct CheckCase {
    const char* name;
    std::vector<SubjectRow> mainRows, specialRows;
    bool rule0102;
    std::vector<std::string> messages;
};
void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }
class SubjectCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(SubjectCheck, MessagesInOrder)
{
    const CheckCase& c = GetParam();
    const SubjectCheckResult result = checkSubjectScores(c.mainRows, c.specialRows, c.rule0102);
    EXPECT_EQ(result.messages, c.messages);
    EXPECT_EQ(result.failed, !c.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SubjectCheck,
    ::testing::Values(
        CheckCase{"Rule30And30Passes", {{"01", "ก", "30", "0"}, {"02", "ข", "30", "0"}}, {}, true, {}},
        CheckCase{"Rule29_99And30Fails", {{"01", "ก", "29.99", "0"}, {"02", "ข", "30", "0"}}, {}, true,
                  {kRuleMessage}},
        CheckCase{"EqualToMinimumPasses", {{"04", "คณิตศาสตร์ 1", "45.5", "45.50"}}, {}, false, {}},
        CheckCase{"EmptyBoxFailsAMinimum", {{"04", "ค", "", "0.01"}}, {}, false, {Below("04", "ค", "0.01")}},
        CheckCase{"NoNumberCountsAsEmpty", {{"04", "ค", "80abc", "0.01"}}, {}, false, {Below("04", "ค", "0.01")}},
        CheckCase{"MainRowsThenSpecial",
                  {{"03", "ภาษาอังกฤษ", "50", "20"}, {"05", "คณิตศาสตร์ 2", "19.99", "20.00"},
                   {"06", "ฟิสิกส์", "0", "25"}},
                  {{"31", "ความถนัดทางวิศวกรรม", "49", "50"}}, false,
                  {Below("05", "คณิตศาสตร์ 2", "20.00"), Below("06", "ฟิสิกส์", "25"),
                   Below("31", "ความถนัดทางวิศวกรรม", "50")}},
        CheckCase{"RuleMessageFirst", {{"01", "ภาษาไทย", "20", "25"}, {"02", "ข", "30", "0"}}, {}, true,
                  {kRuleMessage, Below("01", "ภาษาไทย", "25")}}),
    kNamed);

TEST(rememberScores, NumberTextsInTheirSlotsAndBadCodesSkipped)
{
    ScoreSlots scores;
    scores.fill("-1");
    scores[4] = "60";
    scores[50] = "70";
    rememberScores({{"01", "", "85.00", "0"}, {"00", "", "10", "0"}, {"52", "", "20", "0"}, {"06", "", "40", "0"},
                    {"02", "", "0.00", "0"}},
                   {{"51", "", "", "0"}, {"x", "", "30", "0"}, {"06", "", "55.25", "0"}}, scores);
    ScoreSlots expected;
    expected.fill("-1");
    expected[0] = "85";
    expected[1] = "0";  // a typed 0 is a score; an empty box (51) is none
    expected[4] = "60";
    expected[5] = "55.25";  // the special row comes after the main row
    EXPECT_EQ(scores, expected);
}

// What a subject code is, for the window, the data tool's check and
// tamrik-calc alike: a text that is a whole number from 1 to 51.
TEST(scoreSlot, AWholeNumberFrom1To51)
{
    for (const char* code : {"01", "1", " 1 ", "1.0", "001"})
        EXPECT_EQ(scoreSlot(code), std::optional<std::size_t>(0)) << code;
    EXPECT_EQ(scoreSlot("51"), std::optional<std::size_t>(50));
    for (const char* code : {"", "00", "52", "1.5", "-1", "x1", "1x"})
        EXPECT_FALSE(scoreSlot(code)) << code;
}

const char* const kMean = "2.4397771456";
const char* const kSd = "0.5519077994";

double normalCdf(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

struct GpaCase {
    const char* name;
    float gpa;
    const char* mean;
    const char* sd;
    std::vector<std::string> keys;  // asked of the table; none when the parameters are refused
    float fraction;
};
void PrintTo(const GpaCase& c, std::ostream* os) { *os << c.name; }
class GpaFraction : public ::testing::TestWithParam<GpaCase> {};

// A normal table that holds only 1.015, 0.797 and 0.000; 0.000 holds an odd
// value so that 1 - p cannot pass for p.
TEST_P(GpaFraction, KeyAndFraction)
{
    std::vector<std::string> keys;
    const ProbLookup lookup = [&keys](const std::string& key) -> std::optional<double> {
        keys.push_back(key);
        if (key == "0.000")
            return 0.25;
        return key == "1.015" || key == "0.797" ? std::optional<double>(normalCdf(std::stod(key))) : std::nullopt;
    };
    EXPECT_EQ(GpaToProb(GetParam().gpa, GetParam().mean, GetParam().sd, lookup), GetParam().fraction);
    EXPECT_EQ(keys, GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, GpaFraction,
    ::testing::Values(
        GpaCase{"Gpa3UpperHalf", 3.0f, kMean, kSd, {"1.015"}, static_cast<float>(normalCdf(1.015))},
        GpaCase{"Gpa2BySymmetry", 2.0f, kMean, kSd, {"0.797"}, 1.0f - static_cast<float>(normalCdf(0.797))},
        GpaCase{"ZRoundingTo0IsNotNegative", 2.0f, "2.0004", "1", {"0.000"}, 0.25f},
        GpaCase{"KeyWithoutARow", 4.0f, kMean, kSd, {"2.827"}, 0.0f},
        GpaCase{"Sd0", 3.0f, kMean, "0", {}, 0.0f}, GpaCase{"SdNotANumber", 3.0f, kMean, "abc", {}, 0.0f},
        GpaCase{"MeanNegative", 3.0f, "-2.4", kSd, {}, 0.0f}),
    kNamed);

// Every PR of two decimals: its band is the hundredths divided by 500, rounded up.
TEST(PrToShare, EveryHundredthFallsInItsBandAndGapsInNone)
{
    for (int hundredths = 1; hundredths <= 9999; ++hundredths) {
        const int band = (hundredths + 499) / 500;
        ASSERT_EQ(PrToShare(static_cast<float>(hundredths / 100.0)), static_cast<float>(band / 20.0)) << hundredths;
    }
    EXPECT_EQ(PrToShare(0.0f), 0.0f);
    EXPECT_EQ(PrToShare(95.005f), 0.0f);
    EXPECT_EQ(PrToShare(99.995f), 0.0f);
}

TEST(sharePoints, Pr85_50With10PerPercentEarns45Of50AndRangesHold)
{
    const std::optional<double> points = prPoints(boxValue({"85", "50"}), 10.0f);
    ASSERT_TRUE(points);
    EXPECT_NEAR(*points, 45.0, 1e-5);
    EXPECT_EQ(fullShareText(10.0f), "50.00");
    const ProbLookup never = [](const std::string&) -> std::optional<double> { throw std::logic_error("asked"); };
    EXPECT_THROW(GpaToProb(3.0f, kMean, kSd, never), std::logic_error);  // a fault is not a fraction of 0
    EXPECT_FALSE(gpaPoints(0.0, 10.0f, kMean, kSd, never));
    EXPECT_FALSE(gpaPoints(4.01, 10.0f, kMean, kSd, never));
    EXPECT_FALSE(prPoints(100.0, 10.0f));
}

std::string Shown(const BoxTexts& boxes) { return boxes.integer + "|" + boxes.decimals; }
std::string Shown(const LeaveResult& r) { return Shown(r.boxes) + (r.message ? " " + *r.message : ""); }

TEST(LeavingABox, FillsAndVerdict)
{
    const BoxPart kInt = BoxPart::Integer, kDec = BoxPart::Decimals;
    EXPECT_EQ(Shown(leaveGpaBox(kDec, {"3", "5"})), "3|50");
    EXPECT_EQ(Shown(leaveGpaBox(kDec, {"3", "a"})), "3|a");
    EXPECT_EQ(Shown(leaveGpaBox(kInt, {"", "50"})), "0|50");
    EXPECT_EQ(Shown(leaveGpaBox(kDec, {"3", ""})), "3|00");
    EXPECT_EQ(Shown(leaveGpaBox(kDec, {"4", "01"})), "4|01 GPA จะต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 4");
    EXPECT_EQ(Shown(leavePrBox(kInt, {"7", "50"})), "07|50");
    EXPECT_EQ(Shown(leavePrBox(kInt, {"", ""})), "00|");
    EXPECT_EQ(Shown(leavePrBox(kInt, {"-5", "00"})), "-5|00 PR จะต้องมากกว่า 0 และน้อยกว่า 100");
}

TEST(BoxesFromDigits, OnlyAbove0AndNeverInsideACharacter)
{
    EXPECT_EQ(Shown(splitGpaDigits("0025")), "00|25");
    EXPECT_EQ(Shown(prBoxesFromDigits("855").value_or(BoxTexts{"none", ""})), "85|5");
    // Only digits the boxes can hold are a GPA or PR.
    for (const char* none : {"000", "0025", "2,5", "e99", " 35"})
        EXPECT_FALSE(gpaBoxesFromDigits(none)) << none;
    EXPECT_FALSE(prBoxesFromDigits("005+"));
    EXPECT_FALSE(prBoxesFromDigits("0000"));
    EXPECT_EQ(Shown(splitGpaDigits("\u0e01\u0e02\u0e0325")), "\u0e01\u0e02\u0e03|25");
}

TEST(buildSummary, SharesTotalsAndTypedValues)
{
    // PR points 50 x 0.9f.
    const SummaryInput input{540.0, 0.0, 35.0, 45.0000011920929, "800.00", "00.00", "50.00", "50.00", "325", "8550"};
    const SummaryTexts texts = buildSummary(input);
    EXPECT_EQ(texts.LabelMyScore, (std::array<std::string, 4>{"540.00", "0.00", "35.00", "45.00"}));
    EXPECT_EQ(texts.LabelMaxScore, (std::array<std::string, 4>{"800.00", "00.00", "50.00", "50.00"}));
    EXPECT_EQ(texts.Label_total_score[0], "620.00");
    EXPECT_EQ(texts.Label_total_score[1], "900.00");
    EXPECT_EQ(texts.F4LabelGPA, "3.25");
    EXPECT_EQ(texts.F4LabelPR, "85.50");
}

}  // namespace
}  // namespace tamrik
