// Chance states at their edges, the ranking order, and the applicant as the
// wizard remembers it. The figures themselves are checked against the real
// window (tests/app/test_engineagreement).
#include "applicant.h"
#include "chance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

using namespace tamrik;

namespace {

struct ChanceCase {
    const char* name;
    bool failsMinimum, missing;
    std::optional<YearRange> lastYear;
    double total;
    Chance expected;
    std::optional<double> marginPercent;
};

void PrintTo(const ChanceCase& c, std::ostream* os) { *os << c.name; }

const YearRange Range{"2543", 400.00, 480.00};  // of 500.00 possible: 2 % is 10.00 points

class ChanceEdges : public ::testing::TestWithParam<ChanceCase> {};

TEST_P(ChanceEdges, FirstStateThatApplies)
{
    const ChanceCase& c = GetParam();
    const ChanceResult r = decideChance(c.failsMinimum, c.missing, c.lastYear, Earned{c.total, 500.00});
    EXPECT_EQ(chanceKey(r.chance), chanceKey(c.expected));
    EXPECT_EQ(r.marginPercent.has_value(), c.marginPercent.has_value());
    if (c.marginPercent && r.marginPercent) {
        EXPECT_DOUBLE_EQ(*r.marginPercent, *c.marginPercent);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChanceEdges,
    ::testing::Values(ChanceCase{"atHighest", false, false, Range, 480.00, Chance::AboveMax, 16.0},
                      ChanceCase{"justUnderHighest", false, false, Range, 479.99, Chance::Clear, 15.998},
                      ChanceCase{"twoPercentAbove", false, false, Range, 410.00, Chance::Clear, 2.0},
                      ChanceCase{"justUnderTwoPercent", false, false, Range, 409.99, Chance::Borderline, 1.998},
                      ChanceCase{"atLowest", false, false, Range, 400.00, Chance::Borderline, 0.0},
                      ChanceCase{"twoPercentBelow", false, false, Range, 390.00, Chance::Borderline, -2.0},
                      ChanceCase{"justBeyondTwoPercentBelow", false, false, Range, 389.99, Chance::Below, -2.002},
                      ChanceCase{"noRow", false, false, std::nullopt, 450.00, Chance::NoData, std::nullopt},
                      ChanceCase{"zeroRange", false, false, YearRange{"2543", 0, 0}, 450.00, Chance::NoData,
                                 std::nullopt},
                      ChanceCase{"missingBeforeData", false, true, std::nullopt, 450.00, Chance::MissingScores,
                                 std::nullopt},
                      ChanceCase{"missingAboveMax", false, true, Range, 490.00, Chance::MissingScores, 18.0},
                      ChanceCase{"minimumBeforeAll", true, true, Range, 490.00, Chance::FailsMinimum, 18.0}),
    [](const auto& info) { return std::string(info.param.name); });

RankKey Ranked(const char* code, Chance chance, std::optional<double> percent, bool ok = true)
{
    return {ok, chance, percent, code};
}

TEST(Ranking, StateThenMarginThenCodeAndUnbuiltRulesLast)
{
    std::vector<RankKey> list = {
        Ranked("0001", Chance::FailsMinimum, 30.0), Ranked("0002", Chance::Below, -5.0),
        Ranked("0003", Chance::NoData, std::nullopt), Ranked("0004", Chance::Clear, 3.0),
        Ranked("0005", Chance::Clear, 9.0),          Ranked("0006", Chance::AboveMax, 1.0),
        Ranked("0007", Chance::MissingScores, std::nullopt), Ranked("0008", Chance::MissingScores, -1.0),
        Ranked("0009", Chance::Clear, 3.0),          Ranked("0000", Chance::AboveMax, 1.0, false),
        Ranked("0010", Chance::Borderline, 0.5)};
    std::sort(list.begin(), list.end(), keyRanksBefore);
    std::string order;
    for (const RankKey& key : list)
        order += std::string(key.facCode.substr(2)) + " ";
    EXPECT_EQ(order, "06 05 04 09 10 02 03 08 07 01 00 ");
}

TEST(Applicant, ThroughTheWizardsMemoryAndBack)
{
    Applicant a;
    a.Scores[0] = 75;
    a.Scores[1] = 68.5;
    a.Scores[40] = 0;  // typed as 0: a score of 0, as tamrik-calc counts it
    a.Gpa = 3.25;
    a.Pr = 5.5;
    const auto ScoreByCode = scoreByCodeOf(a);
    EXPECT_EQ(ScoreByCode[0], "75");
    EXPECT_EQ(ScoreByCode[1], "68.5");
    EXPECT_EQ(ScoreByCode[2], "-1");
    EXPECT_EQ(gpaDigitsOf(a), "325");
    EXPECT_EQ(prDigitsOf(a), "0550");
    EXPECT_EQ(gpaDigitsOf(Applicant{}), "000");
    EXPECT_EQ(prDigitsOf(Applicant{}), "0000");

    const Applicant back = applicantFromEntries(ScoreByCode, "325", "0550");
    EXPECT_EQ(back.Scores[0], 75);
    EXPECT_EQ(back.Scores[1], 68.5);
    EXPECT_EQ(back.Scores[40], 0.0);
    EXPECT_FALSE(back.Scores[2]);
    EXPECT_EQ(back.Gpa, 3.25);
    EXPECT_EQ(back.Pr, 5.5);
    // Digits out of range, or none, give no GPA or PR.
    EXPECT_FALSE(applicantFromEntries(ScoreByCode, "450", "10000").Gpa);
    EXPECT_FALSE(applicantFromEntries(ScoreByCode, "000", "0000").Pr);
    EXPECT_FALSE(applicantFromEntries(ScoreByCode, "2,5", "5a50").Gpa);
    EXPECT_FALSE(applicantFromEntries(ScoreByCode, "2,5", "5a50").Pr);
}

}  // namespace
