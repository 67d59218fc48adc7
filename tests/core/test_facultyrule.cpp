#include "facultyrule.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <stdexcept>
#include <utility>

using namespace tamrik;

namespace {

using Cells = std::initializer_list<std::pair<const char*, const char*>>;  // nullptr: a null value
using Strings = std::vector<std::string>;

// Rule tables in memory, one row per table and key.
class FakeSource : public RuleSource {
public:
    std::optional<RuleRow> firstRow(std::string_view table, std::string_view, std::string_view key) override
    {
        if (table == throwAt)
            throw std::runtime_error("disk I/O error");
        const auto it = rows.find({std::string(table), std::string(key)});
        return it == rows.end() ? std::nullopt : std::optional<RuleRow>(it->second);
    }
    void set(const std::string& table, Cells values, const std::string& key = "0042")
    {
        RuleRow& row = rows[{table, key}] = RuleRow();
        for (const auto& [column, value] : values)
            row.set(column, value ? std::optional<std::string>(value) : std::nullopt);
    }
    void subject(const char* code, const char* type, const char* name = "วิชา")
    {
        set("SubjectTable", {{"SubCod", code}, {"SubTyp", type}, {"SubName", name}}, code);
    }

    std::map<std::pair<std::string, std::string>, RuleRow> rows;
    std::string throwAt;
};

// The worked example: main 01 to 04, special 41, 04 and 41 with minimums.
FakeSource Example()
{
    FakeSource s;
    s.set("Table12", {{"NumSub", "2"}});
    s.set("Facsubj", {{"NumSubj", "5"}, {"Sub1", "01"}, {"Sub2", "02"}, {"Sub3", "03"}, {"Sub4", "04"},
                      {"Sub5", "41"}});
    for (const char* code : {"01", "02", "03", "04"})
        s.subject(code, "0");
    s.subject("41", "1", "ความถนัดทางวิศวกรรม");
    s.set("tableCRT", {{"NumSub", "2"}, {"SubCod01", "04"}, {"Sco01", "3000"}, {"SubCod02", "41"}, {"Sco02", "2000"}});
    s.set("tableSUM", {{"NumSub", "5"}, {"SubCod01", "01"}, {"SubCod02", "02"}, {"SubCod03", "03"},
                       {"SubCod04", "04"}, {"SubCod05", "41"}, {"Sco05", "20000"}, {"TotSco", "6000"}});
    return s;
}

// The same main subjects with the either-of pair 45/46 (entry 61) as the special block.
FakeSource Pair()
{
    FakeSource s = Example();
    s.set("Facsubj", {{"NumSubj", "6"}, {"Sub1", "01"}, {"Sub2", "02"}, {"Sub3", "03"}, {"Sub4", "04"},
                      {"Sub5", "45"}, {"Sub6", "46"}});
    s.set("tableCRT", {{"NumSub", "0"}});
    s.set("tableSUM", {{"NumSub", "5"}, {"SubCod01", "01"}, {"SubCod02", "02"}, {"SubCod03", "03"},
                       {"SubCod04", "04"}, {"SubCod05", "61"}, {"Sco05", "20000"}, {"TotSco", "6000"}});
    s.set("tb6174", {{"SubCod", "4546"}});
    s.subject("45", "1");
    s.subject("46", "2");
    return s;
}

FacultyRule Load(FakeSource s)
{
    RuleLoadResult r = buildFacultyRule(s, "0042", "0042");
    EXPECT_TRUE(r.ok()) << r.error;
    return r.rule.value_or(FacultyRule());
}

Strings Codes(const std::vector<FacultyRule::SubjectRow>& rows)
{
    Strings out;
    for (const auto& r : rows)
        out.push_back(r.SubCod);
    return out;
}

TEST(buildFacultyRule, WorkedExample)
{
    const FacultyRule rule = Load(Example());
    EXPECT_TRUE(rule.Rule0102);
    EXPECT_EQ(Codes(rule.MainRows), (Strings{"01", "02", "03", "04"}));
    EXPECT_EQ(Codes(rule.SpecRows), (Strings{"41"}));
    EXPECT_EQ(rule.SpecRows[0].SubName, "ความถนัดทางวิศวกรรม");
    EXPECT_EQ(rule.CriteriaText, "วิชา 04 ต้องมากกว่า 30 %; วิชา 41 ต้องมากกว่า 20 %; ");
    EXPECT_EQ(rule.MainRows[3].MinPercent, "30");
    EXPECT_EQ(rule.SpecRows[0].MinPercent, "20");
    EXPECT_EQ(rule.CalcText, "วิชาที่ใช้คำนวณคะแนน คือ 01 ; 02 ; 03 ; 04 ; 41 ; ");
    EXPECT_EQ(rule.CalcSubjCode,
              (std::array<std::string, 10>{"-1", "01", "02", "03", "04", "41", "-1", "-1", "-1", "-1"}));
    EXPECT_EQ(rule.MaxMain, "400.00");
    EXPECT_EQ(rule.WMain, "60");
    EXPECT_EQ(rule.SpecRows[0].Weight, "30");
    EXPECT_EQ(rule.MaxSP, "200.00");
    EXPECT_EQ(rule.ScorePerPercent, 6.6666665f);
    EXPECT_FALSE(rule.PairGroup.has_value());
}

TEST(buildFacultyRule, SpecialFullScoreComesFromTheRoundedMainWeight)
{
    FakeSource s = Example();
    s.rows[{"tableSUM", "0042"}].set("TotSco", "7000");
    const FacultyRule rule = Load(s);
    EXPECT_EQ(rule.WMain, "51");                // 51.43
    EXPECT_EQ(rule.MaxSP, "305.88");            // 39 / 51 x 400, not 300.00
    EXPECT_EQ(rule.ScorePerPercent, 7.8431373f);
    EXPECT_EQ(rule.SpecRows[0].Weight, "26");   // 200 x 90 / 700 = 25.71
}

TEST(buildFacultyRule, EitherOfPairSharesItsWeight)
{
    const FacultyRule rule = Load(Pair());
    ASSERT_EQ(Codes(rule.SpecRows), (Strings{"45", "46"}));
    for (const auto& row : rule.SpecRows) {
        EXPECT_EQ(row.Weight, "15.00") << row.SubCod;
        EXPECT_FALSE(row.WeightShown) << row.SubCod;
    }
    ASSERT_TRUE(rule.PairGroup.has_value());
    EXPECT_EQ(rule.PairGroup->WeightText, "30.00");
    EXPECT_EQ(rule.PairGroup->Rows, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(rule.CalcText, "วิชาที่ใช้คำนวณคะแนน คือ 01 ; 02 ; 03 ; 04 ; 45 ; 46 ; ");
    EXPECT_EQ(rule.CalcSubjCode[6], "46");
    EXPECT_FALSE(rule.CriteriaShown);
}

TEST(buildFacultyRule, CriteriaTextShowsShortestNumbers)
{
    FakeSource s = Example();
    s.set("Table12", {{"NumSub", "1"}});
    s.set("tableCRT", {{"NumSub", "3"}, {"SubCod01", "04"}, {"Sco01", "2550"}, {"SubCod02", "4"},
                       {"Sco02", "1000"}, {"SubCod03", "01"}, {"Sco03", "30"}});
    const FacultyRule rule = Load(s);
    EXPECT_FALSE(rule.Rule0102);
    EXPECT_EQ(rule.CriteriaText,
              "วิชา 04 ต้องมากกว่า 25.5 %; วิชา 4 ต้องมากกว่า 10 %; วิชา 01 ต้องมากกว่า 0.3 %; ");
    EXPECT_EQ(rule.MainRows[3].MinPercent, "25.5");  // "4" does not match the row "04"
    EXPECT_EQ(rule.MainRows[0].MinPercent, "0.3");
}

struct FailureCase {
    const char* name;
    std::function<void(FakeSource&)> spoil;
    std::string detail;
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
class BuildFacultyRuleFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(BuildFacultyRuleFailure, NamesTheFault)
{
    FakeSource s = Example();
    GetParam().spoil(s);
    const RuleLoadResult r = buildFacultyRule(s, "0042", "0042");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, "ไม่สามารถโหลดเกณฑ์ของคณะรหัส 0042 ได้: " + GetParam().detail);
}

const FailureCase kFailures[] = {
    {"NoSumRow", [](FakeSource& s) { s.rows.erase({"tableSUM", "0042"}); }, "ไม่พบข้อมูลของคณะในตาราง tableSUM"},
    {"NullSubjectCode", [](FakeSource& s) { s.rows[{"Facsubj", "0042"}].set("Sub3", std::nullopt); },
     "ค่า Sub3 ในตาราง Facsubj ว่าง"},
    {"ZeroTotal", [](FakeSource& s) { s.rows[{"tableSUM", "0042"}].set("TotSco", "0"); },
     "ค่า TotSco ในตาราง tableSUM ต้องเป็นจำนวนที่มากกว่า 0"},
    {"NegativeTotal", [](FakeSource& s) { s.rows[{"tableSUM", "0042"}].set("TotSco", "-6000"); },
     "ค่า TotSco ในตาราง tableSUM ต้องเป็นจำนวนที่มากกว่า 0"},
    {"TinyTotal", [](FakeSource& s) { s.rows[{"tableSUM", "0042"}].set("TotSco", "1e-320"); },
     "ค่าน้ำหนักวิชาหลักที่คำนวณจาก TotSco ในตาราง tableSUM ไม่อยู่ในช่วงมากกว่า 0 ถึง 90"},
    {"MainWeightAbove90", [](FakeSource& s) { s.rows[{"tableSUM", "0042"}].set("TotSco", "3000"); },
     "ค่าน้ำหนักวิชาหลักที่คำนวณจาก TotSco ในตาราง tableSUM ไม่อยู่ในช่วงมากกว่า 0 ถึง 90"},
    {"NegativeSpecialScore", [](FakeSource& s) { s.rows[{"tableSUM", "0042"}].set("Sco05", "-20000"); },
     "ค่า Sco05 ในตาราง tableSUM ให้คะแนนเต็มติดลบหรือไม่ใช่จำนวน"},
    {"TenCriteria", [](FakeSource& s) { s.rows[{"tableCRT", "0042"}].set("NumSub", "10"); },
     "มีเกณฑ์ขั้นต่ำเกิน 9 ข้อในตาราง tableCRT"},
    {"CodeAboveRange",
     [](FakeSource& s) {
         s.rows[{"Facsubj", "0042"}].set("Sub5", "52");
         s.subject("52", "1");
     },
     "รหัสวิชา 52 ไม่อยู่ในช่วง 01 ถึง 51"},
    {"SourceThrows", [](FakeSource& s) { s.throwAt = "tableCRT"; }, "อ่านฐานข้อมูลไม่สำเร็จ (disk I/O error)"},
};

INSTANTIATE_TEST_SUITE_P(Faults, BuildFacultyRuleFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// A data file's columns in any case; a name given twice keeps its last value,
// a query's column named twice its first; a copy keeps its values when the row
// changes.
TEST(RuleRow, ColumnsWithoutRegardToCase)
{
    RuleRow row;
    for (int k = 1; k <= 40; ++k)
        row.set("SubCod" + std::to_string(k), std::to_string(100 + k));
    row.set("subcod7", "seven");
    row.set("NumSub", std::nullopt);
    EXPECT_EQ(row.get("SUBCOD7"), "seven");
    EXPECT_EQ(row.get("subCod40"), "140");
    EXPECT_TRUE(row.cell("numsub").present);
    EXPECT_TRUE(row.cell("numsub").null);
    EXPECT_FALSE(row.cell("SubCod41").present);
    EXPECT_FALSE(row.cell("XumSub").present);  // the size and last letter of NumSub only
    const RuleRow copy = row;
    row.set("SubCod1", "changed");
    EXPECT_EQ(copy.get("subcod1"), "101");
    EXPECT_EQ(row.get("subcod1"), "changed");
    // A name a query result gives twice: the first column answers.
    const RuleRow twice({"Sco1", "TotSco", "sco1"}, {std::string("first"), std::string("90"), std::string("second")});
    EXPECT_EQ(twice.get("SCO1"), "first");
    EXPECT_EQ(twice.get("totsco"), "90");
}

TEST(restoredScoreText, OnlyAStoredScoreFrom0To100)
{
    ScoreSlots scores;
    scores.fill("-1");
    scores[3] = "72.5";
    scores[4] = "0";
    scores[6] = "150";
    scores[7] = "100";
    scores[8] = "12abc";
    EXPECT_EQ(restoredScoreText(scores, "04"), "72.50");
    EXPECT_EQ(restoredScoreText(scores, "08"), "100.00");
    EXPECT_EQ(restoredScoreText(scores, "05"), "0.00");  // typed, so never blanked
    for (const char* none : {"06", "07", "09", "52"})
        EXPECT_EQ(restoredScoreText(scores, none), std::nullopt) << none;
}

}  // namespace
