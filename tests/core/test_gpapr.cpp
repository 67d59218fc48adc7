#include "gpapr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>
#include <ostream>
#include <string>
#include <vector>

namespace tamrik {
namespace {

const char* const kMean = "2.4397771456";
const char* const kSd = "0.5519077994";

// Standard normal cumulative probability, independently of the table.
double normalCdf(double z)
{
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

using Table = std::map<std::string, double>;

// A few rows of the normal table; it stops short of 2.827 (GPA 4 with the
// default parameters) on purpose.
Table normalTable()
{
    Table table;
    for (const char* key : {"0.000", "0.797", "1.015", "1.235"})
        table[key] = normalCdf(std::stod(key));
    return table;
}

struct Recorder {
    Table table;
    std::vector<std::string> keys;

    ProbLookup lookup()
    {
        return [this](const std::string& key) -> std::optional<double> {
            keys.push_back(key);
            const auto row = table.find(key);
            if (row == table.end())
                return std::nullopt;
            return row->second;
        };
    }
};

struct GpaCase {
    const char* name;
    float gpa;
    const char* mean;
    const char* sd;
    Table table;
    std::vector<std::string> keys;  // asked of the table, none when the parameters are refused
    float fraction;
};

void PrintTo(const GpaCase& c, std::ostream* os)
{
    *os << c.name;
}

class GpaFraction : public testing::TestWithParam<GpaCase> {};

TEST_P(GpaFraction, KeyAndFraction)
{
    const GpaCase& c = GetParam();
    Recorder recorder{c.table, {}};
    EXPECT_EQ(GpaToProb(c.gpa, c.mean, c.sd, recorder.lookup()), c.fraction);
    EXPECT_EQ(recorder.keys, c.keys);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, GpaFraction,
    testing::Values(
        GpaCase{"gpa_3_upper_half", 3.0f, kMean, kSd, normalTable(), {"1.015"},
                static_cast<float>(normalCdf(1.015))},
        GpaCase{"gpa_2_lower_half_by_symmetry", 2.0f, kMean, kSd, normalTable(), {"0.797"},
                1.0f - static_cast<float>(normalCdf(0.797))},
        GpaCase{"gpa_at_the_mean", 2.5f, "2.5", "0.5", normalTable(), {"0.000"}, 0.5f},
        // An odd table value tells 1 - p from p: z = -0.0004 must not count as negative.
        GpaCase{"z_rounding_to_zero_is_not_negative", 2.0f, "2.0004", "1", Table{{"0.000", 0.25}}, {"0.000"},
                0.25f},
        GpaCase{"negative_key_loses_its_sign", 1.0f, "2.2346", "1", normalTable(), {"1.235"},
                1.0f - static_cast<float>(normalCdf(1.235))},
        GpaCase{"key_without_a_row_gives_0", 4.0f, kMean, kSd, normalTable(), {"2.827"}, 0.0f},
        GpaCase{"parameters_read_as_leading_numbers", 2.5f, " 2.5x", "0.5 SD", normalTable(), {"0.000"}, 0.5f},
        GpaCase{"sd_0_refused", 3.0f, kMean, "0", normalTable(), {}, 0.0f},
        GpaCase{"sd_negative_refused", 3.0f, kMean, "-0.55", normalTable(), {}, 0.0f},
        GpaCase{"sd_not_a_number_refused", 3.0f, kMean, "abc", normalTable(), {}, 0.0f},
        GpaCase{"mean_0_refused", 3.0f, "0", kSd, normalTable(), {}, 0.0f},
        GpaCase{"mean_negative_refused", 3.0f, "-2.4", kSd, normalTable(), {}, 0.0f}),
    [](const testing::TestParamInfo<GpaCase>& info) { return std::string(info.param.name); });

TEST(GpaToProb, FailingLookupsGive0)
{
    const ProbLookup throwing = [](const std::string&) -> std::optional<double> {
        throw std::runtime_error("no such table");
    };
    const ProbLookup notANumber = [](const std::string&) -> std::optional<double> {
        return std::numeric_limits<double>::quiet_NaN();
    };
    EXPECT_EQ(GpaToProb(3.0f, kMean, kSd, throwing), 0.0f);
    EXPECT_EQ(GpaToProb(3.0f, kMean, kSd, notANumber), 0.0f);
    EXPECT_EQ(GpaToProb(3.0f, kMean, kSd, ProbLookup{}), 0.0f);
}

struct PrCase {
    const char* name;
    float pr;
    float fraction;
};

void PrintTo(const PrCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrFraction : public testing::TestWithParam<PrCase> {};

TEST_P(PrFraction, Band)
{
    EXPECT_EQ(PrToShare(GetParam().pr), GetParam().fraction);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, PrFraction,
    testing::Values(PrCase{"pr_5_00", 5.00f, 0.05f}, PrCase{"pr_5_01", 5.01f, 0.10f},
                    PrCase{"pr_95_00", 95.00f, 0.95f}, PrCase{"pr_95_01", 95.01f, 1.00f},
                    PrCase{"pr_99_99", 99.99f, 1.00f}, PrCase{"pr_0_01", 0.01f, 0.05f},
                    PrCase{"pr_85_50", 85.50f, 0.90f}, PrCase{"pr_0", 0.0f, 0.0f},
                    PrCase{"pr_between_bands_95_005", 95.005f, 0.0f},
                    PrCase{"pr_above_the_top_99_995", 99.995f, 0.0f}, PrCase{"pr_100", 100.0f, 0.0f},
                    PrCase{"pr_negative", -5.0f, 0.0f},
                    PrCase{"pr_not_a_number", std::numeric_limits<float>::quiet_NaN(), 0.0f}),
    [](const testing::TestParamInfo<PrCase>& info) { return std::string(info.param.name); });

// Every PR of two decimals: the band is its hundredths divided by 500, rounded up.
TEST(PrToShare, EveryHundredthFallsInItsBand)
{
    for (int hundredths = 1; hundredths <= 9999; ++hundredths) {
        const float pr = static_cast<float>(hundredths / 100.0);
        const int band = (hundredths + 499) / 500;
        ASSERT_EQ(PrToShare(pr), static_cast<float>(band / 20.0)) << hundredths << " hundredths";
    }
}

TEST(SharePoints, ComputedInDoubleFromTheSinglePrecisionFraction)
{
    // 0.95f is 15938355 / 2^24; fifty times that, kept in double.
    EXPECT_EQ(SharePoints(10.0f, 0.95f), 796917750.0 / 16777216.0);
    EXPECT_EQ(SharePoints(10.0f, PrToShare(85.50f)), 50.0 * static_cast<double>(0.9f));
    EXPECT_EQ(SharePoints(0.0f, 1.0f), 0.0);
}

TEST(SharePoints, PrOf85_50With10PerPercentEarns45Of50)
{
    const std::optional<double> points = PrPoints(BoxValue({"85", "50"}), 10.0f);
    ASSERT_TRUE(points);
    EXPECT_NEAR(*points, 45.0, 1e-5);
    EXPECT_EQ(FullShareText(10.0f), "50.00");
    EXPECT_EQ(FullShareText(1.5f), "7.50");
    EXPECT_EQ(FullShareText(0.0f), "0.00");
}

TEST(SharePoints, OnlyInsideTheRanges)
{
    Recorder recorder{normalTable(), {}};
    const ProbLookup lookup = recorder.lookup();
    EXPECT_FALSE(GpaPoints(0.0, 10.0f, kMean, kSd, lookup));
    EXPECT_FALSE(GpaPoints(4.01, 10.0f, kMean, kSd, lookup));
    EXPECT_TRUE(recorder.keys.empty());
    const std::optional<double> gpa3 = GpaPoints(3.0, 10.0f, kMean, kSd, lookup);
    ASSERT_TRUE(gpa3);
    EXPECT_NEAR(*gpa3, 50.0 * normalCdf(1.015), 1e-5);

    EXPECT_FALSE(PrPoints(0.0, 10.0f));
    EXPECT_FALSE(PrPoints(100.0, 10.0f));
    EXPECT_EQ(PrPoints(99.99, 10.0f), 50.0);
}

enum class Page3Box { Gpa, Pr };

struct LeaveCase {
    const char* name;
    Page3Box pair;
    BoxPart left;
    BoxTexts before;
    BoxTexts after;
    std::optional<std::string> message;
};

void PrintTo(const LeaveCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::string kGpaMessage = "GPA จะต้องมากกว่าเท่ากับ 0 และน้อยกว่าเท่ากับ 4";
const std::string kPrMessage = "PR จะต้องมากกว่า 0 และน้อยกว่า 100";

class LeavingABox : public testing::TestWithParam<LeaveCase> {};

TEST_P(LeavingABox, FillsAndVerdict)
{
    const LeaveCase& c = GetParam();
    const LeaveResult result = c.pair == Page3Box::Gpa ? LeaveGpaBox(c.left, c.before) : LeavePrBox(c.left, c.before);
    EXPECT_EQ(result.boxes.integer, c.after.integer);
    EXPECT_EQ(result.boxes.decimals, c.after.decimals);
    EXPECT_EQ(result.message, c.message);
}

constexpr auto kInt = BoxPart::Integer;
constexpr auto kDec = BoxPart::Decimals;

INSTANTIATE_TEST_SUITE_P(
    Page3, LeavingABox,
    testing::Values(
        LeaveCase{"gpa_lone_5_becomes_50", Page3Box::Gpa, kDec, {"3", "5"}, {"3", "50"}, std::nullopt},
        LeaveCase{"gpa_lone_0_becomes_00", Page3Box::Gpa, kDec, {"3", "0"}, {"3", "00"}, std::nullopt},
        LeaveCase{"gpa_lone_letter_left_alone", Page3Box::Gpa, kDec, {"3", "a"}, {"3", "a"}, std::nullopt},
        LeaveCase{"gpa_decimals_untouched_when_leaving_integer", Page3Box::Gpa, kInt, {"3", "5"}, {"3", "5"},
                  std::nullopt},
        LeaveCase{"gpa_empty_integer_gets_one_0", Page3Box::Gpa, kInt, {"", "50"}, {"0", "50"}, std::nullopt},
        LeaveCase{"gpa_empty_decimals_get_00", Page3Box::Gpa, kDec, {"3", ""}, {"3", "00"}, std::nullopt},
        LeaveCase{"gpa_zero_passes", Page3Box::Gpa, kDec, {"0", "00"}, {"0", "00"}, std::nullopt},
        LeaveCase{"gpa_4_00_passes", Page3Box::Gpa, kDec, {"4", "0"}, {"4", "00"}, std::nullopt},
        LeaveCase{"gpa_4_01_from_decimals", Page3Box::Gpa, kDec, {"4", "01"}, {"4", "01"}, kGpaMessage},
        LeaveCase{"gpa_4_01_from_integer", Page3Box::Gpa, kInt, {"4", "01"}, {"4", "01"}, kGpaMessage},
        LeaveCase{"gpa_5_from_integer", Page3Box::Gpa, kInt, {"5", "00"}, {"5", "00"}, kGpaMessage},
        LeaveCase{"gpa_minus_sign", Page3Box::Gpa, kInt, {"-", "50"}, {"-", "50"}, kGpaMessage},
        LeaveCase{"pr_lone_7_becomes_07", Page3Box::Pr, kInt, {"7", "50"}, {"07", "50"}, std::nullopt},
        LeaveCase{"pr_lone_decimal_widened_whichever_box", Page3Box::Pr, kInt, {"85", "5"}, {"85", "50"},
                  std::nullopt},
        LeaveCase{"pr_both_rules_when_leaving_decimals", Page3Box::Pr, kDec, {"7", ""}, {"07", "00"},
                  std::nullopt},
        LeaveCase{"pr_empty_integer_left_first", Page3Box::Pr, kInt, {"", ""}, {"00", ""}, std::nullopt},
        LeaveCase{"pr_then_empty_decimals_left", Page3Box::Pr, kDec, {"00", ""}, {"00", "00"}, std::nullopt},
        LeaveCase{"pr_lone_letter_left_alone", Page3Box::Pr, kInt, {"x", "y"}, {"x", "y"}, std::nullopt},
        LeaveCase{"pr_99_99_passes", Page3Box::Pr, kDec, {"99", "99"}, {"99", "99"}, std::nullopt},
        LeaveCase{"pr_negative", Page3Box::Pr, kInt, {"-5", "00"}, {"-5", "00"}, kPrMessage},
        LeaveCase{"pr_lone_minus_with_decimals", Page3Box::Pr, kDec, {"-", "5"}, {"-", "50"}, kPrMessage}),
    [](const testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.name); });

struct DigitsCase {
    const char* name;
    Page3Box pair;
    const char* digits;
    std::optional<BoxTexts> boxes;
};

void PrintTo(const DigitsCase& c, std::ostream* os)
{
    *os << c.name;
}

class RefillFromDigits : public testing::TestWithParam<DigitsCase> {};

TEST_P(RefillFromDigits, OnlyAbove0ByPlaces)
{
    const DigitsCase& c = GetParam();
    const std::optional<BoxTexts> boxes =
        c.pair == Page3Box::Gpa ? GpaBoxesFromDigits(c.digits) : PrBoxesFromDigits(c.digits);
    ASSERT_EQ(boxes.has_value(), c.boxes.has_value());
    if (boxes) {
        EXPECT_EQ(boxes->integer, c.boxes->integer);
        EXPECT_EQ(boxes->decimals, c.boxes->decimals);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Page3, RefillFromDigits,
    testing::Values(DigitsCase{"gpa_325", Page3Box::Gpa, "325", BoxTexts{"3", "25"}},
                    DigitsCase{"gpa_050", Page3Box::Gpa, "050", BoxTexts{"0", "50"}},
                    DigitsCase{"gpa_start_up_000", Page3Box::Gpa, "000", std::nullopt},
                    DigitsCase{"gpa_after_change_of_user_00", Page3Box::Gpa, "00", std::nullopt},
                    DigitsCase{"gpa_wide_integer_0025", Page3Box::Gpa, "0025", BoxTexts{"00", "25"}},
                    DigitsCase{"gpa_short_decimals_35", Page3Box::Gpa, "35", BoxTexts{"3", "5"}},
                    DigitsCase{"gpa_thai_letter_kept_whole", Page3Box::Gpa, "3\u0e01", BoxTexts{"3", "\u0e01"}},
                    DigitsCase{"gpa_negative", Page3Box::Gpa, "-25", std::nullopt},
                    DigitsCase{"gpa_letters", Page3Box::Gpa, "abc", std::nullopt},
                    DigitsCase{"pr_0475", Page3Box::Pr, "0475", BoxTexts{"04", "75"}},
                    DigitsCase{"pr_9950", Page3Box::Pr, "9950", BoxTexts{"99", "50"}},
                    DigitsCase{"pr_start_up_0000", Page3Box::Pr, "0000", std::nullopt},
                    DigitsCase{"pr_empty", Page3Box::Pr, "", std::nullopt},
                    DigitsCase{"pr_short_decimals_855", Page3Box::Pr, "855", BoxTexts{"85", "5"}},
                    DigitsCase{"pr_wide_integer_12345", Page3Box::Pr, "12345", BoxTexts{"123", "45"}}),
    [](const testing::TestParamInfo<DigitsCase>& info) { return std::string(info.param.name); });

TEST(SplitDigits, ThaiCharactersAreNeverCut)
{
    const BoxTexts gpa = SplitGpaDigits("\u0e01\u0e02\u0e0325");
    EXPECT_EQ(gpa.integer, "\u0e01\u0e02\u0e03");
    EXPECT_EQ(gpa.decimals, "25");
    const BoxTexts pr = SplitPrDigits("\u0e01\u0e0250");
    EXPECT_EQ(pr.integer, "\u0e01\u0e02");
    EXPECT_EQ(pr.decimals, "50");
}

}  // namespace
}  // namespace tamrik
