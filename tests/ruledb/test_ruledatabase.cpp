// The rule database's access and the rule tables' look-ups, over a small
// SQLite file made for each test.
#include "ruletables.h"

#include "tempfolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace tamrik::ruledb;
using tamrik::test::TempFolder;
using tamrik::test::WriteBytes;

namespace {

const char* const kRules = "CREATE TABLE SUName (UName TEXT, FacName TEXT, FacCode TEXT, Seats INTEGER);"
                           "INSERT INTO SUName VALUES ('ม.ข', 'คณะค', '0003', 120);"
                           "INSERT INTO SUName VALUES ('ม.ก', 'Int''l College', '0002', NULL);"
                           "CREATE TABLE Zi2Prob (Zi TEXT, Prob REAL);"
                           "INSERT INTO Zi2Prob VALUES ('1.960', 0.9750021048517795);"
                           "INSERT INTO Zi2Prob VALUES ('2.000', NULL);"
                           "CREATE TABLE maxminScQor43 (FacCode TEXT, ScMax REAL, ScMin REAL);"
                           "INSERT INTO maxminScQor43 VALUES ('0001', 711.72, 591.2);"
                           "INSERT INTO maxminScQor43 VALUES ('0001', 1, 1);"
                           "CREATE VIEW maxminScQor44 AS SELECT * FROM maxminScQor43;";

class RuleDb : public testing::Test {
protected:
    RuleDb() { run(kRules); }
    // Through a writable connection of its own, as the tool that builds the file.
    void run(const std::string& sql) const
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
        EXPECT_EQ(rc, SQLITE_OK) << sql;
    }
    TempFolder folder;
    const std::string file = (folder.path() / "ScoreRule.mdb").string();
};

TEST(RuleDatabase, OpenErrorsNameTheFileAndWhatIsWrong)
{
    TempFolder folder;
    const std::string file = (folder.path() / "ScoreRule.mdb").string();
    const auto expectError = [&](const std::string& says) {
        try {
            RuleDatabase db(file);
            ADD_FAILURE() << "opened";
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
        }
    };
    expectError("does not exist");
    WriteBytes(file, "UName,FacName\nก,ข\n");
    expectError("not a database");
}

TEST_F(RuleDb, WritesAreRefusedAndTheFileStaysAsItWas)
{
    {
        RuleDatabase db(file);
        for (const char* sql : {"DELETE FROM SUName;", "SELECT 1; DELETE FROM SUName;", "CREATE TABLE Other (x);"})
            EXPECT_THROW(db.query(sql), DbError) << sql;
    }
    RuleDatabase again(file);
    EXPECT_EQ(again.query("SELECT * FROM SUName;").rowCount(), 2u);
    EXPECT_FALSE(again.hasTable("Other"));
}

TEST_F(RuleDb, FileUnderAThaiFolderNameOpens)
{
    const std::filesystem::path thai = folder.path() / std::filesystem::u8path("ข้อมูลปีนี้");
    std::filesystem::create_directory(thai);
    std::filesystem::copy_file(file, thai / "ScoreRule.mdb");
    RuleDatabase db((thai / "ScoreRule.mdb").u8string());
    EXPECT_EQ(db.query("SELECT * FROM SUName;").rowCount(), 2u);
}

// The whole-file check runs over a small page cache; the queries after it
// get SQLite's usual one back.
TEST_F(RuleDb, QueriesAfterTheWholeFileCheckHaveTheUsualPageCache)
{
    sqlite3* plain = nullptr;
    sqlite3_open_v2(file.c_str(), &plain, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(plain, "PRAGMA cache_size;", -1, &stmt, nullptr);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    const double usual = sqlite3_column_double(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close_v2(plain);

    RuleDatabase db(file);
    EXPECT_EQ(db.query("PRAGMA cache_size;").at(0).toNumber(), usual);
    EXPECT_EQ(db.query("SELECT * FROM SUName;").rowCount(), 2u);
}

TEST_F(RuleDb, FieldsByNameWithoutRegardToCaseAndNulls)
{
    RuleDatabase db(file);
    QueryResult rs = db.query("SELECT FacName, FacCode, Uname, Seats FROM SUName;");
    for (const char* spelling : {"UName", "Uname", "uname", "UNAME"})
        EXPECT_EQ(rs.field(spelling).toText(), "ม.ข") << spelling;
    EXPECT_THROW(rs.field("UNam"), DbError);
    EXPECT_EQ(rs.field("FacCode").toText(), "0003");
    EXPECT_EQ(rs.field("Seats").toText(), "120");
    rs.MoveNext();
    EXPECT_TRUE(rs.field("Seats").isNull());
    EXPECT_THROW(rs.field("Seats").toText(), DbError);
    EXPECT_FALSE(rs.field("Seats").equals(""));
    rs.MoveNext();
    EXPECT_TRUE(rs.EOF_());
    EXPECT_THROW(rs.field("FacCode"), DbError);
}

TEST_F(RuleDb, StreamedRowsInStoredOrderStoppableAndCheckedAsQueryChecksThem)
{
    RuleDatabase db(file);
    std::vector<std::string> seen;
    const auto columns = db.forEachRow("SELECT FacCode, Seats, UName FROM SUName;", [&](const RowCursor& row) {
        seen.push_back(std::string(row.textAt(0)) + "|" + row.textOrNull(1).value_or("null") + "|"
                       + row.field("uname").toText());
        EXPECT_EQ(row.kind(1), seen.size() == 1 ? DbValue::Kind::Number : DbValue::Kind::Null);
        EXPECT_THROW(row.textAt(1), DbError);  // not a text
        EXPECT_THROW(row.at(3), DbError);
        return true;
    });
    EXPECT_EQ(columns, (std::vector<std::string>{"FacCode", "Seats", "UName"}));
    EXPECT_EQ(seen, (std::vector<std::string>{"0003|120|ม.ข", "0002|null|ม.ก"}));

    int calls = 0;
    db.forEachRow("SELECT * FROM SUName;", [&](const RowCursor&) { return ++calls < 1; });
    EXPECT_EQ(calls, 1);
    // No row: the names are known all the same.
    EXPECT_EQ(db.forEachRow("SELECT Zi, Prob FROM Zi2Prob WHERE 0;", [](const RowCursor&) { return true; }),
              (std::vector<std::string>{"Zi", "Prob"}));

    run("CREATE TABLE Long (v TEXT); INSERT INTO Long VALUES (printf('%.*c', 5000, 'x'));");
    RuleDatabase again(file);
    EXPECT_THROW(again.forEachRow("SELECT v FROM Long;", [](const RowCursor& row) { return !row.textAt(0).empty(); }),
                 DbError);
    EXPECT_THROW(again.forEachRow("DELETE FROM SUName;", [](const RowCursor&) { return true; }), DbError);
}

TEST_F(RuleDb, TwoSlotsHoldTheirRowsApart)
{
    RuleDatabase db(file);
    QueryResult ruleRs;
    QueryResult pairRs;
    db.OpenQuery("SELECT * FROM SUName WHERE SUName.FacCode='0003';", pairRs);
    db.OpenQuery("SELECT * FROM SUName WHERE SUName.FacCode='0002';", ruleRs);
    EXPECT_EQ(ruleRs.field("FacName").toText(), "Int'l College");
    EXPECT_EQ(pairRs.field("FacName").toText(), "คณะค");
    // A failing query leaves the slot as it was.
    EXPECT_THROW(db.OpenQuery("SELECT * FROM NoSuchTable;", ruleRs), DbError);
    EXPECT_EQ(ruleRs.field("FacCode").toText(), "0002");
}

// Values go in as parameters: a quote in one is a character like any other,
// and a statement given another number of values than it takes is refused.
TEST_F(RuleDb, ValuesAreBoundNeverSpliced)
{
    RuleDatabase db(file);
    DatabaseRuleSource source(db);
    const auto row = source.firstRow("SUName", "FacName", "Int'l College");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->get("FacCode"), "0002");
    EXPECT_FALSE(source.firstRow("SUName", "FacCode", "0099"));
    EXPECT_FALSE(source.firstRow("SUName", "FacCode", "' OR ''='"));
    EXPECT_EQ(db.query("SELECT FacCode FROM SUName WHERE UName = ?1 AND FacName = ?2;", {"ม.ก", "Int'l College"})
                  .at(0)
                  .toText(),
              "0002");
    EXPECT_THROW(db.query("SELECT * FROM SUName WHERE FacCode = ?1;"), DbError);
    EXPECT_THROW(db.query("SELECT * FROM SUName;", {"0002"}), DbError);
}

TEST_F(RuleDb, HostileIdentifierNamesOneTableAndRunsNothingElse)
{
    const std::string hostile = quoteIdentifier("x\" ; DROP TABLE SUName; --");
    run("CREATE TABLE " + hostile + " (FacCode TEXT); INSERT INTO " + hostile + " VALUES ('0001');");
    RuleDatabase db(file);
    EXPECT_EQ(db.query("SELECT * FROM " + hostile + ";").rowCount(), 1u);
    EXPECT_EQ(db.query("SELECT * FROM SUName;").rowCount(), 2u);
}

TEST_F(RuleDb, LookupsHitAndMiss)
{
    RuleDatabase db(file);
    EXPECT_EQ(lookupProb(db, "1.960"), 0.9750021048517795);
    EXPECT_EQ(lookupProb(db, "1.96"), std::nullopt);   // no row
    EXPECT_EQ(lookupProb(db, "2.000"), std::nullopt);  // null Prob
    const auto range = lookupLastYearRange(db, "maxminScQor43", "0001");
    ASSERT_TRUE(range);  // the first of its rows
    EXPECT_EQ(range->ScMax, 711.72);
    EXPECT_EQ(range->ScMin, 591.2);
    EXPECT_FALSE(lookupLastYearRange(db, "maxminScQor43", "0099"));
    EXPECT_FALSE(lookupLastYearRange(db, "maxminScQor44", "0001"));  // a view is no range table
    EXPECT_FALSE(lookupLastYearRange(db, "maxminScQor45", "0001"));
    // Spliced into the query, these would comment the condition out or end the name early.
    EXPECT_FALSE(lookupLastYearRange(db, "maxminScQor43 --", "0001"));
    EXPECT_FALSE(lookupLastYearRange(db, "maxminScQor43\" WHERE 1=1; --", "0001"));
}

}  // namespace
