#include "ruledatabase.h"

#include "scratchdb.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using namespace tamrik::ruledb;
using tamrik::test::ScratchDb;
using tamrik::test::TempFolder;
using tamrik::test::WriteBytes;

namespace {

const char* const kFaculties =
    "CREATE TABLE SUName (UName TEXT, FacName TEXT, FacCode TEXT, Seats INTEGER, Cut REAL);"
    "INSERT INTO SUName VALUES ('ม.ข', 'คณะค', '0003', 120, 72.5);"
    "INSERT INTO SUName VALUES ('ม.ก', 'คณะก', '0001', NULL, NULL);"
    "INSERT INTO SUName VALUES ('ม.ก', 'Int''l College', '0002', 40, 0.3);";

std::string messageOf(const std::function<void()>& open)
{
    try {
        open();
    } catch (const DbError& e) {
        return e.what();
    }
    return "(no error)";
}

// ---------------------------------------------------------------- opening

struct OpenCase {
    const char* name;
    std::function<void(const fs::path&)> make;  // leaves the thing to open at the path
    const char* says;                           // words the message must hold
    friend void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }
};

class OpenErrors : public testing::TestWithParam<OpenCase> {};

TEST_P(OpenErrors, NameTheFileAndWhatIsWrong)
{
    TempFolder folder;
    const fs::path file = folder.path() / "ScoreRule.mdb";
    GetParam().make(file);
    const std::string message = messageOf([&] { RuleDatabase db(file.string()); });
    EXPECT_NE(message.find(file.string()), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().says), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    RuleDatabase, OpenErrors,
    testing::Values(OpenCase{"Missing", [](const fs::path&) {}, "does not exist"},
                    OpenCase{"TextFile", [](const fs::path& f) { WriteBytes(f, "UName,FacName\nก,ข\n"); },
                             "not a database"},
                    OpenCase{"Folder", [](const fs::path& f) { fs::create_directory(f); }, "folder"},
                    OpenCase{"EmptyFile", [](const fs::path& f) { WriteBytes(f, ""); }, "no tables"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuleDatabase, UnreadableFileIsReported)
{
    ScratchDb scratch(kFaculties);
    fs::permissions(scratch.path(), fs::perms::none);
    if (FILE* probe = std::fopen(scratch.path().c_str(), "rb")) {
        std::fclose(probe);
        GTEST_SKIP() << "this user reads files without read permission (root)";
    }
    const std::string message = messageOf([&] { RuleDatabase db(scratch.path()); });
    EXPECT_NE(message.find("cannot read"), std::string::npos) << message;
}

// ---------------------------------------------------------------- reading

TEST(RuleDatabase, RowsComeInStoredOrderWithACursor)
{
    ScratchDb scratch(kFaculties);
    RuleDatabase db(scratch.path());
    QueryResult rs = db.query("SELECT * FROM SUName;");
    std::vector<std::string> codes;
    for (; !rs.EOF_(); rs.MoveNext())
        codes.push_back(rs.field("FacCode").toText());
    EXPECT_EQ(codes, (std::vector<std::string>{"0003", "0001", "0002"}));
    EXPECT_THROW(rs.MoveNext(), DbError);
    EXPECT_THROW(rs.field("FacCode"), DbError);

    rs.MoveFirst();
    ASSERT_FALSE(rs.EOF_());
    EXPECT_EQ(rs.field("FacCode").toText(), "0003");
}

TEST(RuleDatabase, EmptyResultIsAtEofAtOnce)
{
    ScratchDb scratch(kFaculties);
    RuleDatabase db(scratch.path());
    const QueryResult rs = db.query("SELECT * FROM SUName WHERE FacCode='9999';");
    EXPECT_TRUE(rs.EOF_());
    EXPECT_EQ(rs.rowCount(), 0u);
    EXPECT_THROW(rs.field("FacCode"), DbError);
}

TEST(RuleDatabase, FieldNamesMatchWithoutRegardToCase)
{
    ScratchDb scratch(kFaculties);
    RuleDatabase db(scratch.path());
    const QueryResult rs = db.query("SELECT FacName,FacCode,Uname FROM SUName WHERE UName='ม.ข';");
    for (const char* spelling : {"UName", "Uname", "uname", "UNAME"}) {
        EXPECT_TRUE(rs.hasColumn(spelling)) << spelling;
        EXPECT_EQ(rs.field(spelling).toText(), "ม.ข") << spelling;
    }
    EXPECT_FALSE(rs.hasColumn("UNam"));
    EXPECT_THROW(rs.field("Seats"), DbError);  // not selected
}

TEST(RuleDatabase, NumbersTextsAndNullsKeepTheirKind)
{
    ScratchDb scratch(kFaculties);
    RuleDatabase db(scratch.path());
    QueryResult rs = db.query("SELECT * FROM SUName;");

    const DbValue code = rs.field("FacCode");
    EXPECT_EQ(code.kind(), DbValue::Kind::Text);
    EXPECT_EQ(code.toText(), "0003");  // leading zeros survive
    EXPECT_DOUBLE_EQ(code.toNumber(), 3.0);
    EXPECT_TRUE(code.equals("0003"));
    EXPECT_FALSE(code.equals("3"));

    const DbValue seats = rs.field("Seats");
    EXPECT_EQ(seats.kind(), DbValue::Kind::Number);
    EXPECT_EQ(seats.toText(), "120");
    EXPECT_EQ(rs.field("Cut").toText(), "72.5");
    EXPECT_TRUE(rs.field("Cut").equals("72.5"));

    rs.MoveNext();
    const DbValue none = rs.field("Seats");
    EXPECT_TRUE(none.isNull());
    EXPECT_THROW(none.toText(), DbError);
    EXPECT_THROW(none.toNumber(), DbError);
    EXPECT_FALSE(none.equals(""));

    rs.MoveNext();
    EXPECT_EQ(rs.field("Cut").toText(), "0.3");
}

TEST(RuleDatabase, TwoSlotsHoldTheirRowsApart)
{
    ScratchDb scratch(kFaculties);
    RuleDatabase db(scratch.path());
    QueryResult ruleRs;
    QueryResult pairRs;
    db.OpenQuery("SELECT * FROM SUName WHERE SUName.FacCode='0001';", pairRs);
    db.OpenQuery("SELECT * FROM SUName WHERE SUName.FacCode='0003';", ruleRs);
    db.OpenQuery("SELECT * FROM SUName WHERE SUName.FacCode='0002';", ruleRs);
    EXPECT_EQ(ruleRs.field("FacName").toText(), "Int'l College");
    EXPECT_EQ(pairRs.field("FacName").toText(), "คณะก");

    // A failing query leaves the slot as it was.
    EXPECT_THROW(db.OpenQuery("SELECT * FROM NoSuchTable;", ruleRs), DbError);
    EXPECT_EQ(ruleRs.field("FacCode").toText(), "0002");
}

TEST(RuleDatabase, QuotedSingleQuoteFindsItsRow)
{
    ScratchDb scratch(kFaculties);
    RuleDatabase db(scratch.path());
    const QueryResult rs = db.query("SELECT FacCode FROM SUName WHERE FacName='" + QuoteText("Int'l College") + "';");
    ASSERT_FALSE(rs.EOF_());
    EXPECT_EQ(rs.field("FacCode").toText(), "0002");
}

// ---------------------------------------------------------------- only reading

class WritesRefused : public testing::TestWithParam<const char*> {};

TEST_P(WritesRefused, AndTheFileStaysAsItWas)
{
    ScratchDb scratch(kFaculties);
    {
        RuleDatabase db(scratch.path());
        QueryResult slot;
        EXPECT_THROW(db.OpenQuery(GetParam(), slot), DbError);
    }
    RuleDatabase again(scratch.path());
    EXPECT_EQ(again.query("SELECT * FROM SUName;").rowCount(), 3u);
    EXPECT_FALSE(again.hasTable("Other"));
}

INSTANTIATE_TEST_SUITE_P(RuleDatabase, WritesRefused,
                         testing::Values("DELETE FROM SUName;", "INSERT INTO SUName (FacCode) VALUES ('0004');",
                                         "CREATE TABLE Other (x);", "DROP TABLE SUName;",
                                         "SELECT 1; DELETE FROM SUName;", "SELECT 1; CREATE TABLE Other (x)"));

TEST(RuleDatabase, HasTableIgnoresCase)
{
    ScratchDb scratch(kFaculties);
    RuleDatabase db(scratch.path());
    EXPECT_TRUE(db.hasTable("SUName"));
    EXPECT_TRUE(db.hasTable("suname"));
    EXPECT_FALSE(db.hasTable("SUName2"));
    EXPECT_FALSE(db.hasTable("SUName' OR '1'='1"));
}

// ---------------------------------------------------------------- quoting

struct QuoteCase {
    const char* name;
    const char* in;
    const char* text;
    const char* identifier;
    friend void PrintTo(const QuoteCase& c, std::ostream* os) { *os << c.name; }
};

class Quoting : public testing::TestWithParam<QuoteCase> {};

TEST_P(Quoting, DoublesItsOwnQuoteOnly)
{
    EXPECT_EQ(QuoteText(GetParam().in), GetParam().text);
    EXPECT_EQ(QuoteIdentifier(GetParam().in), GetParam().identifier);
}

INSTANTIATE_TEST_SUITE_P(
    RuleDatabase, Quoting,
    testing::Values(QuoteCase{"Plain", "maxminScQor43", "maxminScQor43", "\"maxminScQor43\""},
                    QuoteCase{"Empty", "", "", "\"\""},
                    QuoteCase{"SingleQuote", "Int'l", "Int''l", "\"Int'l\""},
                    QuoteCase{"DoubleQuote", "a\"b", "a\"b", "\"a\"\"b\""},
                    QuoteCase{"Thai", "คณะ'ก\"", "คณะ''ก\"", "\"คณะ'ก\"\"\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RuleDatabase, HostileIdentifierNamesOneTableAndRunsNothingElse)
{
    const std::string hostile = "x\" ; DROP TABLE SUName; --";
    ScratchDb scratch(std::string(kFaculties) + "CREATE TABLE " + QuoteIdentifier(hostile)
                      + " (FacCode TEXT); INSERT INTO " + QuoteIdentifier(hostile) + " VALUES ('0001');");
    RuleDatabase db(scratch.path());
    const QueryResult rs = db.query("SELECT * FROM " + QuoteIdentifier(hostile) + ";");
    EXPECT_EQ(rs.rowCount(), 1u);
    EXPECT_THROW(db.query("SELECT * FROM " + QuoteIdentifier("y\"; DROP TABLE SUName; --") + ";"), DbError);
    EXPECT_EQ(db.query("SELECT * FROM SUName;").rowCount(), 3u);
}

}  // namespace
