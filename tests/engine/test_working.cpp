// The working a printout shows for a faculty: the GPA and PR steps agree with
// the shares they explain, and the engine's verdict reads as the window says
// it (the label's rule, the margin, every year, figures marked partial).
#include "evaluationtext.h"
#include "gpaworking.h"
#include "verdictsheet.h"
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
        EXPECT_FLOAT_EQ(workGpa(gpa, kMean, kSd, kTable).fraction, fraction) << gpa;
        EXPECT_FLOAT_EQ(GpaToProb(gpa, kMean, kSd, kTable), fraction) << gpa;
    }
    const GpaWorking low = workGpa(2.0f, kMean, kSd, kTable);
    EXPECT_EQ(low.key, "0.797");
    EXPECT_TRUE(low.negative);
    EXPECT_FLOAT_EQ(low.fraction, 1.0f - 0.787277f);
    EXPECT_FALSE(workGpa(3.9f, kMean, kSd, kTable).tableProb);
    EXPECT_FALSE(workGpa(3.0f, "0", kSd, kTable).z);

    WorkingSheet sheet;
    fillGpaWorking(sheet, "325", kMean, kSd, kTable);
    EXPECT_EQ(sheet.gpaTyped, "3.25");
    EXPECT_EQ(sheet.gpaZ, "1.468");
    EXPECT_EQ(sheet.gpaKey, "1.468");
    EXPECT_EQ(sheet.gpaTableProb, "0.928947888546568");
    EXPECT_EQ(sheet.gpaFraction, "0.9289");
    fillGpaWorking(sheet, "450", kMean, kSd, kTable);  // above 4: no points, no working
    EXPECT_EQ(sheet.gpaZ, "-");
    EXPECT_EQ(sheet.gpaFraction, "-");
}

TEST(Working, PrBandsAtTheirEdges)
{
    EXPECT_EQ(findPrBand(85.50f)->band, 18);
    EXPECT_EQ(findPrBand(0.01f)->band, 1);
    EXPECT_EQ(findPrBand(99.99f)->band, 20);
    EXPECT_FALSE(findPrBand(95.005f));
    const std::pair<float, float> shares[] = {{85.5f, 0.9f}, {95.005f, 0.0f}, {5.0f, 0.05f}, {5.01f, 0.1f}};
    for (const auto& [pr, share] : shares)
        EXPECT_FLOAT_EQ(PrToShare(pr), share) << pr;
    WorkingSheet sheet;
    fillPrWorking(sheet, "8550");
    EXPECT_EQ(sheet.prTyped, "85.50");
    EXPECT_EQ(sheet.prBand, "18 (85.01 - 90.00)");
    EXPECT_EQ(sheet.prFraction, "18/20");
}

TEST(Working, TheVerdictAsPrinted)
{
    FacultyEvaluation below;
    below.lastYear = YearRange{"2543", 591.22, 711.72};
    below.years = {{"2541", 350.1, 420}, {"2543", 591.22, 711.72}};
    below.total = {561.92, 882.36};
    below.chance = Chance::Below;
    below.marginPoints = -29.3;
    below.marginPercent = -3.3206;
    WorkingSheet sheet;
    sheet.years = {{"2530", "1.00", "2.00"}};  // a sheet filled before: its years go
    fillVerdict(sheet, below);
    ASSERT_EQ(sheet.years.size(), 2u);
    EXPECT_EQ(sheet.years[0].min, "350.10");
    EXPECT_EQ(sheet.years[1].max, "711.72");
    EXPECT_EQ(sheet.chance, "ต่ำกว่าคะแนนต่ำสุดปีก่อน");
    EXPECT_EQ(sheet.chanceRule, "คะแนนรวมต่ำกว่าคะแนนต่ำสุดของปี 2543 เกิน 2% ของคะแนนสูงสุดที่เป็นไปได้");
    EXPECT_EQ(sheet.margin, "ต่ำกว่าคะแนนต่ำสุด 29.30 คะแนน (3.32% ของคะแนนสูงสุดที่เป็นไปได้)");
    EXPECT_FALSE(sheet.partial);
    EXPECT_EQ(yearsText(below.years), "2541: 350.10-420.00; 2543: 591.22-711.72");

    // Subjects without a score: the figures can only grow.
    FacultyEvaluation missing = below;
    missing.chance = Chance::MissingScores;
    missing.missing = {"42"};
    fillVerdict(sheet, missing);
    EXPECT_TRUE(sheet.partial);
    EXPECT_EQ(sheet.chanceRule, "ยังไม่ได้ใส่คะแนนบางวิชาที่คณะนี้ใช้: คะแนนรวมยังไม่ครบ (มีเครื่องหมาย ≥) และวิชาที่ยังไม่มีคะแนน"
                                "ไม่นับว่าไม่ผ่านเกณฑ์ขั้นต่ำ");
    FacultyEvaluation none;
    fillVerdict(sheet, none);
    EXPECT_EQ(sheet.chanceRule, "ไม่มีคะแนนต่ำสุด-สูงสุดของปีก่อนให้เทียบ");
    EXPECT_EQ(sheet.margin, "");
    EXPECT_TRUE(sheet.years.empty());

    // What is needed lists only what can reach it; nothing once reached.
    Needed needed;
    needed.points = 12.344;
    needed.subjects = {{"04", 67.25}, {"41", std::nullopt}};
    needed.gpa = 3.4;
    EXPECT_EQ(neededText(needed), "ขาดอีก 12.34 คะแนน; หรือวิชา 04 ได้ 67.25; หรือ GPA 3.40");
    needed.points = 0;
    EXPECT_EQ(neededText(needed), "");

    // The printout's date is in the Buddhist era.
    EXPECT_EQ(thaiDateText(2000, 1, 5), "5 มกราคม พ.ศ. 2543");
    EXPECT_EQ(thaiDateText(2026, 12, 31), "31 ธันวาคม พ.ศ. 2569");
}

}  // namespace
}  // namespace tamrik
