#include "csvfile.h"
#include "databasebuilder.h"
#include "normaltable.h"
#include "ruledatabase.h"
#include "tableschema.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

using namespace mkruledb;
using tamrik::test::EntryCount;
using tamrik::test::TempFolder;
using tamrik::test::WriteBytes;
using Fields = std::vector<std::string>;

namespace {

// ---------------------------------------------------------------- CSV

struct CsvCase {
    const char* name;
    std::string text;
    std::vector<Fields> records;
    friend void PrintTo(const CsvCase& c, std::ostream* os) { *os << c.name; }
};

class CsvParse : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvParse, GivesFieldsAsTexts)
{
    std::vector<Fields> got;
    for (const CsvRecord& r : ParseCsv(GetParam().text))
        got.push_back(r.fields);
    EXPECT_EQ(got, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Csv, CsvParse,
    testing::Values(
        CsvCase{"Plain", "FacCode,NumSub\n0001,2\n", {{"FacCode", "NumSub"}, {"0001", "2"}}},
        CsvCase{"NoFinalLineEnd", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
        CsvCase{"CrLfAndBom", "\xEF\xBB\xBF" "a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
        CsvCase{"EmptyFields", "a,b,c\n,,\n", {{"a", "b", "c"}, {"", "", ""}}},
        CsvCase{"QuotedComma", "\"คณะ ก, ข\",1\n", {{"คณะ ก, ข", "1"}}},
        CsvCase{"DoubledQuote", "\"say \"\"hi\"\"\",x\n", {{"say \"hi\"", "x"}}},
        CsvCase{"SingleQuoteAsIs", "Int'l College,0037\n", {{"Int'l College", "0037"}}},
        CsvCase{"LineBreakInQuotes", "\"two\nlines\",2\n", {{"two\nlines", "2"}}},
        CsvCase{"BlankLinesSkipped", "a\n\n\nb\n", {{"a"}, {"b"}}},
        CsvCase{"BlanksKept", " 01 ,x\n", {{" 01 ", "x"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Csv, RecordsKnowTheirLine)
{
    const auto records = ParseCsv("h\n\"a\nb\"\nc\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[2].line, 4);
}

TEST(Csv, BrokenQuotingNamesTheLine)
{
    EXPECT_THROW(ParseCsv("a\n\"open,1\n"), CsvError);
    try {
        ParseCsv("a,b\n\"x\"y,1\n");
        FAIL() << "text after a closing quote was accepted";
    } catch (const CsvError& e) {
        EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
    }
}

// ---------------------------------------------------------------- normal table

TEST(NormalTable, KeysHaveThreeDecimals)
{
    EXPECT_EQ(ZiKey(0), "0.000");
    EXPECT_EQ(ZiKey(5), "0.005");
    EXPECT_EQ(ZiKey(1015), "1.015");
    EXPECT_EQ(ZiKey(1960), "1.960");
    EXPECT_EQ(ZiKey(kLastZiThousandths), "4.500");
}

TEST(NormalTable, ValuesOfThePrintedTable)
{
    // Four-decimal values of any printed table of the standard normal.
    EXPECT_DOUBLE_EQ(NormalCdf(0.0), 0.5);
    EXPECT_NEAR(NormalCdf(1.0), 0.8413, 5e-5);
    EXPECT_NEAR(NormalCdf(1.645), 0.9500, 5e-5);
    EXPECT_NEAR(NormalCdf(1.96), 0.9750, 5e-5);
    EXPECT_NEAR(NormalCdf(2.576), 0.9950, 5e-5);
    EXPECT_NEAR(NormalCdf(4.5), 1.0, 5e-6);
    EXPECT_LT(NormalCdf(4.5), 1.0);
}

// ---------------------------------------------------------------- building

class Builder : public testing::Test {
protected:
    Builder()
    {
        // The smallest complete data set: one faculty.
        write("SUName", "UName,FacName,FacCode\nม.ก,คณะ'ก,0001\n");
        write("Table12", "FacCode,NumSub\n0001,2\n");
        write("Facsubj", "FacCode,NumSubj,Sub1,Sub2,Sub3,Sub4,Sub5,Sub6,Sub7,Sub8\n0001,1,04,,,,,,,\n");
        write("SubjectTable", "SubCod,SubName,SubTyp\n04,คณิตศาสตร์ 1,0\n");
        write("tableCRT", header("SubCod", "Sco") + "\n0001,0" + std::string(18, ',') + "\n");
        write("tableSUM", header("SubCod", "Sco") + ",TotSco\n0001,1,04,,,,,,,,,10000,,,,,,,,,1000\n");
        write("tb6174", "FacCode,SubCod\n");
        write("maxminScQor43", "FacCode,ScMax,ScMin\n0001,80.5,60\n");
    }

    static std::string header(const char* codes, const char* scores)
    {
        std::string text = "FacCode,NumSub";
        for (const char* prefix : {codes, scores})
            for (int k = 1; k <= 9; ++k)
                text += std::string(",") + prefix + "0" + std::to_string(k);
        return text;
    }
    void write(const std::string& table, const std::string& text)
    {
        const auto file = m_folder.path() / (table + ".csv");
        WriteBytes(file, text);
        m_files[table] = file.string();
    }
    std::vector<std::string> files() const
    {
        std::vector<std::string> list;
        for (const auto& [table, file] : m_files)
            list.push_back(file);
        return list;
    }
    std::string output() const { return (m_folder.path() / "out" / "ScoreRule.mdb").string(); }
    std::string buildError()
    {
        try {
            BuildRuleDatabase(output(), files());
        } catch (const BuildError& e) {
            return e.what();
        }
        return "(built)";
    }

    TempFolder m_folder;
    std::map<std::string, std::string> m_files;

    void SetUp() override { std::filesystem::create_directory(m_folder.path() / "out"); }
};

TEST_F(Builder, CodesStayTextsAndNumbersNumbers)
{
    BuildRuleDatabase(output(), files());
    tamrik::ruledb::RuleDatabase db(output());
    auto rs = db.query("SELECT * FROM tableSUM WHERE FacCode='0001';");
    EXPECT_EQ(rs.field("FacCode").toText(), "0001");
    EXPECT_EQ(rs.field("SubCod01").kind(), tamrik::ruledb::DbValue::Kind::Text);
    EXPECT_EQ(rs.field("SubCod01").toText(), "04");
    EXPECT_EQ(rs.field("TotSco").kind(), tamrik::ruledb::DbValue::Kind::Number);
    EXPECT_TRUE(rs.field("SubCod02").isNull());
    EXPECT_EQ(db.query("SELECT ScMax FROM maxminScQor43;").field("ScMax").toText(), "80.5");
    EXPECT_EQ(db.query("SELECT FacName FROM SUName;").field("FacName").toText(), "คณะ'ก");
    EXPECT_EQ(db.query("SELECT * FROM Zi2Prob;").rowCount(), 4501u);
    EXPECT_EQ(EntryCount(m_folder.path() / "out"), 1u);  // no temporary file left
}

TEST_F(Builder, ColumnsMayStandInAnyOrder)
{
    write("Table12", "NumSub,FacCode\n2,0001\n");
    BuildRuleDatabase(output(), files());
    tamrik::ruledb::RuleDatabase db(output());
    EXPECT_EQ(db.query("SELECT NumSub FROM Table12 WHERE FacCode='0001';").field("NumSub").toText(), "2");
}

struct BrokenCase {
    const char* name;
    const char* table;
    const char* text;  // nullptr: the file is left out
    const char* says;
    friend void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }
};

class BrokenData : public Builder, public testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenData, IsRefusedAndLeavesNoFile)
{
    const BrokenCase& c = GetParam();
    if (c.text)
        write(c.table, c.text);
    else
        m_files.erase(c.table);
    WriteBytes(output(), "the previous database");
    const std::string message = buildError();
    EXPECT_NE(message.find(c.says), std::string::npos) << message;
    // The old file is untouched and no temporary file is left.
    EXPECT_EQ(tamrik::test::ReadBytes(output()), "the previous database");
    EXPECT_EQ(EntryCount(m_folder.path() / "out"), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Builder, BrokenData,
    testing::Values(BrokenCase{"NotANumber", "Table12", "FacCode,NumSub\n0001,two\n", "Table12.csv:2: column NumSub"},
                    BrokenCase{"MissingColumn", "Table12", "FacCode\n0001\n", "no column NumSub"},
                    BrokenCase{"ExtraColumn", "Table12", "FacCode,NumSub,X\n0001,2,3\n", "3 columns"},
                    BrokenCase{"ShortRow", "Table12", "FacCode,NumSub\n0001\n", "Table12.csv:2: 1 fields"},
                    BrokenCase{"DoubledKey", "Table12", "FacCode,NumSub\n0001,2\n0001,0\n", "UNIQUE"},
                    BrokenCase{"EmptyFile", "Table12", "", "empty"},
                    BrokenCase{"FileLeftOut", "Facsubj", nullptr, "no file Facsubj.csv"},
                    BrokenCase{"UnknownTable", "Table13", "FacCode,NumSub\n", "Table13"},
                    BrokenCase{"ComputedTable", "Zi2Prob", "FacCode,ScMax,ScMin\n", "Zi2Prob"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
