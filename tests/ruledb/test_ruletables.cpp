#include "ruletables.h"

#include "scratchdb.h"

#include <gtest/gtest.h>

using namespace tamrik::ruledb;
using tamrik::test::ScratchDb;

namespace {

// ---------------------------------------------------------------- query texts

struct TextCase {
    const char* name;
    const char* table;
    const char* keyColumn;
    const char* key;
    const char* sql;
    friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }
};

class RuleQueryText : public testing::TestWithParam<TextCase> {};

TEST_P(RuleQueryText, KeepsTheRuleDatabaseForms)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(DatabaseRuleSource::queryText(c.table, c.keyColumn, c.key), c.sql);
}

INSTANTIATE_TEST_SUITE_P(
    DatabaseRuleSource, RuleQueryText,
    testing::Values(
        TextCase{"Table12", "Table12", "FacCode", "0001", "SELECT * FROM Table12 WHERE Table12.FacCode='0001';"},
        TextCase{"Facsubj", "Facsubj", "FacCode", "0013",
                 "SELECT Numsubj,sub1,sub2,sub3,sub4,sub5,sub6,sub7,sub8 FROM Facsubj WHERE Facsubj.FacCode='0013';"},
        TextCase{"SubjectTable", "SubjectTable", "SubCod", "04",
                 "SELECT * FROM SubjectTable WHERE SubjectTable.SubCod='04';"},
        TextCase{"tableCRT", "tableCRT", "FacCode", "0002", "SELECT * FROM tableCRT WHERE tableCRT.FacCode='0002';"},
        TextCase{"tableSUM", "tableSUM", "FacCode", "0002", "SELECT * FROM tableSUM WHERE tableSUM.FacCode='0002';"},
        TextCase{"tb6174", "tb6174", "FacCode", "0059", "SELECT * FROM tb6174 WHERE tb6174.FacCode='0059';"},
        TextCase{"QuoteInKey", "SUName", "FacName", "Int'l", "SELECT * FROM SUName WHERE SUName.FacName='Int''l';"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DatabaseRuleSource, RefusesNamesThatAreNotPlain)
{
    EXPECT_THROW(DatabaseRuleSource::queryText("Table12;DROP", "FacCode", "1"), DbError);
    EXPECT_THROW(DatabaseRuleSource::queryText("Table12", "FacCode='1' OR 1", "1"), DbError);
    EXPECT_THROW(DatabaseRuleSource::queryText("", "FacCode", "1"), DbError);
}

// ---------------------------------------------------------------- rows

const char* const kRules =
    "CREATE TABLE Facsubj (FacCode TEXT, NumSubj INTEGER, Sub1 TEXT, Sub2 TEXT, Sub3 TEXT, Sub4 TEXT,"
    " Sub5 TEXT, Sub6 TEXT, Sub7 TEXT, Sub8 TEXT, Extra TEXT);"
    "INSERT INTO Facsubj VALUES ('0001', 5, '01', '02', '03', '04', '41', NULL, NULL, NULL, 'x');"
    "CREATE TABLE tableSUM (FacCode TEXT, NumSub INTEGER, Sco01 REAL, TotSco INTEGER);"
    "INSERT INTO tableSUM VALUES ('0001', 1, 2550.0, 6000);"
    "INSERT INTO tableSUM VALUES ('0002', 1, 0.5, 7000);"
    "CREATE TABLE tb6174 (FacCode TEXT, SubCod TEXT);"
    "INSERT INTO tb6174 VALUES ('0009', '4546');"
    "INSERT INTO tb6174 VALUES ('0009', '4849');"
    "CREATE TABLE SUName (UName TEXT, FacName TEXT, FacCode TEXT);"
    "INSERT INTO SUName VALUES ('ม.ม', 'วิทยาลัยนานาชาติ (Int''l College)', '0037');";

class RuleRows : public testing::Test {
protected:
    ScratchDb scratch{kRules};
    RuleDatabase db{scratch.path()};
    DatabaseRuleSource source{db};
};

TEST_F(RuleRows, FacsubjRowHasItsListedColumnsWithNulls)
{
    const auto row = source.firstRow("Facsubj", "FacCode", "0001");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->get("NumSubj"), "5");
    EXPECT_EQ(row->get("Sub1"), "01");
    EXPECT_EQ(row->get("sub5"), "41");
    EXPECT_TRUE(row->has("Sub6"));
    EXPECT_EQ(row->get("Sub6"), std::nullopt);
    EXPECT_FALSE(row->has("Extra"));  // not in the column list
}

TEST_F(RuleRows, NumbersComeBackAsTheirShortestText)
{
    EXPECT_EQ(source.firstRow("tableSUM", "FacCode", "0001")->get("Sco01"), "2550");
    EXPECT_EQ(source.firstRow("tableSUM", "FacCode", "0002")->get("Sco01"), "0.5");
    EXPECT_EQ(source.firstRow("tableSUM", "FacCode", "0002")->get("TotSco"), "7000");
}

TEST_F(RuleRows, FirstOfSeveralRowsInStoredOrder)
{
    EXPECT_EQ(source.firstRow("tb6174", "FacCode", "0009")->get("SubCod"), "4546");
}

TEST_F(RuleRows, MissingRowIsEmptyAndMissingTableThrows)
{
    EXPECT_FALSE(source.firstRow("Facsubj", "FacCode", "0099").has_value());
    EXPECT_THROW(source.firstRow("Table12", "FacCode", "0001"), DbError);
}

TEST_F(RuleRows, KeyWithSingleQuoteFindsItsRow)
{
    const auto row = source.firstRow("SUName", "FacName", "วิทยาลัยนานาชาติ (Int'l College)");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->get("FacCode"), "0037");
}

// ---------------------------------------------------------------- Zi2Prob

const char* const kNormal = "CREATE TABLE Zi2Prob (Zi TEXT, Prob REAL);"
                            "INSERT INTO Zi2Prob VALUES ('0.000', 0.5);"
                            "INSERT INTO Zi2Prob VALUES ('1.960', 0.9750021048517795);"
                            "INSERT INTO Zi2Prob VALUES ('1.015', '0.8449');"
                            "INSERT INTO Zi2Prob VALUES ('2.000', NULL);"
                            "INSERT INTO Zi2Prob VALUES ('3.000', 'abc');"
                            "INSERT INTO Zi2Prob VALUES ('3.500', '');";

struct ProbCase {
    const char* name;
    const char* key;
    std::optional<double> prob;
    friend void PrintTo(const ProbCase& c, std::ostream* os) { *os << c.name; }
};

class ProbLookup : public testing::TestWithParam<ProbCase> {};

TEST_P(ProbLookup, GivesProbOrNothing)
{
    ScratchDb scratch(kNormal);
    RuleDatabase db(scratch.path());
    EXPECT_EQ(LookupProb(db, GetParam().key), GetParam().prob);
}

INSTANTIATE_TEST_SUITE_P(LookupProb, ProbLookup,
                         testing::Values(ProbCase{"Zero", "0.000", 0.5},
                                         ProbCase{"Stored", "1.960", 0.9750021048517795},
                                         ProbCase{"NumberAsText", "1.015", 0.8449},
                                         ProbCase{"NoRow", "4.404", std::nullopt},
                                         ProbCase{"Null", "2.000", std::nullopt},
                                         ProbCase{"NotANumber", "3.000", std::nullopt},
                                         ProbCase{"EmptyText", "3.500", std::nullopt},
                                         ProbCase{"Quote", "0.000' OR '1'='1", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LookupProb, DatabaseWithoutTheTableGivesNothing)
{
    ScratchDb scratch(kRules);
    RuleDatabase db(scratch.path());
    EXPECT_EQ(LookupProb(db, "0.000"), std::nullopt);
}

// ---------------------------------------------------------------- last year's range

const char* const kRanges =
    "CREATE TABLE maxminScQor43 (FacCode TEXT, ScMax REAL, ScMin REAL, Note TEXT);"
    "INSERT INTO maxminScQor43 VALUES ('0001', 711.72, 591.2, NULL);"
    "INSERT INTO maxminScQor43 VALUES ('0001', 1, 1, 'second row');"
    "INSERT INTO maxminScQor43 VALUES ('0002', NULL, 500, NULL);"
    "INSERT INTO maxminScQor43 VALUES ('0003', 'high', 500, NULL);"
    "INSERT INTO maxminScQor43 VALUES ('0004', '640.5', 480, NULL);"
    "INSERT INTO maxminScQor43 VALUES ('Int''l', 2, 1, NULL);"
    "CREATE TABLE \"max\"\"min 44\" (FacCode TEXT, ScMax REAL, ScMin REAL);"
    "INSERT INTO \"max\"\"min 44\" VALUES ('0001', 650, 550);"
    "CREATE TABLE maxOnly (FacCode TEXT, ScMax REAL);"
    "INSERT INTO maxOnly VALUES ('0001', 650);";

struct RangeCase {
    const char* name;
    const char* table;
    const char* code;
    std::optional<std::pair<double, double>> range;
    friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }
};

class RangeLookup : public testing::TestWithParam<RangeCase> {};

TEST_P(RangeLookup, GivesTheFirstRowOrNothing)
{
    ScratchDb scratch(kRanges);
    RuleDatabase db(scratch.path());
    const auto found = LookupLastYearRange(db, GetParam().table, GetParam().code);
    ASSERT_EQ(found.has_value(), GetParam().range.has_value());
    if (found) {
        EXPECT_DOUBLE_EQ(found->ScMax, GetParam().range->first);
        EXPECT_DOUBLE_EQ(found->ScMin, GetParam().range->second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    LookupLastYearRange, RangeLookup,
    testing::Values(RangeCase{"FirstRow", "maxminScQor43", "0001", std::pair{711.72, 591.2}},
                    RangeCase{"NumberAsText", "maxminScQor43", "0004", std::pair{640.5, 480.0}},
                    RangeCase{"QuoteInCode", "maxminScQor43", "Int'l", std::pair{2.0, 1.0}},
                    RangeCase{"QuotedTableName", "max\"min 44", "0001", std::pair{650.0, 550.0}},
                    RangeCase{"NoRow", "maxminScQor43", "0099", std::nullopt},
                    RangeCase{"NullMax", "maxminScQor43", "0002", std::nullopt},
                    RangeCase{"TextMax", "maxminScQor43", "0003", std::nullopt},
                    RangeCase{"NoMinColumn", "maxOnly", "0001", std::nullopt},
                    RangeCase{"NoTable", "maxminScQor44", "0001", std::nullopt},
                    RangeCase{"EmptyName", "", "0001", std::nullopt},
                    RangeCase{"HostileName", "maxminScQor43 WHERE 1=1; --", "0001", std::nullopt},
                    RangeCase{"HostileQuote", "maxminScQor43\" WHERE 1=1; --", "0001", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
