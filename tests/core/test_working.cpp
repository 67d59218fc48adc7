// The pieces behind the all-faculties window and the printouts: the GPA and PR
// working agrees with the shares it explains, the shortlist's rules, and the
// texts of what is needed, of every year and of the verdict.
#include "evaluationtext.h"
#include "gpaworking.h"
#include "shortlist.h"
#include "workingsheet.h"
#include "yeartext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace tamrik {
namespace {

// A few rows of the normal table; any other key is missing.
const ProbLookup kTable = [](const std::string& key) -> std::optional<double> {
    static const std::map<std::string, double> rows = {
        {"1.468", 0.928947888546568}, {"0.797", 0.787277}, {"0.000", 0.5}};
    const auto row = rows.find(key);
    return row == rows.end() ? std::nullopt : std::optional<double>(row->second);
};
const char* const kMean = "2.4397771456";
const char* const kSd = "0.5519077994";

TEST(Working, GpaStepsEndInTheFractionGpaToProbGives)
{
    // 3.25: z 1.468; 2.0: z -0.797, the fraction 1 - the table's value; 3.9:
    // no row; the mean: z 0. The working and the share agree on each.
    const std::pair<float, float> fractions[] = {
        {3.25f, 0.928947888546568f}, {2.0f, 1.0f - 0.787277f}, {3.9f, 0.0f}, {2.4397771456f, 0.5f}};
    for (const auto& [gpa, fraction] : fractions) {
        EXPECT_FLOAT_EQ(WorkGpa(gpa, kMean, kSd, kTable).fraction, fraction) << gpa;
        EXPECT_FLOAT_EQ(GpaToProb(gpa, kMean, kSd, kTable), fraction) << gpa;
    }
    const GpaWorking low = WorkGpa(2.0f, kMean, kSd, kTable);
    EXPECT_EQ(low.key, "0.797");
    EXPECT_TRUE(low.negative);
    EXPECT_FLOAT_EQ(low.fraction, 1.0f - 0.787277f);
    EXPECT_FALSE(WorkGpa(3.9f, kMean, kSd, kTable).tableProb);
    EXPECT_FALSE(WorkGpa(3.0f, "0", kSd, kTable).z);

    WorkingSheet sheet;
    FillGpaWorking(sheet, "325", kMean, kSd, kTable);
    EXPECT_EQ(sheet.gpaTyped, "3.25");
    EXPECT_EQ(sheet.gpaZ, "1.468");
    EXPECT_EQ(sheet.gpaKey, "1.468");
    EXPECT_EQ(sheet.gpaTableProb, "0.928947888546568");
    EXPECT_EQ(sheet.gpaFraction, "0.9289");
    FillGpaWorking(sheet, "450", kMean, kSd, kTable);  // above 4: no points, no working
    EXPECT_EQ(sheet.gpaZ, "-");
    EXPECT_EQ(sheet.gpaFraction, "-");
}

TEST(Working, PrBandsAtTheirEdges)
{
    EXPECT_EQ(FindPrBand(85.50f)->band, 18);
    EXPECT_EQ(FindPrBand(0.01f)->band, 1);
    EXPECT_EQ(FindPrBand(99.99f)->band, 20);
    EXPECT_FALSE(FindPrBand(95.005f));
    const std::pair<float, float> shares[] = {{85.5f, 0.9f}, {95.005f, 0.0f}, {5.0f, 0.05f}, {5.01f, 0.1f}};
    for (const auto& [pr, share] : shares)
        EXPECT_FLOAT_EQ(PrToShare(pr), share) << pr;
    WorkingSheet sheet;
    FillPrWorking(sheet, "8550");
    EXPECT_EQ(sheet.prTyped, "85.50");
    EXPECT_EQ(sheet.prBand, "18 (85.01 - 90.00)");
    EXPECT_EQ(sheet.prFraction, "18/20");
}

TEST(Shortlist, FourInOrderWithoutRepeats)
{
    Shortlist list({"0005", "", "0013", "0005", "0040", "0077", "0100"});
    EXPECT_EQ(list.codes(), (std::vector<std::string>{"0005", "0013", "0040", "0077"}));
    EXPECT_EQ(list.add("0100"), Shortlist::Added::Full);
    EXPECT_TRUE(list.remove(1));
    EXPECT_EQ(list.add("0040"), Shortlist::Added::AlreadyIn);
    EXPECT_EQ(list.add("0100"), Shortlist::Added::Yes);
    EXPECT_FALSE(list.moveUp(0));
    EXPECT_FALSE(list.moveDown(3));
    EXPECT_FALSE(list.remove(4));
    EXPECT_TRUE(list.moveDown(0));
    EXPECT_EQ(list.codes(), (std::vector<std::string>{"0040", "0005", "0077", "0100"}));
    EXPECT_EQ(ChoiceCaption(3), "อันดับ 4");
}

TEST(Texts, NeededAndYears)
{
    Needed needed;
    needed.points = 12.344;
    needed.subjects = {{"04", 67.25}, {"41", std::nullopt}};
    needed.gpa = 3.4;
    EXPECT_EQ(NeededText(needed), "ขาดอีก 12.34 คะแนน; หรือวิชา 04 ได้ 67.25; หรือ GPA 3.40");
    needed.points = 0;
    EXPECT_EQ(NeededText(needed), "");
    EXPECT_EQ(YearsText({{"2541", 350.1, 420}, {"2543", 366.6, 448.71}}), "2541: 350.10-420.00; 2543: 366.60-448.71");

    // The printed verdict: a margin below the lowest reads as such, the
    // borderline share is the engine's, and the date is in the Buddhist era.
    EXPECT_EQ(MarginText(-12.3, -1.845), "ต่ำกว่าคะแนนต่ำสุด 12.30 คะแนน (1.85% ของคะแนนสูงสุดที่เป็นไปได้)");
    EXPECT_EQ(MarginText(std::nullopt, std::nullopt), "");
    EXPECT_EQ(ChanceRuleText(Chance::Below, "2543"),
              "คะแนนสุทธิต่ำกว่าคะแนนต่ำสุดของปี 2543 เกิน 2% ของคะแนนสูงสุดที่เป็นไปได้");
    EXPECT_EQ(ThaiDateText(2000, 1, 5), "5 มกราคม พ.ศ. 2543");
    EXPECT_EQ(ThaiDateText(2026, 12, 31), "31 ธันวาคม พ.ศ. 2569");
}

}  // namespace
}  // namespace tamrik
