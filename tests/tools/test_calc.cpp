// tamrik-calc run as whole command lines over the bundled rule database: the
// figures of one faculty, every kind of bad input (all listed, exit status 2,
// no output file), a database fault, a batch giving the same file on any
// number of threads, and every output's texts fit to be shown.
#include "applicantcsv.h"
#include "calcmain.h"
#include "commands.h"
#include "rulechange.h"
#include "samplenotice.h"
#include "report.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <fstream>
#include <sstream>

namespace {

using Args = std::vector<std::string>;

struct Outcome {
    int status;
    std::string out, err;
};

std::string BundledDb()
{
    const char* path = std::getenv("TAMRIK_RULE_DB");
    return path ? path : "";
}

// From an empty program folder: the default parameters, the bundled rules
// unless told another database.
Outcome Calc(const tamrik::test::TempFolder& folder, Args args, const std::string& db = BundledDb())
{
    args.insert(args.begin(), {"--db", db});
    std::ostringstream out, err;
    const int status = tamrikcalc::runCalc(args, folder.path(), out, err, false);
    return {status, out.str(), err.str()};
}

void Write(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

class TamrikCalc : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (BundledDb().empty())
            GTEST_SKIP() << "TAMRIK_RULE_DB is not set";
    }
    tamrik::test::TempFolder folder;
};

TEST_F(TamrikCalc, OneFacultyAsTheSummaryPageShowsIt)
{
    // The typical run of faculty 0013 (tests/app/test_typicalrun).
    const Args applicant = {"--scores", "01=75,02=68.5,03=80.25", "--score", "04=55", "--score=41=62",
                            "--gpa", "3.25", "--pr", "85.5"};
    Args json = applicant;
    json.insert(json.end(), {"--faculty", "13", "--json"});
    const Outcome run = Calc(folder, json);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"faculty\": \"0013\", \"university\": \"จุฬาลงกรณ์มหาวิทยาลัย\", \"name\": \"คณะครุศาสตร์\", "
              "\"main\": {\"earned\": 278.75, \"full\": 400.00}, \"special\": {\"earned\": 124.00, \"full\": 200.00}, "
              "\"gpa\": {\"earned\": 30.96, \"full\": 33.33}, \"pr\": {\"earned\": 30.00, \"full\": 33.33}, "
              "\"total\": {\"earned\": 463.71, \"full\": 666.66}, \"last_year\": {\"min\": 366.60, \"max\": 448.71}, "
              "\"years\": {\"2541\": {\"min\": 341.33, \"max\": 419.05}, \"2542\": {\"min\": 351.83, \"max\": 434.83}, "
              "\"2543\": {\"min\": 366.60, \"max\": 448.71}}, \"minimums\": [], \"missing\": [], "
              "\"margin\": {\"points\": 97.11, \"percent\": 14.57}, \"chance\": \"above_max\", \"needed\": null, "
              "\"error\": null, \"sample\": true}\n");

    Args all = applicant;
    all.insert(all.end(), {"--all", "--csv"});
    const Outcome table = Calc(folder, all);
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(table.out.substr(0, table.out.find('\n')),
              "rank,code,university,faculty,composite,highest_possible,last_min,last_max,margin_percent,chance");
    EXPECT_NE(table.out.find(",0013,จุฬาลงกรณ์มหาวิทยาลัย,คณะครุศาสตร์,463.71,666.66,366.60,448.71,14.57,"
                             "สูงกว่าคะแนนสูงสุดปีก่อน\n"),
              std::string::npos);
    EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), 126);
}

TEST_F(TamrikCalc, FilesUnderAThaiFolderNameAreRead)
{
    const std::filesystem::path thai = folder.path() / std::filesystem::u8path("ผลสอบ");
    std::filesystem::create_directory(thai);
    std::filesystem::copy_file(BundledDb(), thai / "ScoreRule.mdb");
    Write(thai / "param.opt", "maxminScQor43\r\n2.5\r\n0.5\r\n");
    const Args args = {"--param", (thai / "param.opt").u8string(), "--faculty", "13", "--gpa", "3.25", "--json"};
    const Outcome run = Calc(folder, args, (thai / "ScoreRule.mdb").u8string());
    ASSERT_EQ(run.status, 0) << run.err;
    // 30.96 with the default mean and SD: the file's were read.
    EXPECT_NE(run.out.find("\"gpa\": {\"earned\": 31.11, "), std::string::npos) << run.out;
}

// 0002 (แพทย์) asks 30 % of 04 and of biology (09): biology not typed yet
// leaves the faculty missing a score, a typed 20 fails it, a typed 30 passes.
TEST_F(TamrikCalc, OnlyATypedScoreBelowItsMinimumFails)
{
    const std::string typed = "01=80,02=80,03=80,04=35,07=80,08=80";
    const auto chanceOf = [&](const std::string& scores) {
        const Outcome run = Calc(folder, {"--scores", scores, "--faculty", "0002", "--json"});
        EXPECT_EQ(run.status, 0) << run.err;
        const std::size_t minimums = run.out.find("\"minimums\"");
        return run.out.substr(minimums, run.out.find(", \"margin\"") - minimums) + " " +
               run.out.substr(run.out.find("\"chance\""), run.out.find(", \"needed\"") - run.out.find("\"chance\""));
    };
    EXPECT_EQ(chanceOf(typed), "\"minimums\": [], \"missing\": [\"09\"] \"chance\": \"missing_scores\"");
    EXPECT_EQ(chanceOf(typed + ",09=20"),
              "\"minimums\": [\"   วิชา 09 ชีววิทยา ไม่ผ่านเกณฑ์ขั้นต่ำ 30 % \"], \"missing\": [] "
              "\"chance\": \"fails_minimum\"");
    EXPECT_EQ(chanceOf(typed + ",09=30"), "\"minimums\": [], \"missing\": [] \"chance\": \"below\"");

    // The ranking agrees: with nothing typed, no faculty fails a minimum.
    const Outcome all = Calc(folder, {"--all", "--csv"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out.find("ไม่ผ่านเกณฑ์ขั้นต่ำ"), std::string::npos);
    EXPECT_NE(all.out.find(",0002,จุฬาลงกรณ์มหาวิทยาลัย,คณะแพทยศาสตร์,0.00,777.78,608.49,738.86,-78.23,คะแนนไม่ครบ\n"),
              std::string::npos);
}

TEST_F(TamrikCalc, BadInputIsAllListedAndNothingComputed)
{
    const Outcome run = Calc(folder, {"--faculty", "0001", "--score", "52=10", "--score", "01=101", "--scores",
                                  "02=50.125,03=8O,05=-0", "--gpa", "4.01", "--pr", "100", "--pr", "50", "--pr", "60", "--colour", "--json",
                                  "--csv"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    // A score is what a score box takes: "8O" is not 8, nor "-0" a 0.
    for (const char* fault : {"subject code '52'", "'101' is outside 0-100", "more than two decimals",
                              "score '8O' is not a number", "score '-0' is not a number",
                              "GPA '4.01' is outside", "PR '100' is outside", "--pr is given twice", "unknown option '--colour'",
                              "--json and --csv"})
        EXPECT_NE(run.err.find(fault), std::string::npos) << fault << "\n" << run.err;

    EXPECT_EQ(Calc(folder, {"--faculty", "9999"}).status, 2);
    EXPECT_EQ(Calc(folder, {"--all", "--top", "3"}).status, 2);
    const Outcome noDb = Calc(folder, {"--all", "--db", (folder.path() / "none.mdb").string()});
    EXPECT_EQ(noDb.status, 1);
    EXPECT_NE(noDb.err.find("ไม่พบแฟ้มฐานข้อมูล"), std::string::npos) << noDb.err;

    // A zeroed page: the whole-file check at the opening refuses the file
    // before any figure is written.
    const auto damaged = folder.path() / "damaged.mdb";
    std::filesystem::copy_file(BundledDb(), damaged);
    {
        std::fstream file(damaged, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(4096 * 20);
        file.write(std::string(4096, '\0').data(), 4096);
    }
    const Outcome broken = Calc(folder, {"--all", "--db", damaged.string()});
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(broken.out.empty());
    EXPECT_NE(broken.err.find("the database is damaged"), std::string::npos) << broken.err;
}

// A rule database the engine cannot use stops every mode at the start, with
// the start-up message and nothing on stdout; none of them waits on a view.
TEST_F(TamrikCalc, UnusableRuleDatabaseStopsEveryModeAtTheStart)
{
    struct Case {
        std::string sql;
        std::string says;
        bool recorded = true;
    };
    const Case cases[] = {
        {"UPDATE tableCRT SET Sco01 = '30%' WHERE FacCode = '0013';", "(FacCode 0013, Sco01: the minimum must be 0 to 100 %"},
        {"UPDATE tableCRT SET Sco02 = -3000 WHERE FacCode = '0002';", "Sco02: the minimum must be 0 to 100 %"},
        {"UPDATE Zi2Prob SET Prob = 2.0 WHERE Zi = '1.015';", "Prob of key 1.015 is not a probability (0 to 1)"},
        {"UPDATE Zi2Prob SET Prob = '' WHERE Zi = '0.500';", "Prob of key 0.500 is not a probability (0 to 1)"},
        {"DELETE FROM Zi2Prob;", "ตาราง Zi2Prob ในฐานข้อมูล"},
        {"DELETE FROM SUName;", "no faculty to choose"},
        {"CREATE VIEW maxminScQor44 AS WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
         "SELECT printf('%04d', x) AS FacCode, x AS ScMax, x AS ScMin FROM n;",
         "\"maxminScQor44\""},
        {"UPDATE maxminScQor43 SET ScMin = ScMin + 0.01 WHERE rowid = 1;", "the content no longer matches", false},
    };
    Write(folder.path() / "class.csv", "id,gpa,pr,01,02\nA,3.00,50,70,60\n");
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.sql);
        const std::string db = (folder.path() / ("rules" + std::to_string(i) + ".mdb")).string();
        std::filesystem::copy_file(BundledDb(), db);
        ASSERT_TRUE(tamrik::test::ChangeRuleDb(db, c.sql, c.recorded));
        for (const Args& mode : {Args{"--all"}, Args{"--faculty", "1", "--gpa", "3"},
                                 Args{"--batch", (folder.path() / "class.csv").string()}}) {
            Args args = mode;
            args.insert(args.end(), {"--db", db});
            const Outcome run = Calc(folder, args);
            EXPECT_EQ(run.status, 1) << mode[0];
            EXPECT_EQ(run.out, "") << mode[0];
            EXPECT_NE(run.err.find("tamrik-calc: "), std::string::npos);
            EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        }
    }
}

TEST_F(TamrikCalc, BatchNamesEveryBadCellAndWritesNothing)
{
    const auto csv = folder.path() / "class.csv";
    const auto out = folder.path() / "results.csv";
    Write(csv, "id,gpa,pr,01,02,41\n"
               "a1,3.10,50,70,60,\n"
               "a2,4.5,50,abc,60,101\n"
               "a3,3.00,50,70\n");
    const Outcome run = Calc(folder, {"--batch", csv.string(), "-o", out.string()});
    EXPECT_EQ(run.status, 2);
    const std::string f = csv.string();
    for (const std::string& fault : {f + ":3:2: GPA '4.5' is outside", f + ":3:4: score 'abc' is not a number",
                                     f + ":3:6: score '101' is outside", f + ":4:5: 4 cells where the header has 6"})
        EXPECT_NE(run.err.find(fault), std::string::npos) << fault << "\n" << run.err;
    EXPECT_EQ(run.err.find(f + ":2:"), std::string::npos) << "an empty cell is no fault\n" << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    Write(csv, "id,gpa,pr,01\n\"a1,3.10,50,70\n");
    const Outcome quote = Calc(folder, {"--batch", csv.string(), "-o", out.string()});
    EXPECT_NE(quote.err.find(f + ":2:1: a quoted field is never closed"), std::string::npos) << quote.err;

    Write(csv, "id,gpa,pr,01,52,01\n");
    const Outcome header = Calc(folder, {"--batch", csv.string(), "-o", out.string()});
    EXPECT_EQ(header.status, 2);
    EXPECT_NE(header.err.find(f + ":1:5: '52' is not a subject code"), std::string::npos) << header.err;
    EXPECT_NE(header.err.find(f + ":1:6: subject 01 has a column already"), std::string::npos) << header.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

// Each applicant's rows are --all's rows for that applicant, whole or cut
// at --top (the two ways the batch ranks).
TEST_F(TamrikCalc, BatchRowsAreTheRankingOfEachApplicant)
{
    const Outcome all = Calc(folder, {"--all", "--csv", "--scores", "01=75,02=68.5,03=80,04=55,41=62", "--gpa",
                                      "3.25", "--pr", "85.5"});
    ASSERT_EQ(all.status, 0) << all.err;
    std::vector<std::string> expected;
    std::istringstream lines(all.out.substr(all.out.find('\n') + 1));
    for (std::string line; std::getline(lines, line);)
        expected.push_back("s1," + line);
    ASSERT_EQ(expected.size(), 125u);
    Write(folder.path() / "one.csv", "id,gpa,pr,04,01,02,03,41\ns1,3.25,85.5,55,75,68.5,80,62\n");
    for (const std::string top : {"", "3"}) {
        Args args = {"--batch", (folder.path() / "one.csv").string(), "-o", (folder.path() / "r.csv").string()};
        if (!top.empty())
            args.insert(args.end(), {"--top", top});
        ASSERT_EQ(Calc(folder, args).status, 0);
        std::istringstream got(tamrik::test::ReadBytes(folder.path() / "r.csv"));
        std::string line;
        std::getline(got, line);  // the header
        std::vector<std::string> rows;
        while (std::getline(got, line))
            rows.push_back(line);
        const std::size_t kept = top.empty() ? expected.size() : 3;
        EXPECT_EQ(rows, std::vector<std::string>(expected.begin(), expected.begin() + kept)) << "--top " << top;
    }
}

TEST_F(TamrikCalc, BatchIsTheSameOnOneThreadAndOnTwo)
{
    std::string text = "\xEF\xBB\xBFid,gpa,pr,04,01,02,03,41,45,46,07,08,09,42\n";  // a BOM, codes in any order
    for (int i = 0; i < 300; ++i) {
        text += "s" + std::to_string(i) + "," + (i % 7 ? std::to_string(1 + i % 3) + ".5" : "") + ","
                + std::to_string(i % 99 + 1);
        for (int c = 0; c < 11; ++c)
            text += "," + (i % (c + 2) ? std::to_string((i * 13 + c * 29) % 101) : std::string());
        text += "\n";
    }
    Write(folder.path() / "class.csv", text);
    std::string files[3];
    for (int j = 0; j < 3; ++j) {
        const auto out = folder.path() / ("results" + std::to_string(j) + ".csv");
        const Outcome run = Calc(folder, {"--batch", (folder.path() / "class.csv").string(), "-o", out.string(), "--top",
                                      "3", "--jobs", std::to_string(j == 2 ? 64 : j + 1)});
        ASSERT_EQ(run.status, 0) << run.err;
        files[j] = tamrik::test::ReadBytes(out);
    }
    EXPECT_EQ(files[0], files[1]);
    EXPECT_EQ(files[0], files[2]);
    EXPECT_EQ(std::count(files[0].begin(), files[0].end(), '\n'), 1 + 300 * 3);
    EXPECT_EQ(files[0].substr(0, files[0].find('\n')),
              "id,rank,code,university,faculty,composite,highest_possible,last_min,last_max,margin_percent,chance");
    EXPECT_EQ(files[0].substr(files[0].find('\n') + 1, 5), "s0,1,");
    EXPECT_NE(files[0].find("\ns299,3,"), std::string::npos);
}

// Rows of CSV output, the header first.
std::vector<std::vector<std::string>> CsvOf(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    for (const tamrik::CsvRecord& record : tamrik::parseCsv(text))
        rows.push_back(record.fields);
    return rows;
}

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// A class with wishes: each student's wishes in the student's order (codes
// that lost their zeros read back, a code no faculty has kept with a note),
// then the best faculties the student did not wish for, as --all ranks them.
TEST_F(TamrikCalc, ClassWishesComeFirstThenTheBestOthers)
{
    const auto csv = folder.path() / "class.csv";
    Write(csv, "id,gpa,pr,wish2,01,02,03,04,41,wish1,wish3\n"
               "s1,3.25,85.5,13,75,68.5,80,55,62,0022,999\n"
               "s2,2.50,40,,40,30,35,20,25,1,\n");
    const Outcome run = Calc(folder, {"--batch", csv.string(), "--top", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = CsvOf(run.out);
    ASSERT_EQ(rows.size(), 1u + 5 + 3) << run.out;
    EXPECT_EQ(rows[0].back(), "needed");
    EXPECT_EQ(rows[0][rows[0].size() - 3], "kind");
    const auto column = [&](const std::vector<std::string>& row, const std::string& name) {
        return row[std::find(rows[0].begin(), rows[0].end(), name) - rows[0].begin()];
    };
    std::vector<std::string> got;
    for (std::size_t r = 1; r < rows.size(); ++r)
        got.push_back(column(rows[r], "id") + " " + column(rows[r], "kind") + " " + column(rows[r], "wish") + " "
                      + column(rows[r], "code"));
    const std::vector<std::string> wishes = {"s1 wish 1 0022", "s1 wish 2 0013", "s1 wish 3 0999", "s2 wish 1 0001"};
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.begin() + 3), std::vector<std::string>(wishes.begin(), wishes.begin() + 3));
    EXPECT_EQ(got[5], wishes[3]);
    EXPECT_EQ(column(rows[3], "chance"), "ไม่มีคณะรหัสนี้ในฐานข้อมูลเกณฑ์");
    EXPECT_EQ(column(rows[3], "rank"), "");
    EXPECT_EQ(column(rows[3], "composite"), "");

    // The suggestions are --all's best, the wished-for ones left out, at
    // their places in that ranking; what is needed is the gap to last year's lowest.
    const Outcome all = Calc(folder, {"--all", "--csv", "--scores", "01=75,02=68.5,03=80,04=55,41=62", "--gpa",
                                      "3.25", "--pr", "85.5"});
    std::vector<std::string> best;
    for (const auto& row : CsvOf(all.out)) {
        if (row[1] != "0022" && row[1] != "0013" && row[0] != "rank" && best.size() < 2)
            best.push_back(row[0] + " " + row[1]);
    }
    EXPECT_EQ(column(rows[4], "kind") + " " + column(rows[4], "rank") + " " + column(rows[4], "code"), "suggestion " + best[0]);
    EXPECT_EQ(column(rows[5], "rank") + " " + column(rows[5], "code"), best[1]);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const std::string needed = column(rows[r], "needed");
        if (!needed.empty()) {
            EXPECT_NEAR(std::stod(needed), std::stod(column(rows[r], "last_min")) - std::stod(column(rows[r], "composite")),
                        0.005);
        }
    }
    EXPECT_NE(std::count_if(rows.begin() + 1, rows.end(), [&](const auto& row) { return !column(row, "needed").empty(); }), 0);

    // Said once for the class, with the cause; the unknown code where it stands.
    EXPECT_EQ(Count(run.err, "save it as text"), 1u) << run.err;
    EXPECT_NE(run.err.find(csv.string() + ":2:4: wish '13' is read as faculty 0013; 3 wish codes had lost"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(csv.string() + ":2:11: no faculty '0999'"), std::string::npos) << run.err;

    // Without --top, the wishes alone; as JSON, the same rows.
    EXPECT_EQ(CsvOf(Calc(folder, {"--batch", csv.string()}).out).size(), 1u + 4);
    const std::string json = Calc(folder, {"--batch", csv.string(), "--top", "2", "--json"}).out;
    EXPECT_EQ(Count(json, "{\"id\": "), 8u);
    EXPECT_EQ(json.rfind("[\n {\"id\": \"s1\", \"rank\": ", 0), 0u) << json.substr(0, 80);
    EXPECT_NE(json.find("\"kind\": \"wish\", \"wish\": 3, \"faculty\": \"0999\""), std::string::npos);
    EXPECT_EQ(Count(json, "\"kind\": \"suggestion\", \"wish\": null"), 4u);
    EXPECT_EQ(json.substr(json.size() - 4), "}\n]\n");
}

// --university, --match (the window's search: blanks and zero-width spaces
// do not count) and --eligible-only leave --all's rows at their places;
// --faculty with --batch evaluates those faculties alone.
TEST_F(TamrikCalc, FiltersLeaveTheRowsTheyMatch)
{
    const Args applicant = {"--scores", "01=75,02=68.5,03=80,04=55,43=15", "--gpa", "3.25", "--pr", "60"};
    const auto all = [&](Args args) {
        args.insert(args.begin(), applicant.begin(), applicant.end());
        args.insert(args.end(), {"--all", "--csv"});
        const Outcome run = Calc(folder, args);
        EXPECT_EQ(run.status, 0) << run.err;
        return CsvOf(run.out);
    };
    const auto every = all({});
    const auto filtered = [&](const std::function<bool(const std::vector<std::string>&)>& keep) {
        std::vector<std::vector<std::string>> rows{every[0]};
        std::copy_if(every.begin() + 1, every.end(), std::back_inserter(rows), keep);
        return rows;
    };
    const std::string chula = "จุฬาลงกรณ์มหาวิทยาลัย";
    const auto ofChula = all({"--university", chula});
    EXPECT_EQ(ofChula, filtered([&](const auto& row) { return row[2] == chula; }));
    EXPECT_EQ(ofChula.size(), 1u + 17);
    const auto teachers = all({"--match", "ครุ\xE2\x80\x8B ศาสตร์"});
    EXPECT_EQ(teachers, filtered([](const auto& row) { return row[3].find("ครุศาสตร์") != std::string::npos; }));
    EXPECT_GE(teachers.size(), 1u + 3);
    const auto eligible = all({"--eligible-only"});
    EXPECT_EQ(eligible, filtered([](const auto& row) { return row[9] != "ไม่ผ่านเกณฑ์ขั้นต่ำ"; }));
    EXPECT_LT(eligible.size(), every.size());
    EXPECT_EQ(all({"--university", chula, "--match", "แพทย"}).size(), 1u + 3);
    // The byte-order mark for spreadsheets changes nothing else.
    const Outcome plain = Calc(folder, {"--all", "--csv", "--match", "แพทย"});
    EXPECT_EQ(Calc(folder, {"--all", "--csv", "--match", "แพทย", "--csv-bom"}).out, "\xEF\xBB\xBF" + plain.out);

    Write(folder.path() / "class.csv", "id,gpa,pr,01,02\ns1,3,50,70,60\ns2,2,40,50,50\n");
    const Outcome two = Calc(folder, {"--batch", (folder.path() / "class.csv").string(), "--faculty", "0013,1"});
    ASSERT_EQ(two.status, 0) << two.err;
    const auto rows = CsvOf(two.out);
    ASSERT_EQ(rows.size(), 1u + 4);
    for (std::size_t r = 1; r < rows.size(); ++r)
        EXPECT_TRUE(rows[r][2] == "0013" || rows[r][2] == "0001") << rows[r][2];
    EXPECT_EQ(Calc(folder, {"--batch", (folder.path() / "class.csv").string(), "--faculty", "0013,9999"}).status, 2);
}

// Options that cannot go together are said once, in one line.
TEST_F(TamrikCalc, OptionsThatDoNotFitAreOneMessage)
{
    const std::string help = "tamrik-calc: see tamrik-calc --help\n";
    const std::pair<Args, std::string> runs[] = {
        {{"--batch", "x.csv", "--all", "--top", "3"}, "tamrik-calc: options --batch and --all cannot go together"},
        {{"--all", "--faculty", "1", "--top", "3", "-o", "r.csv"}, "tamrik-calc: options --all and --faculty cannot go together"},
        {{"--all", "--top", "3", "--jobs", "2", "--csv-bom"}, "tamrik-calc: options --top, --jobs and --csv-bom cannot go with --all"},
        {{"--batch", "x.csv", "--gpa", "3", "-o", "r.xlsx", "--json"},
         "tamrik-calc: options --gpa and --json cannot go with a workbook (-o FILE.xlsx): the applicants come from the file"},
    };
    for (const auto& [args, message] : runs) {
        const Outcome run = Calc(folder, args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind(message, 0), 0u) << run.err;
        EXPECT_EQ(Count(run.err, "\n"), 2u) << run.err;
        EXPECT_EQ(run.err.substr(run.err.size() - help.size()), help);
    }
}

// The bundled data are a made-up sample and every output says so; the same
// data built without the marker say nothing of it.
TEST_F(TamrikCalc, SampleDataIsSaidOnEveryOutput)
{
    const std::filesystem::path copy = folder.path() / "data";
    std::filesystem::create_directory(copy);
    for (const auto& file : std::filesystem::directory_iterator(TAMRIK_DATA_DIR))
        if (file.path().extension() == ".csv")
            std::filesystem::copy_file(file.path(), copy / file.path().filename());
    const std::string real = (folder.path() / "real.mdb").string();
    std::ostringstream toolOut, toolErr;
    ASSERT_EQ(ruledbtool::runTool({"build", copy.string(), "-o", real}, toolOut, toolErr), 0) << toolErr.str();
    Write(folder.path() / "class.csv", "id,gpa,pr,01\ns1,3.25,85.5,75\n");

    const std::string notice = std::string("หมายเหตุ: ") + tamrik::kSampleNotice + "\n";
    const auto count = [](const std::string& text, const std::string& part) {
        std::size_t n = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    };
    for (const std::string& db : {BundledDb(), real}) {
        const bool sample = db == BundledDb();
        const Args applicant = {"--scores", "01=75,04=55", "--gpa", "3.25"};
        const auto run = [&](Args args) {
            args.insert(args.begin(), applicant.begin(), applicant.end());
            return Calc(folder, args, db);
        };
        EXPECT_EQ(run({"--faculty", "13"}).out.rfind(notice, 0) == 0, sample) << db;
        EXPECT_EQ(run({"--all"}).out.rfind(notice, 0) == 0, sample) << db;
        const std::string json = run({"--all", "--json"}).out;
        EXPECT_EQ(count(json, sample ? "\"sample\": true}" : "\"sample\": false}"), count(json, "{\"faculty\": "));
        const std::string note = sample ? "tamrik-calc: " + notice : "";
        const Outcome csv = run({"--all", "--csv"});
        EXPECT_EQ(csv.err, note);
        EXPECT_EQ(csv.out.rfind("rank,code,", 0), 0u);
        EXPECT_EQ(Calc(folder, {"--batch", (folder.path() / "class.csv").string()}, db).err, note);
    }
}

// Ids come from the file as they stand: the CSV gets neither a formula nor a
// control character from them, and its figures stay figures.
TEST_F(TamrikCalc, BatchIdsAreWrittenAsPlainText)
{
    const std::string replaced = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> ids[] = {
        {"\"=HYPERLINK(\"\"http://x\"\")\"", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"+1", "'+1"}, {"-2", "'-2"}, {"@sum", "'@sum"}, {"plain", "plain"},
        {"\"\ttab\"", replaced + "tab"}, {"\"two\r\nlines\"", "two" + replaced + replaced + "lines"},
        {"x\u202Eright-to-left", "x" + replaced + "right-to-left"}, {"\u0085next", replaced + "next"}};
    std::string text = "id,gpa,pr,01\n";
    for (const auto& id : ids)
        text += id.first + ",,,30\n";
    Write(folder.path() / "ids.csv", text);
    const auto out = folder.path() / "r.csv";
    ASSERT_EQ(Calc(folder, {"--batch", (folder.path() / "ids.csv").string(), "--top", "1", "-o", out.string()}).status, 0);
    std::istringstream rows(tamrik::test::ReadBytes(out));
    std::string row;
    std::getline(rows, row);
    for (const auto& id : ids) {
        ASSERT_TRUE(std::getline(rows, row));
        EXPECT_EQ(row.substr(0, id.second.size() + 3), id.second + ",1,") << row;
        EXPECT_NE(row.find(",-"), std::string::npos) << "a negative margin stays a number: " << row;
    }
}

// Bytes that are not UTF-8 and control characters in the rule data: every
// output carries U+FFFD instead, and the JSON stays JSON.
TEST(Report, EveryOutputReplacesWhatIsNotText)
{
    tamrik::FacultyEvaluation ev;
    ev.facCode = "0001";
    ev.university = "\xFFuni\x1B[2J";
    ev.name = "\xE0\xB8name\x7F\\\"";
    ev.years = {{"25\xC0\xAF", 1, 2}};
    ev.minimums = {"min\x9B"};
    const std::string r = "\xEF\xBF\xBD";
    const std::string json = tamrikcalc::jsonObject(ev, false);
    EXPECT_NE(json.find("\"university\": \"" + r + "uni" + r + "[2J\", \"name\": \"" + r + r + "name" + r + "\\\\\\\"\""),
              std::string::npos) << json;
    EXPECT_NE(json.find("\"years\": {\"25" + r + r + "\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"minimums\": [\"min" + r + "\"]"), std::string::npos) << json;
    ev.error = "\x1B]0;title\x07";
    const std::vector<tamrikcalc::StudentRow> rows{{tamrikcalc::RowKind::Ranked, 0, 1, ev}};
    const std::string outputs[] = {tamrikcalc::textBlock(ev), tamrikcalc::tableText(rows), tamrikcalc::csvRows(rows)};
    for (const std::string& out : outputs) {
        EXPECT_NE(out.find(r + "uni" + r + "[2J"), std::string::npos) << out;
        EXPECT_NE(out.find(r + "]0;title" + r), std::string::npos) << out;
        EXPECT_EQ(std::count_if(out.begin(), out.end(), [](char c) { return (c >= 0 && c < 0x20 && c != '\n') || c == 0x7F; }), 0) << out;
    }
}

// Between the check and the computing, the file must read the same.
TEST(ApplicantFile, AChangeAfterTheCheckIsAFault)
{
    tamrik::test::TempFolder folder;
    const auto file = folder.path() / "class.csv";
    for (const std::string later : {"id,gpa,pr,01\na,3,50,70\nb,9,50,70\n", "id,gpa,pr,01\na,3,50,70\n",
                                    "id,gpa,pr,01\na,3,50,70\nb,3,50,70\nc,3,50,70\n"}) {
        Write(file, "id,gpa,pr,01\na,3,50,70\nb,3,50,70\n");
        tamrikcalc::ApplicantFile applicants(file.string());
        ASSERT_EQ(applicants.check({}), 2u);
        Write(file, later);
        std::vector<tamrikcalc::BatchApplicant> block;
        const bool read = applicants.next(block, 64) && applicants.atEnd();
        EXPECT_FALSE(read) << later;
        EXPECT_EQ(applicants.error(), file.string() + ": the file changed while it was read; nothing is written");
    }
}

}  // namespace
