#include "facultyrule.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <stdexcept>
#include <utility>

using namespace tamrik;

namespace {

// Rule tables held in memory; every call is recorded so the order of the
// queries can be checked.
class FakeSource : public RuleSource {
public:
    struct Call {
        std::string table, keyColumn, key;
        bool operator==(const Call& o) const
        {
            return table == o.table && keyColumn == o.keyColumn && key == o.key;
        }
    };

    std::optional<RuleRow> firstRow(std::string_view table, std::string_view keyColumn,
                                     std::string_view key) override
    {
        calls.push_back({std::string(table), std::string(keyColumn), std::string(key)});
        if (table == throwAt)
            throw std::runtime_error("disk I/O error");
        const auto it = rows.find({std::string(table), std::string(keyColumn) + "=" + std::string(key)});
        if (it == rows.end())
            return std::nullopt;
        return it->second;
    }

    // nullptr stands for a null value.
    void add(const std::string& table, const std::string& keyColumn, const std::string& key,
             std::initializer_list<std::pair<const char*, const char*>> values)
    {
        RuleRow& row = rows[{table, keyColumn + "=" + key}];
        for (const auto& [column, value] : values)
            row.set(column, value ? std::optional<std::string>(value) : std::nullopt);
    }
    void drop(const std::string& table, const std::string& keyColumn, const std::string& key)
    {
        rows.erase({table, keyColumn + "=" + key});
    }
    // Replaces a whole row of a faculty table.
    void addFaculty(const std::string& table,
                    std::initializer_list<std::pair<const char*, const char*>> values)
    {
        drop(table, "FacCode", "0042");
        add(table, "FacCode", "0042", values);
    }
    void addSubject(const char* code, const char* type, const char* name)
    {
        add("SubjectTable", "SubCod", code, {{"SubCod", code}, {"SubTyp", type}, {"SubName", name}});
    }

    std::map<std::pair<std::string, std::string>, RuleRow> rows;
    std::vector<Call> calls;
    std::string throwAt;
};

// The faculty of the worked example: main 01 to 04, special 41.
FakeSource DesignFaculty()
{
    FakeSource s;
    s.addFaculty("Table12", {{"FacCode", "0042"}, {"NumSub", "2"}});
    s.addFaculty("Facsubj", {{"NumSubj", "5"}, {"Sub1", "01"}, {"Sub2", "02"}, {"Sub3", "03"},
                             {"Sub4", "04"}, {"Sub5", "41"}, {"Sub6", nullptr}, {"Sub7", nullptr},
                             {"Sub8", nullptr}});
    s.addSubject("01", "0", "ภาษาไทย");
    s.addSubject("02", "0", "สังคมศึกษา");
    s.addSubject("03", "0", "ภาษาอังกฤษ");
    s.addSubject("04", "0", "คณิตศาสตร์ 1");
    s.addSubject("41", "1", "ความถนัดทางวิศวกรรม");
    s.addSubject("45", "1", "ความถนัดทางศิลปกรรม");
    s.addSubject("46", "2", "ความถนัดทางดนตรี");
    s.addFaculty("tableCRT", {{"NumSub", "2"}, {"SubCod01", "04"}, {"Sco01", "3000"},
                              {"SubCod02", "41"}, {"Sco02", "2000"}});
    s.addFaculty("tableSUM", {{"NumSub", "5"}, {"SubCod01", "01"}, {"SubCod02", "02"}, {"SubCod03", "03"},
                              {"SubCod04", "04"}, {"SubCod05", "41"}, {"Sco05", "20000"},
                              {"TotSco", "6000"}});
    return s;
}

// The same main subjects with the either-of pair 45/46 as the special block.
FakeSource PairFaculty()
{
    FakeSource s = DesignFaculty();
    s.addFaculty("Facsubj", {{"NumSubj", "6"}, {"Sub1", "01"}, {"Sub2", "02"}, {"Sub3", "03"},
                             {"Sub4", "04"}, {"Sub5", "45"}, {"Sub6", "46"}});
    s.addFaculty("tableCRT", {{"NumSub", "0"}});
    s.addFaculty("tableSUM", {{"NumSub", "5"}, {"SubCod01", "01"}, {"SubCod02", "02"}, {"SubCod03", "03"},
                              {"SubCod04", "04"}, {"SubCod05", "61"}, {"Sco05", "20000"},
                              {"TotSco", "6000"}});
    s.addFaculty("tb6174", {{"SubCod", "4546"}});
    return s;
}

FacultyRule LoadOk(FakeSource& s)
{
    RuleLoadResult r = BuildFacultyRule(s, "0042", "0042");
    EXPECT_TRUE(r.ok()) << r.error;
    return r.rule.value_or(FacultyRule());
}

std::vector<std::string> Codes(const std::vector<FacultyRule::SubjectRow>& rows)
{
    std::vector<std::string> out;
    for (const auto& r : rows)
        out.push_back(r.SubCod);
    return out;
}

using Strings = std::vector<std::string>;

TEST(BuildFacultyRule, WorkedExample)
{
    FakeSource s = DesignFaculty();
    const FacultyRule rule = LoadOk(s);

    EXPECT_TRUE(rule.Rule0102);
    EXPECT_EQ(Codes(rule.MainRows), (Strings{"01", "02", "03", "04"}));
    EXPECT_EQ(Codes(rule.SpecRows), (Strings{"41"}));
    EXPECT_EQ(rule.MainRows[3].SubName, "คณิตศาสตร์ 1");
    EXPECT_EQ(rule.SpecRows[0].SubName, "ความถนัดทางวิศวกรรม");

    EXPECT_TRUE(rule.CriteriaShown);
    EXPECT_EQ(rule.CriteriaText, "วิชา 04 ต้องมากกว่า 30 %; วิชา 41 ต้องมากกว่า 20 %; ");
    EXPECT_EQ(rule.MainRows[0].MinPercent, "0");
    EXPECT_EQ(rule.MainRows[3].MinPercent, "30");
    EXPECT_EQ(rule.SpecRows[0].MinPercent, "20");

    EXPECT_EQ(rule.CalcText, "วิชาที่ใช้คำนวณคะแนน คือ 01 ; 02 ; 03 ; 04 ; 41 ; ");
    EXPECT_EQ(rule.CalcSubjCode,
              (std::array<std::string, 10>{"-1", "01", "02", "03", "04", "41", "-1", "-1", "-1", "-1"}));
    EXPECT_EQ(rule.MaxMain, "400.00");
    EXPECT_EQ(rule.WMain, "60");
    EXPECT_EQ(rule.SpecRows[0].Weight, "30");
    EXPECT_TRUE(rule.SpecRows[0].WeightShown);
    EXPECT_EQ(rule.MaxSP, "200.00");
    EXPECT_EQ(rule.ScorePerPercent, 6.6666665f);
    EXPECT_FALSE(rule.PairGroup.has_value());
}

TEST(BuildFacultyRule, QueriesInLoadOrder)
{
    FakeSource s = PairFaculty();
    const RuleLoadResult r = BuildFacultyRule(s, "0042", "0042");
    ASSERT_TRUE(r.ok()) << r.error;
    const std::vector<FakeSource::Call> expected{
        {"Table12", "FacCode", "0042"},   {"Facsubj", "FacCode", "0042"},  {"SubjectTable", "SubCod", "01"},
        {"SubjectTable", "SubCod", "02"}, {"SubjectTable", "SubCod", "03"}, {"SubjectTable", "SubCod", "04"},
        {"SubjectTable", "SubCod", "45"}, {"SubjectTable", "SubCod", "46"}, {"tableCRT", "FacCode", "0042"},
        {"tableSUM", "FacCode", "0042"},  {"tb6174", "FacCode", "0042"}};
    EXPECT_EQ(s.calls, expected);
}

TEST(BuildFacultyRule, SubjectListComesFromTheCodeBox)
{
    FakeSource s = DesignFaculty();
    s.add("Facsubj", "FacCode", "0043", {{"NumSubj", "1"}, {"Sub1", "01"}});
    const RuleLoadResult r = BuildFacultyRule(s, "0042", "0043");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(Codes(r.rule->MainRows), (Strings{"01"}));
    EXPECT_EQ(s.calls[1], (FakeSource::Call{"Facsubj", "FacCode", "0043"}));
}

TEST(BuildFacultyRule, RoundedMainWeightCarriesIntoSpecialFullScore)
{
    FakeSource s = DesignFaculty();
    s.rows[{"tableSUM", "FacCode=0042"}].set("TotSco", "7000");
    const FacultyRule rule = LoadOk(s);
    EXPECT_EQ(rule.WMain, "51");                // 51.43
    EXPECT_EQ(rule.MaxSP, "305.88");            // 39 / 51 x 400, not 300.00
    EXPECT_EQ(rule.ScorePerPercent, 7.8431373f);
    EXPECT_EQ(rule.SpecRows[0].Weight, "26");   // 200 x 90 / 700 = 25.71
}

TEST(BuildFacultyRule, EitherOfPair)
{
    FakeSource s = PairFaculty();
    const FacultyRule rule = LoadOk(s);
    ASSERT_EQ(Codes(rule.SpecRows), (Strings{"45", "46"}));
    for (const auto& row : rule.SpecRows) {
        EXPECT_EQ(row.Weight, "15.00") << row.SubCod;
        EXPECT_FALSE(row.WeightShown) << row.SubCod;
    }
    ASSERT_TRUE(rule.PairGroup.has_value());
    EXPECT_EQ(rule.PairGroup->CodeA, "45");
    EXPECT_EQ(rule.PairGroup->CodeB, "46");
    EXPECT_EQ(rule.PairGroup->WeightText, "30.00");
    EXPECT_EQ(rule.PairGroup->Rows, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(rule.CalcText, "วิชาที่ใช้คำนวณคะแนน คือ 01 ; 02 ; 03 ; 04 ; 45 ; 46 ; ");
    EXPECT_EQ(rule.CalcSubjCode[5], "45");
    EXPECT_EQ(rule.CalcSubjCode[6], "46");
    EXPECT_EQ(rule.CalcSubjCode[7], "-1");
    EXPECT_EQ(rule.WMain, "60");
    EXPECT_EQ(rule.MaxSP, "200.00");
    EXPECT_FALSE(rule.CriteriaShown);
    EXPECT_EQ(rule.CriteriaText, "");
}

TEST(BuildFacultyRule, PairOnLaterRowsAndOrdinarySpecialFirst)
{
    FakeSource s = PairFaculty();
    s.addFaculty("Facsubj", {{"NumSubj", "4"}, {"Sub1", "01"}, {"Sub2", "41"}, {"Sub3", "45"}, {"Sub4", "46"}});
    s.addFaculty("tableSUM", {{"NumSub", "3"}, {"SubCod01", "01"}, {"SubCod02", "41"}, {"Sco02", "5000"},
                              {"SubCod03", "61"}, {"Sco03", "10000"}, {"TotSco", "3000"}});
    const FacultyRule rule = LoadOk(s);
    // T/10 = 300: main 90/300 x 100 = 30; 41: 50 x 90 / 300 = 15; pair 100 x 90 / 300 = 30.
    EXPECT_EQ(rule.WMain, "30");
    EXPECT_EQ(rule.SpecRows[0].Weight, "15");
    EXPECT_TRUE(rule.SpecRows[0].WeightShown);
    EXPECT_EQ(rule.SpecRows[1].Weight, "15.00");
    EXPECT_EQ(rule.SpecRows[2].Weight, "15.00");
    ASSERT_TRUE(rule.PairGroup.has_value());
    EXPECT_EQ(rule.PairGroup->Rows, (std::vector<std::size_t>{2, 3}));
    EXPECT_EQ(rule.PairGroup->WeightText, "30.00");
    EXPECT_EQ(rule.MaxSP, "200.00");  // 60 / 30 x 100
}

TEST(BuildFacultyRule, PairWithoutItsRowsShowsNoBrace)
{
    FakeSource s = PairFaculty();
    s.addFaculty("tb6174", {{"SubCod", "4748"}});
    const FacultyRule rule = LoadOk(s);
    EXPECT_FALSE(rule.PairGroup.has_value());
    EXPECT_EQ(rule.SpecRows[0].Weight, "0");
    EXPECT_TRUE(rule.SpecRows[0].WeightShown);
    EXPECT_EQ(rule.CalcText, "วิชาที่ใช้คำนวณคะแนน คือ 01 ; 02 ; 03 ; 04 ; 47 ; 48 ; ");
}

TEST(BuildFacultyRule, EntryAfterPairTakesThePairsSecondSlot)
{
    FakeSource s = PairFaculty();
    s.addFaculty("tableSUM", {{"NumSub", "3"}, {"SubCod01", "01"}, {"SubCod02", "61"}, {"Sco02", "6000"},
                              {"SubCod03", "41"}, {"Sco03", "3000"}, {"TotSco", "1000"}});
    const FacultyRule rule = LoadOk(s);
    EXPECT_EQ(rule.CalcText, "วิชาที่ใช้คำนวณคะแนน คือ 01 ; 45 ; 46 ; 41 ; ");
    EXPECT_EQ(rule.CalcSubjCode,
              (std::array<std::string, 10>{"-1", "01", "45", "41", "-1", "-1", "-1", "-1", "-1", "-1"}));
    EXPECT_EQ(rule.MaxMain, "100.00");
    EXPECT_EQ(rule.WMain, "90");
    EXPECT_EQ(rule.MaxSP, "00.00");
    // Pair: 60 x 90 / 100 = 54, half 27.
    EXPECT_EQ(rule.PairGroup->WeightText, "54.00");
    EXPECT_EQ(rule.SpecRows[0].Weight, "27.00");
}

TEST(BuildFacultyRule, CriteriaAndRule0102Variants)
{
    FakeSource s = DesignFaculty();
    s.addFaculty("Table12", {{"NumSub", "1"}});
    s.addFaculty("tableCRT", {{"NumSub", "3"}, {"SubCod01", "04"}, {"Sco01", "2550"}, {"SubCod02", "4"},
                              {"Sco02", "1000"}, {"SubCod03", "01"}, {"Sco03", "30"}});
    const FacultyRule rule = LoadOk(s);
    EXPECT_FALSE(rule.Rule0102);
    EXPECT_EQ(rule.CriteriaText,
              "วิชา 04 ต้องมากกว่า 25.5 %; วิชา 4 ต้องมากกว่า 10 %; วิชา 01 ต้องมากกว่า 0.3 %; ");
    EXPECT_EQ(rule.MainRows[3].MinPercent, "25.5");  // "4" does not match the row "04"
    EXPECT_EQ(rule.MainRows[0].MinPercent, "0.3");
    EXPECT_EQ(rule.SpecRows[0].MinPercent, "0");
}

TEST(BuildFacultyRule, SpecialRowsBeyondTheSumEntriesKeepNoWeight)
{
    FakeSource s = DesignFaculty();
    s.addSubject("42", "1", "ก");
    s.addSubject("43", "1", "ข");
    s.addFaculty("Facsubj", {{"NumSubj", "4"}, {"Sub1", "01"}, {"Sub2", "41"}, {"Sub3", "42"}, {"Sub4", "43"}});
    s.addFaculty("tableSUM", {{"NumSub", "2"}, {"SubCod01", "01"}, {"SubCod02", "42"}, {"Sco02", "4000"},
                              {"TotSco", "1800"}});
    const FacultyRule rule = LoadOk(s);
    EXPECT_EQ(rule.WMain, "50");
    EXPECT_EQ(rule.SpecRows[0].Weight, "0");
    EXPECT_EQ(rule.SpecRows[1].Weight, "20");
    EXPECT_EQ(rule.SpecRows[2].Weight, "0");
    EXPECT_EQ(rule.MaxSP, "80.00");
}

// --- failures -------------------------------------------------------------

struct FailureCase {
    const char* name;
    FakeSource (*faculty)();
    std::function<void(FakeSource&)> spoil;
    std::string detail;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class BuildFacultyRuleFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(BuildFacultyRuleFailure, ReportsWhatIsMissing)
{
    FakeSource s = GetParam().faculty();
    GetParam().spoil(s);
    const RuleLoadResult r = BuildFacultyRule(s, "0042", "0042");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, "ไม่สามารถโหลดเกณฑ์ของคณะรหัส 0042 ได้: " + GetParam().detail);
}

void setValue(FakeSource& s, const char* table, const char* column, const char* value)
{
    RuleRow& row = table == std::string("SubjectTable") ? s.rows[{table, "SubCod=41"}]
                                                          : s.rows[{table, "FacCode=0042"}];
    row.set(column, value ? std::optional<std::string>(value) : std::nullopt);
}

RuleRow without(const RuleRow& row, const std::vector<std::string>& columns, const char* drop)
{
    RuleRow out;
    for (const std::string& c : columns)
        if (c != drop)
            out.set(c, row.get(c));
    return out;
}

const FailureCase kFailures[] = {
    {"NoTable12Row", DesignFaculty, [](FakeSource& s) { s.drop("Table12", "FacCode", "0042"); },
     "ไม่พบข้อมูลของคณะในตาราง Table12"},
    {"NoFacsubjRow", DesignFaculty, [](FakeSource& s) { s.drop("Facsubj", "FacCode", "0042"); },
     "ไม่พบข้อมูลของคณะในตาราง Facsubj"},
    {"NoSubjectRow", DesignFaculty, [](FakeSource& s) { s.drop("SubjectTable", "SubCod", "41"); },
     "ไม่พบวิชารหัส 41 ในตาราง SubjectTable"},
    {"NoCriteriaRow", DesignFaculty, [](FakeSource& s) { s.drop("tableCRT", "FacCode", "0042"); },
     "ไม่พบข้อมูลของคณะในตาราง tableCRT"},
    {"NoSumRow", DesignFaculty, [](FakeSource& s) { s.drop("tableSUM", "FacCode", "0042"); },
     "ไม่พบข้อมูลของคณะในตาราง tableSUM"},
    {"PairNoRow", PairFaculty, [](FakeSource& s) { s.drop("tb6174", "FacCode", "0042"); },
     "ไม่พบข้อมูลของคณะในตาราง tb6174"},
    {"NullTable12Count", DesignFaculty, [](FakeSource& s) { setValue(s, "Table12", "NumSub", nullptr); },
     "ค่า NumSub ในตาราง Table12 ว่าง"},
    {"NullSubjectCode", DesignFaculty, [](FakeSource& s) { setValue(s, "Facsubj", "Sub3", nullptr); },
     "ค่า Sub3 ในตาราง Facsubj ว่าง"},
    {"MissingSubjectColumn", DesignFaculty,
     [](FakeSource& s) {
         RuleRow& row = s.rows[{"Facsubj", "FacCode=0042"}];
         row = without(row, {"NumSubj", "Sub1", "Sub2", "Sub3", "Sub4", "Sub5"}, "Sub5");
     },
     "ไม่พบคอลัมน์ Sub5 ในตาราง Facsubj"},
    {"NullSubjectType", DesignFaculty, [](FakeSource& s) { setValue(s, "SubjectTable", "SubTyp", nullptr); },
     "ค่า SubTyp ในตาราง SubjectTable ว่าง"},
    {"NullSubjectName", DesignFaculty, [](FakeSource& s) { setValue(s, "SubjectTable", "SubName", nullptr); },
     "ค่า SubName ในตาราง SubjectTable ว่าง"},
    {"NullCriteriaCode", DesignFaculty, [](FakeSource& s) { setValue(s, "tableCRT", "SubCod02", nullptr); },
     "ค่า SubCod02 ในตาราง tableCRT ว่าง"},
    {"NullCriteriaScore", DesignFaculty, [](FakeSource& s) { setValue(s, "tableCRT", "Sco01", nullptr); },
     "ค่า Sco01 ในตาราง tableCRT ว่าง"},
    {"NullSumCode", DesignFaculty, [](FakeSource& s) { setValue(s, "tableSUM", "SubCod04", nullptr); },
     "ค่า SubCod04 ในตาราง tableSUM ว่าง"},
    {"MissingSpecialFullScore", DesignFaculty,
     [](FakeSource& s) {
         RuleRow& row = s.rows[{"tableSUM", "FacCode=0042"}];
         row = without(row, {"NumSub", "SubCod01", "SubCod02", "SubCod03", "SubCod04", "SubCod05", "TotSco"},
                       "");
     },
     "ไม่พบคอลัมน์ Sco05 ในตาราง tableSUM"},
    {"PairMissingFullScore", PairFaculty, [](FakeSource& s) { setValue(s, "tableSUM", "Sco05", nullptr); },
     "ค่า Sco05 ในตาราง tableSUM ว่าง"},
    {"NullTotal", DesignFaculty, [](FakeSource& s) { setValue(s, "tableSUM", "TotSco", nullptr); },
     "ค่า TotSco ในตาราง tableSUM ว่าง"},
    {"ZeroTotal", DesignFaculty, [](FakeSource& s) { setValue(s, "tableSUM", "TotSco", "0"); },
     "ค่า TotSco ในตาราง tableSUM เป็น 0"},
    {"PairNullCode", PairFaculty, [](FakeSource& s) { setValue(s, "tb6174", "SubCod", nullptr); },
     "ค่า SubCod ในตาราง tb6174 ว่าง"},
    {"PairShortCode", PairFaculty, [](FakeSource& s) { setValue(s, "tb6174", "SubCod", "45"); },
     "รหัสคู่วิชา 45 ในตาราง tb6174 ไม่ใช่ 4 ตัวอักษร"},
    {"PairNinthEntry", PairFaculty,
     [](FakeSource& s) {
         s.addFaculty("tableSUM", {{"NumSub", "9"}, {"SubCod01", "01"}, {"SubCod02", "02"}, {"SubCod03", "03"},
                                   {"SubCod04", "04"}, {"SubCod05", "05"}, {"SubCod06", "06"},
                                   {"SubCod07", "07"}, {"SubCod08", "08"}, {"SubCod09", "61"},
                                   {"Sco09", "1000"}, {"TotSco", "9000"}});
     },
     "คู่วิชาเป็นรายการที่ 9 ในตาราง tableSUM จึงไม่มีช่องให้วิชาที่สอง"},
    {"EightMainSubjects", DesignFaculty,
     [](FakeSource& s) {
         s.addFaculty("Facsubj", {{"NumSubj", "8"}, {"Sub1", "01"}, {"Sub2", "02"}, {"Sub3", "03"},
                                  {"Sub4", "04"}, {"Sub5", "05"}, {"Sub6", "06"}, {"Sub7", "07"},
                                  {"Sub8", "08"}});
         for (const char* c : {"05", "06", "07", "08"})
             s.addSubject(c, "0", "วิชา");
     },
     "มีวิชาหลักเกิน 7 วิชา"},
    {"FourSpecialSubjects", DesignFaculty,
     [](FakeSource& s) {
         s.addFaculty("Facsubj", {{"NumSubj", "5"}, {"Sub1", "01"}, {"Sub2", "41"}, {"Sub3", "45"},
                                  {"Sub4", "46"}, {"Sub5", "47"}});
         s.addSubject("47", "1", "วิชา");
     },
     "มีวิชาเฉพาะเกิน 3 วิชา"},
    {"NineSubjects", DesignFaculty, [](FakeSource& s) { setValue(s, "Facsubj", "NumSubj", "9"); },
     "มีวิชาเกิน 8 วิชาในตาราง Facsubj"},
    {"NegativeSubjectCount", DesignFaculty, [](FakeSource& s) { setValue(s, "Facsubj", "NumSubj", "-1"); },
     "ค่า NumSubj ในตาราง Facsubj ไม่ใช่จำนวนที่ใช้ได้"},
    {"CountBeyondAByte", DesignFaculty, [](FakeSource& s) { setValue(s, "tableCRT", "NumSub", "256"); },
     "ค่า NumSub ในตาราง tableCRT ไม่ใช่จำนวนที่ใช้ได้"},
    {"TenCriteria", DesignFaculty, [](FakeSource& s) { setValue(s, "tableCRT", "NumSub", "10"); },
     "มีเกณฑ์ขั้นต่ำเกิน 9 ข้อในตาราง tableCRT"},
    {"TenSumEntries", DesignFaculty, [](FakeSource& s) { setValue(s, "tableSUM", "NumSub", "9.5"); },
     "มีวิชาที่ใช้คำนวณเกิน 9 รายการในตาราง tableSUM"},
    {"CodeAboveRange", DesignFaculty,
     [](FakeSource& s) {
         setValue(s, "Facsubj", "Sub5", "52");
         s.addSubject("52", "1", "วิชา");
     },
     "รหัสวิชา 52 ไม่อยู่ในช่วง 01 ถึง 51"},
    {"CodeZero", DesignFaculty,
     [](FakeSource& s) {
         setValue(s, "Facsubj", "Sub1", "00");
         s.addSubject("00", "0", "วิชา");
     },
     "รหัสวิชา 00 ไม่อยู่ในช่วง 01 ถึง 51"},
    {"CodeNotANumber", DesignFaculty,
     [](FakeSource& s) {
         setValue(s, "Facsubj", "Sub1", "4a");
         s.addSubject("4a", "0", "วิชา");
     },
     "รหัสวิชา 4a ไม่อยู่ในช่วง 01 ถึง 51"},
    {"NoMainWeight", DesignFaculty,
     [](FakeSource& s) {
         s.addFaculty("tableSUM", {{"NumSub", "1"}, {"SubCod01", "41"}, {"Sco01", "20000"}, {"TotSco", "2000"}});
     },
     "ค่าน้ำหนักวิชาหลักเป็น 0 จึงคำนวณคะแนนเต็มวิชาเฉพาะไม่ได้"},
    {"SourceThrows", DesignFaculty, [](FakeSource& s) { s.throwAt = "tableCRT"; },
     "อ่านฐานข้อมูลไม่สำเร็จ (disk I/O error)"},
};

INSTANTIATE_TEST_SUITE_P(Faults, BuildFacultyRuleFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// --- restoring scores and row lookup ------------------------------------------------

struct RestoreCase {
    const char* name;
    const char* code;
    const char* stored;
    std::optional<std::string> expected;
};

void PrintTo(const RestoreCase& c, std::ostream* os) { *os << c.name; }

class RestoredScore : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(RestoredScore, FromScoreByCode)
{
    std::array<std::string, 51> scores;
    scores.fill("-1");
    const RestoreCase& c = GetParam();
    scores[3] = c.stored;  // subject 04
    EXPECT_EQ(RestoredScoreText(scores, c.code), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, RestoredScore,
    ::testing::Values(RestoreCase{"OneDecimal", "04", "72.5", "72.50"},
                      RestoreCase{"Whole", "04", "85", "85.00"},
                      RestoreCase{"Zero", "04", "0", std::nullopt},
                      RestoreCase{"None", "04", "-1", std::nullopt},
                      RestoreCase{"NoneWithDecimals", "04", "-1.00", std::nullopt},
                      RestoreCase{"OtherSlot", "05", "72.5", std::nullopt},
                      RestoreCase{"SingleDigitCode", "4", "60", "60.00"},
                      RestoreCase{"CodeWithoutSlot", "52", "72.5", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuleRow, ColumnsMatchWithoutRegardToCase)
{
    RuleRow row;
    row.set("NumSubj", "5");
    row.set("SUB1", std::nullopt);
    EXPECT_EQ(row.get("numsubj"), "5");
    EXPECT_TRUE(row.has("Sub1"));
    EXPECT_EQ(row.get("sub1"), std::nullopt);
    EXPECT_FALSE(row.has("Sub2"));
    row.set("numSUBJ", "6");
    EXPECT_EQ(row.get("NumSubj"), "6");
}

}  // namespace
