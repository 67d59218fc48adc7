#include "subjectcheck.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tamrik {
namespace {

const std::string kRuleMessage = "  ไม่ผ่านเกณฑ์!!  วิชา 01 , 02 คะแนนรวมน้อยกว่า 30 % ";

std::string minimumMessage(const std::string& code, const std::string& name, const std::string& minimum)
{
    return "   วิชา " + code + " " + name + " ไม่ผ่านเกณฑ์ขั้นต่ำ " + minimum + " % ";
}

struct CheckCase {
    const char* name;
    std::vector<SubjectRow> mainRows;
    std::vector<SubjectRow> specRows;
    bool rule0102;
    std::vector<std::string> messages;
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.name;
}

class SubjectCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(SubjectCheck, MessagesInOrderAndFailedExactlyWithOne)
{
    const CheckCase& c = GetParam();
    const SubjectCheckResult result = CheckSubjectScores(c.mainRows, c.specRows, c.rule0102);
    EXPECT_EQ(result.messages, c.messages);
    EXPECT_EQ(result.failed, !c.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SubjectCheck,
    testing::Values(
        CheckCase{"rule_30_and_30_passes",
                  {{"01", "ภาษาไทย", "30", "0"}, {"02", "สังคมศึกษา", "30", "0"}}, {}, true, {}},
        CheckCase{"rule_29_99_and_30_fails",
                  {{"01", "ภาษาไทย", "29.99", "0"}, {"02", "สังคมศึกษา", "30", "0"}}, {}, true, {kRuleMessage}},
        CheckCase{"rule_hidden_adds_nothing",
                  {{"01", "ภาษาไทย", "10", "0"}, {"02", "สังคมศึกษา", "10", "0"}}, {}, false, {}},
        CheckCase{"rule_reads_rows_1_and_2_whatever_their_codes",
                  {{"03", "ภาษาอังกฤษ", "20", "0"}, {"04", "คณิตศาสตร์ 1", "20", "0"}}, {}, true, {kRuleMessage}},
        CheckCase{"rule_with_one_main_row_reads_the_missing_one_as_0",
                  {{"01", "ภาษาไทย", "59.5", "0"}}, {}, true, {kRuleMessage}},
        CheckCase{"equal_to_minimum_passes", {{"04", "คณิตศาสตร์ 1", "45.5", "45.50"}}, {}, false, {}},
        CheckCase{"empty_box_fails_a_minimum_above_0",
                  {{"04", "คณิตศาสตร์ 1", "", "0.01"}}, {}, false,
                  {minimumMessage("04", "คณิตศาสตร์ 1", "0.01")}},
        CheckCase{"empty_box_passes_a_minimum_of_0", {{"04", "คณิตศาสตร์ 1", "", "0"}}, {}, false, {}},
        CheckCase{"score_read_as_its_leading_number", {{"04", "คณิตศาสตร์ 1", " 35abc", "35"}}, {}, false, {}},
        CheckCase{"two_main_and_one_special_in_row_order",
                  {{"03", "ภาษาอังกฤษ", "50", "20"}, {"05", "คณิตศาสตร์ 2", "19.99", "20.00"},
                   {"06", "ฟิสิกส์", "0", "25"}},
                  {{"31", "ความถนัดทางวิศวกรรม", "49", "50"}}, false,
                  {minimumMessage("05", "คณิตศาสตร์ 2", "20.00"), minimumMessage("06", "ฟิสิกส์", "25"),
                   minimumMessage("31", "ความถนัดทางวิศวกรรม", "50")}},
        CheckCase{"rule_message_comes_first",
                  {{"01", "ภาษาไทย", "20", "25"}, {"02", "สังคมศึกษา", "30", "0"}}, {}, true,
                  {kRuleMessage, minimumMessage("01", "ภาษาไทย", "25")}}),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

struct SlotCase {
    const char* name;
    const char* code;
    std::optional<std::size_t> slot;
};

void PrintTo(const SlotCase& c, std::ostream* os)
{
    *os << c.name;
}

class ScoreSlotOf : public testing::TestWithParam<SlotCase> {};

TEST_P(ScoreSlotOf, WholeNumbersFrom1To51Only)
{
    EXPECT_EQ(ScoreSlot(GetParam().code), GetParam().slot);
}

INSTANTIATE_TEST_SUITE_P(Codes, ScoreSlotOf,
                         testing::Values(SlotCase{"first", "01", 0}, SlotCase{"last", "51", 50},
                                         SlotCase{"one_digit", "7", 6}, SlotCase{"blanks_around", " 12 ", 11},
                                         SlotCase{"zero", "00", std::nullopt},
                                         SlotCase{"above_51", "52", std::nullopt},
                                         SlotCase{"either_of_pair", "61", std::nullopt},
                                         SlotCase{"negative", "-1", std::nullopt},
                                         SlotCase{"fraction", "1.5", std::nullopt},
                                         SlotCase{"trailing_text", "01x", std::nullopt},
                                         SlotCase{"empty", "", std::nullopt}),
                         [](const testing::TestParamInfo<SlotCase>& info) { return std::string(info.param.name); });

std::array<std::string, 51> noScores()
{
    std::array<std::string, 51> scores;
    scores.fill("-1");
    return scores;
}

TEST(RememberScores, WritesEachRowAsTheTextOfItsNumber)
{
    auto scores = noScores();
    RememberScores({{"01", "ภาษาไทย", "85.00", "0"}, {"02", "สังคมศึกษา", "72.50", "0"}},
                   {{"51", "ความถนัดทางศิลปกรรม", "", "0"}, {"31", "ความถนัดทางวิศวกรรม", "abc", "0"}}, scores);

    auto expected = noScores();
    expected[0] = "85";
    expected[1] = "72.5";
    expected[50] = "0";
    expected[30] = "0";
    EXPECT_EQ(scores, expected);
}

TEST(RememberScores, SkipsRowsWithoutASlotAndKeepsTheOthers)
{
    auto scores = noScores();
    scores[4] = "60";
    RememberScores({{"00", "", "10", "0"}, {"52", "", "20", "0"}, {"", "", "30", "0"}},
                   {{"x", "", "40", "0"}, {"-5", "", "50", "0"}}, scores);

    auto expected = noScores();
    expected[4] = "60";
    EXPECT_EQ(scores, expected);
}

TEST(RememberScores, SpecialRowsComeAfterMainRows)
{
    auto scores = noScores();
    RememberScores({{"05", "", "40", "0"}}, {{"05", "", "55.25", "0"}}, scores);
    EXPECT_EQ(scores[4], "55.25");
}

}  // namespace
}  // namespace tamrik
