// tamrik-ruledb as the maintainer runs it, verb by verb, through its command
// line: build of small folders with malformed, Windows-874 or broken files,
// and the digest it records; check of folders and of damaged or changed
// databases; export and the build of what it wrote; diff of two years;
// import-mdb of a sound or damaged Access file; --help, --version and wrong
// arguments.
#ifndef _WIN32
#include "boundedchild.h"
#endif
#include "commands.h"
#include "dataset.h"
#include "mdbimport.h"
#include "sha256.h"

#include "buildinfo.h"
#include "contentcheck.h"
#include "rulechange.h"
#include "ruletables.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace ruledbtool;
using tamrik::test::EntryCount;
using tamrik::test::ReadBytes;
using tamrik::test::TempFolder;
using tamrik::test::WriteBytes;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string out;
};

ToolRun Tool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runTool(args, out, err);
    return {status, out.str() + err.str()};
}

bool HasLineStarting(const std::string& text, const std::string& start)
{
    return text.find(start) == 0 || text.find("\n" + start) != std::string::npos;
}

std::string Entries(const std::string& fac, std::vector<std::string> codes, std::vector<std::string> scores,
                    const char* total)
{
    std::string row = fac + "," + std::to_string(codes.size());
    codes.resize(9);
    scores.resize(9);
    for (const auto& c : codes)
        row += "," + c;
    for (const auto& s : scores)
        row += "," + s;
    return row + (total ? std::string(",") + total : "") + "\n";
}

const std::string kMain4[] = {"01", "02", "03", "04"};
const std::vector<std::string> k10000x4(4, "10000");

// Three faculties of two universities: a special subject with minimums, the
// 01 + 02 rule without a special subject, and the either-of pair.
std::map<std::string, std::string> MinimalData()
{
    std::string crt = "FacCode,NumSub,SubCod01,SubCod02,SubCod03,SubCod04,SubCod05,SubCod06,SubCod07,SubCod08,"
                      "SubCod09,Sco01,Sco02,Sco03,Sco04,Sco05,Sco06,Sco07,Sco08,Sco09\n";
    std::string sum = crt.substr(0, crt.size() - 1) + ",TotSco\n";
    crt += Entries("0001", {"04", "41"}, {"3000", "2000"}, nullptr) + Entries("0002", {}, {}, nullptr)
           + Entries("0003", {}, {}, nullptr);
    sum += Entries("0001", {"01", "02", "03", "04", "41"}, {"10000", "10000", "10000", "10000", "20000"}, "6000")
           + Entries("0002", {"01", "02", "03", "04"}, k10000x4, "4000")
           + Entries("0003", {"01", "02", "03", "04", "61"}, {"10000", "10000", "10000", "10000", "20000"}, "6000");
    return {
        {"SUName.csv", "UName,FacName,FacCode\nมหาวิทยาลัยหนึ่ง,คณะแรก,0001\nมหาวิทยาลัยหนึ่ง,คณะสอง,0002\n"
                       "มหาวิทยาลัยสอง,คณะสาม,0003\n"},
        {"SubjectTable.csv", "SubCod,SubName,SubTyp\n01,ภาษาไทย,0\n02,สังคมศึกษา,0\n03,ภาษาอังกฤษ,0\n"
                             "04,คณิตศาสตร์,0\n41,ความถนัดทางวิศวกรรม,1\n45,ชีววิทยา,1\n46,เคมี,1\n47,ฟิสิกส์,1\n"},
        {"Table12.csv", "FacCode,NumSub\n0001,0\n0002,2\n0003,0\n"},
        {"Facsubj.csv", "FacCode,NumSubj,Sub1,Sub2,Sub3,Sub4,Sub5,Sub6,Sub7,Sub8\n0001,5,01,02,03,04,41,,,\n"
                        "0002,4,01,02,03,04,,,,\n0003,6,01,02,03,04,45,46,,\n"},
        {"tableCRT.csv", crt},
        {"tableSUM.csv", sum},
        {"tb6174.csv", "FacCode,SubCod\n0003,4546\n"},
        {"maxminScQor43.csv", "FacCode,ScMax,ScMin\n0001,700.5,600\n0002,650,500.25\n"},
    };
}

struct Edit {
    std::string file, from, to;  // `from` empty: `to` is the whole file
};

void WriteFolder(const fs::path& folder, const std::vector<Edit>& edits = {})
{
    std::map<std::string, std::string> files = MinimalData();
    for (const Edit& edit : edits) {
        std::string& text = files[edit.file];
        if (edit.from.empty()) {
            text = edit.to;
            continue;
        }
        const std::size_t at = text.find(edit.from);
        ASSERT_NE(at, std::string::npos) << edit.from;
        text.replace(at, edit.from.size(), edit.to);
    }
    fs::create_directories(folder);
    for (const auto& [name, text] : files)
        WriteBytes(folder / name, text);
}

TEST(RuleDbCheck, EveryBrokenRuleIsNamedWithItsTableRowAndColumn)
{
    struct Case {
        std::vector<Edit> edits;
        std::string expected;  // the start of one output line
    };
    const std::string sum1 = "0001,5,01,02,03,04,41,,,,,10000,10000,10000,10000,20000,,,,,6000";
    const std::vector<Case> cases = {
        {{{"SUName.csv", "คณะสาม,0003", "คณะสาม,0004"}}, "SUName:-:FacCode: no faculty 0003: codes run from 0001 without gaps"},
        {{{"SUName.csv", "คณะสอง,0002", "คณะสอง,0001"}}, "SUName:3:FacCode: faculty 0001 again (first at 2)"},
        {{{"SUName.csv", "มหาวิทยาลัยหนึ่ง,คณะแรก", "มหาวิทยาลัยสอง,คณะแรก"}},
         "SUName:4:UName: มหาวิทยาลัยสอง: its faculties are not together (also at 2)"},
        {{{"Table12.csv", "0002,2\n", ""}}, "Table12:0002:FacCode: no row for faculty 0002"},
        {{{"Facsubj.csv", "0003,6,01,02,03,04,45,46,,", "0003,8,01,02,03,04,41,45,46,47"}},
         "Facsubj:4:NumSubj: 4 special subjects; the page holds 3"},
        {{{"Facsubj.csv", "0002,4,01,02,03,04,,", "0002,5,01,02,03,04,52,"}},
         "Facsubj:3:Sub5: subject code \"52\" is not 01 to 51"},
        {{{"Facsubj.csv", "0002,4,01,02,03,04,,", "0002,5,01,02,03,04,42,"}},
         "Facsubj:3:Sub5: subject 42 is not in SubjectTable"},
        {{{"SubjectTable.csv", "04,คณิตศาสตร์,0", "04,คณิตศาสตร์,1"}}, "SubjectTable:5:SubTyp: subject 04 has SubTyp 1"},
        {{{"tableSUM.csv", sum1, sum1.substr(0, sum1.size() - 4) + "7000"}},
         "tableSUM:2:TotSco: TotSco 7000 is not ten times the full scores it adds up (6000)"},
        {{{"tableSUM.csv", ",4000", ",0"}}, "tableSUM:3:TotSco: TotSco must be a number above 0"},
        {{{"tableSUM.csv", "0001,5,01,02,03,04,41", "0001,5,01,02,03,41,04"}},
         "tableSUM:2:SubCod05: main subject 04 after a special entry: main entries come first"},
        {{{"tableSUM.csv", "0003,5,01,02,03,04,61,,,,", "0003,9,01,02,03,04,05,06,07,08,61"}},
         "tableSUM:4:SubCod09: the either-of pair cannot be the ninth entry: it fills two slots"},
        {{{"tb6174.csv", "0003,4546\n", ""}}, "tb6174:0003:FacCode: no row for faculty 0003, whose tableSUM names the pair 61"},
        {{{"tableCRT.csv", "3000,2000", "12000,2000"}}, "tableCRT:2:Sco01: the minimum must be 0 to 100 % (0 to 10000)"},
        {{{"tableCRT.csv", "0001,2,04,41", "0001,2,05,41"}},
         "tableCRT:2:SubCod01: a minimum for subject \"05\", which is not one of the faculty's subjects"},
        // Only the program's own rule load sees that a faculty without a main subject has no main weight.
        {{{"Facsubj.csv", "0002,4,01,02,03,04,,", "0002,1,41,,,,,"},
          {"tableSUM.csv", Entries("0002", {"01", "02", "03", "04"}, k10000x4, "4000"),
           Entries("0002", {"41"}, {"20000"}, "2000")}},
         "SUName:3:FacCode: the program cannot load the rule: "},
        {{{"maxminScQor43.csv", "0002,650,500.25", "0002,650,700"}},
         "maxminScQor43:3:ScMin: the lowest score is above the highest"},
        {{{"maxminScQor43.csv", "0002,650", "0009,650"}}, "maxminScQor43:3:FacCode: faculty \"0009\" is not in SUName"},
        {{{"Zi2Prob.csv", "", "Zi,Prob\n0.000,0.5\n"}},
         "Zi2Prob:-:Zi: 370 keys the GPA share asks for under mean 2.4397771456 and SD 0.5519077994 have no row "
         "(0.018 to 4.403)"},
    };
    TempFolder temp;
    WriteFolder(temp.path() / "clean");
    const ToolRun clean = Tool({"check", (temp.path() / "clean").string()});
    EXPECT_EQ(clean.status, kExitOk) << clean.out;
    EXPECT_NE(clean.out.find("no problem: 3 faculties of 2 universities, 8 subjects, range tables maxminScQor43"),
              std::string::npos) << clean.out;

    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.expected);
        const fs::path folder = temp.path() / std::to_string(i);
        WriteFolder(folder, c.edits);
        const ToolRun run = Tool({"check", folder.string()});
        EXPECT_EQ(run.status, kExitProblems);
        EXPECT_TRUE(HasLineStarting(run.out, c.expected)) << run.out;
    }
    // Codes a spreadsheet saved as numbers: one line for the table, none for each row or faculty.
    WriteFolder(temp.path() / "zeros", {{"tableSUM.csv", "\n0001,", "\n1,"}, {"tableSUM.csv", "\n0003,", "\n3,"}});
    const ToolRun zeros = Tool({"check", (temp.path() / "zeros").string()});
    EXPECT_EQ(zeros.out, "tableSUM:2:FacCode: 2 faculty codes have lost their leading zeros, \"1\" for \"0001\" the "
                         "first: the column was saved as numbers; save it as text\n"
                         + (temp.path() / "zeros").string() + ": 1 problem\n");
    WriteBytes(temp.path() / "param.opt", "maxminScQor44\n2.5\n0.5\n");
    const ToolRun param = Tool({"check", (temp.path() / "clean").string(), "--param", (temp.path() / "param.opt").string()});
    EXPECT_EQ(param.status, kExitProblems);
    EXPECT_TRUE(HasLineStarting(param.out, "param.opt:1:-: the range table maxminScQor44 is not in the data")) << param.out;
    // Two lines are read as the program reads them, the SD taking its default; only a missing file is refused.
    WriteBytes(temp.path() / "param.opt", "maxminScQor43\r\n2.4\r\n");
    const ToolRun shortParam =
        Tool({"check", (temp.path() / "clean").string(), "--param", (temp.path() / "param.opt").string()});
    EXPECT_EQ(shortParam.status, kExitOk) << shortParam.out;
    EXPECT_NE(shortParam.out.find("for mean 2.4 and SD 0.5519077994"), std::string::npos) << shortParam.out;
    const ToolRun noParam = Tool({"check", (temp.path() / "clean").string(), "--param", (temp.path() / "no.opt").string()});
    EXPECT_EQ(noParam.status, kExitProblems);
    EXPECT_NE(noParam.out.find("no.opt: cannot read the parameter file"), std::string::npos) << noParam.out;
}

TEST(RuleDbCheck, DatabaseWithADamagedPageIsRefusedAsTheProgramRefusesIt)
{
    TempFolder temp;
    WriteFolder(temp.path() / "data");
    const std::string file = (temp.path() / "ScoreRule.mdb").string();
    ASSERT_EQ(Tool({"build", (temp.path() / "data").string(), "-o", file}).status, kExitOk);
    const auto index = tamrik::ruledb::RuleDatabase(file).query(
        "SELECT rootpage, (SELECT page_size FROM pragma_page_size()) AS size FROM sqlite_master "
        "WHERE name='Table12_FacCode'");
    const auto size = static_cast<std::size_t>(index.field("size").toNumber());
    std::string bytes = ReadBytes(file);
    bytes.replace((static_cast<std::size_t>(index.field("rootpage").toNumber()) - 1) * size, size,
                  std::string(size, '\0'));
    WriteBytes(file, bytes);

    const ToolRun run = Tool({"check", file});
    EXPECT_EQ(run.status, kExitProblems);
    EXPECT_TRUE(HasLineStarting(run.out, file + ": the program refuses it: ")) << run.out;
    EXPECT_NE(run.out.find("the database is damaged"), std::string::npos) << run.out;
}

TEST(RuleDbBuild, MalformedFileOrBrokenRuleIsRefusedWithItsPlaceAndLeavesTheOldDatabase)
{
    const std::pair<std::string, std::string> cases[] = {
        {"FacCode,NumSub\n0001,0\n\"0002,2\n", "Table12.csv:3:1: a quoted field is never closed"},
        {"FacCode,NumSub\n\"0001\"x,2\n", "Table12.csv:2:7: text after a closing quote"},
        {"FacCode,NumSub\n0001,\x01\n", "Table12.csv:2:6: stray byte 0x01"},
        {"FacCode,NumSub\n0001,0\nก0\xFF", "Table12.csv:3:3: not UTF-8 or Windows-874 text"},
        {"FacCode,NumSub\n0001," + std::string(10000, '1') + "\n", "Table12.csv:2:10001: line longer than 10000 bytes"},
        {"FacCode,NumSub\n0001,nan\n", "Table12.csv:2:6: NumSub: \"nan\" is not a number"},
        {"FacCode,NumSub\n0001,2\n0002,inf\n", "Table12.csv:3:6: NumSub: \"inf\" is not a number"},
        {"FacCode,NumSub\n0001,-infinity\n", "Table12.csv:2:6: NumSub: \"-infinity\" is not a number"},
    };
    for (const auto& [csv, says] : cases) {
        SCOPED_TRACE(says);
        TempFolder temp;
        WriteFolder(temp.path() / "data", {{"Table12.csv", "", csv}});
        fs::create_directory(temp.path() / "out");
        const fs::path output = temp.path() / "out" / "ScoreRule.mdb";
        WriteBytes(output, "the previous database");
        const ToolRun run = Tool({"build", (temp.path() / "data").string(), "-o", output.string()});
        EXPECT_EQ(run.status, kExitProblems);
        EXPECT_EQ(run.out, (temp.path() / "data" / says).string() + "\n");
        EXPECT_EQ(ReadBytes(output), "the previous database");
        EXPECT_EQ(EntryCount(temp.path() / "out"), 1u);  // no temporary file left
    }
    // Well-formed, but a rule the check refuses: named as check names it, nothing written.
    TempFolder temp;
    WriteFolder(temp.path() / "data", {{"Table12.csv", "0003,0\n", "0003,0\n0002,2\n"}});
    const fs::path output = temp.path() / "ScoreRule.mdb";
    WriteBytes(output, "the previous database");
    const ToolRun run = Tool({"build", (temp.path() / "data").string(), "-o", output.string()});
    EXPECT_EQ(run.status, kExitProblems);
    EXPECT_TRUE(HasLineStarting(run.out, "Table12:5:FacCode: a second row for faculty 0002")) << run.out;
    EXPECT_TRUE(HasLineStarting(run.out, (temp.path() / "data").string() + ": 1 problem\n")) << run.out;
    EXPECT_EQ(ReadBytes(output), "the previous database");
    EXPECT_EQ(EntryCount(temp.path()), 2u);
}

// What build or the program would refuse, check refuses first, and build
// refuses it before writing: nothing waits on a pipe.
TEST(RuleDbBuild, WhatCheckRefusesIsRefusedBeforeAnythingIsWritten)
{
    const std::string range = "FacCode,ScMax,ScMin\n0001,700,600\n";
    const std::pair<std::vector<Edit>, std::string> cases[] = {
        {{{"sqlite_master.csv", "", range}}, "sqlite_master.csv:1:1: SQLite keeps table names beginning with sqlite_"},
#ifndef _WIN32  // one file there: its file names ignore case
        {{{"MaxMinScQor43.csv", "", range}}, "maxminScQor43.csv:1:1: the same table to SQLite as MaxMinScQor43.csv"},
#endif
        {{{"SUName.csv", "คณะสาม", std::string(5000, 'x')}},
         "SUName.csv:4:16: FacName: a text of 5000 bytes: the program reads at most 4096"},
        {{}, "maxminScQor44.csv:1:1: not a regular file (a pipe, a device or a folder): not read"},
    };
    for (const auto& [edits, says] : cases) {
        SCOPED_TRACE(says);
        TempFolder temp;
        const fs::path data = temp.path() / "data";
        WriteFolder(data, edits);
        if (edits.empty()) {
#ifdef _WIN32
            continue;  // no named pipes in a folder there
#else
            ASSERT_EQ(mkfifo((data / "maxminScQor44.csv").c_str(), 0600), 0);
#endif
        }
        const ToolRun check = Tool({"check", data.string()});
        EXPECT_EQ(check.status, kExitProblems);
        EXPECT_TRUE(HasLineStarting(check.out, (data / says).string())) << check.out;
        const ToolRun build = Tool({"build", data.string(), "-o", (temp.path() / "rules.mdb").string()});
        EXPECT_EQ(build.status, kExitProblems);
        EXPECT_TRUE(HasLineStarting(build.out, (data / says).string())) << build.out;
        EXPECT_FALSE(fs::exists(temp.path() / "rules.mdb"));
    }
}

TEST(RuleDbBuild, WindowsThaiTextIsConverted)
{
    // A whole file as a Thai spreadsheet saves it: the names arrive as UTF-8.
    TempFolder temp;
    WriteFolder(temp.path(), {{"SUName.csv", "", "UName,FacName,FacCode\r\n"
                                                 "\xa8\xd8\xcc\xd2\xc5\xa7\xa1\xc3\xb3\xec\xc1\xcb\xd2\xc7\xd4\xb7\xc2"
                                                 "\xd2\xc5\xd1\xc2,\xa4\xb3\xd0\xc7\xd4\xc8\xc7\xa1\xc3\xc3\xc1\xc8"
                                                 "\xd2\xca\xb5\xc3\xec,0001\r\n"}});
    std::vector<std::string> faults;
    const DataSet data = readDataFolder(temp.path().string(), faults);
    ASSERT_TRUE(faults.empty()) << faults.front();
    const Table* names = data.find("SUName");
    ASSERT_TRUE(names && names->rows.size() == 1);
    EXPECT_EQ(names->rows[0].values[0].text, "จุฬาลงกรณ์มหาวิทยาลัย");
    EXPECT_EQ(names->rows[0].values[1].text, "คณะวิศวกรรมศาสตร์");
}

// The build records its digest only when every value is one the program
// can use: the program then takes the values as checked, and refuses a file
// whose content has changed since, down to a single bit anywhere in a table.
TEST(RuleDbBuild, RecordsADigestOnlyForUsableValuesThatEveryFlippedBitBreaks)
{
    using namespace tamrik::ruledb;
    TempFolder temp;
    WriteFolder(temp.path() / "unusable", {{"tableCRT.csv", "3000,2000", "12000,2000"}});
    const std::string unusable = (temp.path() / "unusable.mdb").string();
    ASSERT_EQ(Tool({"build", (temp.path() / "unusable").string(), "-o", unusable, "--no-check"}).status, kExitOk);
    EXPECT_EQ(readBuildInfo(RuleDatabase(unusable))->ContentHash, "");
    try {
        requireRuleTables(RuleDatabase(unusable));
        ADD_FAILURE() << "a minimum past 100 % was taken";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("tableCRT (FacCode 0001, Sco01: the minimum must be"), std::string::npos)
            << e.what();
    }

    WriteFolder(temp.path() / "data");
    const std::string built = (temp.path() / "built.mdb").string(), changed = (temp.path() / "changed.mdb").string();
    ASSERT_EQ(Tool({"build", (temp.path() / "data").string(), "-o", built}).status, kExitOk);
    const std::string bytes = ReadBytes(built);
    std::size_t pageSize = 0, infoPage = 0;
    {
        const RuleDatabase db(built);
        EXPECT_EQ(readBuildInfo(db)->ContentHash, contentDigest(db, *readBuildInfo(db)));
        const QueryResult page = db.query("SELECT rootpage, (SELECT page_size FROM pragma_page_size()) FROM "
                                          "sqlite_master WHERE name = 'TamrikInfo'");
        infoPage = static_cast<std::size_t>(page.at(0).toNumber());
        pageSize = static_cast<std::size_t>(page.at(1).toNumber());
    }
    // Every page but the first (the header and the tables' declarations) and
    // TamrikInfo's: a few hundred bits spread over them.
    std::size_t flips = 0;
    for (std::size_t at = pageSize; at < bytes.size(); at += 401) {
        if (at / pageSize + 1 == infoPage)
            continue;
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ (1 << (at % 8)));
        WriteBytes(changed, damaged);
        bool refused = false;
        try {
            requireRuleTables(RuleDatabase(changed));
        } catch (const DbError&) {
            refused = true;
        }
        ASSERT_TRUE(refused) << "bit " << at % 8 << " of byte " << at << " flipped, and the file was taken";
        ++flips;
    }
    EXPECT_GT(flips, 300u);
}

// The bundled data through build, export and build again: the same tables,
// the build's record, and the sample mark kept all the way.
TEST(RuleDbExport, ThenBuildGivesTheSameTables)
{
    const char* data = std::getenv("TAMRIK_TEST_DATA");
    if (!data)
        GTEST_SKIP() << "TAMRIK_TEST_DATA is not set";
    TempFolder temp;
    const std::string a = (temp.path() / "a.mdb").string(), b = (temp.path() / "b.mdb").string();
#ifdef _WIN32
    _putenv_s("SOURCE_DATE_EPOCH", "31536000");
    ASSERT_EQ(Tool({"build", data, "-o", a}).status, kExitOk);
    _putenv_s("SOURCE_DATE_EPOCH", "");
#else
    setenv("SOURCE_DATE_EPOCH", "31536000", 1);
    ASSERT_EQ(Tool({"build", data, "-o", a}).status, kExitOk);
    unsetenv("SOURCE_DATE_EPOCH");
#endif
    const ToolRun intoFile = Tool({"export", a, "-o", a + "/csv"});  // a folder under a file
    EXPECT_EQ(intoFile.status, kExitProblems);
    EXPECT_NE(intoFile.out.find("cannot create the folder"), std::string::npos) << intoFile.out;
    ASSERT_EQ(Tool({"export", a, "-o", (temp.path() / "csv").string()}).status, kExitOk);
    // Every table comes back as the folder writes it, byte for byte (366.60
    // with its zero), so comparing the two shows no change.
    for (const fs::directory_entry& file : fs::directory_iterator(data)) {
        if (file.path().extension() == ".csv")
            EXPECT_EQ(ReadBytes(temp.path() / "csv" / file.path().filename()), ReadBytes(file.path())) << file.path();
    }
    EXPECT_NE(ReadBytes(temp.path() / "csv" / "maxminScQor43.csv").find("\n0013,448.71,366.60\n"), std::string::npos);
    EXPECT_EQ(Tool({"diff", data, (temp.path() / "csv").string()}).out, "no changes\n");
    // The bundled normal table, every row, as normal-table writes it; and
    // what it holds is the standard normal distribution.
    const fs::path normal = temp.path() / "normal.csv";
    const ToolRun written = Tool({"normal-table", "--to", "4.5", "-o", normal.string()});
    EXPECT_EQ(written.out, normal.string() + ": 4501 rows of Zi2Prob, keys 0.000 to 4.500\n");
    EXPECT_EQ(ReadBytes(normal), ReadBytes(temp.path() / "csv" / "Zi2Prob.csv"));
    std::vector<std::string> faults;
    const DataSet exported = readDataFolder((temp.path() / "csv").string(), faults);
    ASSERT_TRUE(exported.find("Zi2Prob"));
    const Table& zi = *exported.find("Zi2Prob");
    const std::map<std::string, double> textbook = {
        {"0.000", 0.5}, {"1.000", 0.8413447460685429}, {"1.960", 0.9750021048517795}, {"4.500", 0.9999966023268804}};
    for (const Row& row : zi.rows) {
        if (textbook.count(row.where))
            EXPECT_NEAR(*row.values[1].number(), textbook.at(row.where), 1e-15) << row.where;
    }
    ASSERT_EQ(Tool({"build", (temp.path() / "csv").string(), "-o", b}).status, kExitOk);
    const DataSet before = readDatabaseFile(a), after = readDatabaseFile(b);
    ASSERT_EQ(before.tables.size(), after.tables.size());
    for (std::size_t t = 0; t < before.tables.size(); ++t) {
        const Table& x = before.tables[t];
        SCOPED_TRACE(x.schema.name);
        ASSERT_TRUE(after.find(x.schema.name));
        const Table& y = *after.find(x.schema.name);
        EXPECT_EQ(x.columnNames(), y.columnNames());
        ASSERT_EQ(x.rows.size(), y.rows.size());
        for (std::size_t r = 0; r < x.rows.size() && x.schema.name != "TamrikInfo"; ++r)
            EXPECT_TRUE(x.rows[r].values == y.rows[r].values) << x.rows[r].where;
    }
    const tamrik::ruledb::RuleDatabase db(a);
    const auto info = tamrik::ruledb::readBuildInfo(db);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->BuildDate, "1971-01-01");
    EXPECT_EQ(info->admissionYear, "2543");
    EXPECT_EQ(info->InputHash.size(), 64u);
    // The sample marker goes through build and export and back: a made-up
    // data set must never come back looking real.
    EXPECT_TRUE(info->Sample);
    EXPECT_TRUE(fs::is_regular_file(temp.path() / "csv" / tamrik::ruledb::kSampleMarkerFile));
    EXPECT_TRUE(tamrik::ruledb::readBuildInfo(tamrik::ruledb::RuleDatabase(b))->Sample);
    fs::remove(temp.path() / "csv" / tamrik::ruledb::kSampleMarkerFile);
    ASSERT_EQ(Tool({"build", (temp.path() / "csv").string(), "-o", b}).status, kExitOk);
    EXPECT_FALSE(tamrik::ruledb::readBuildInfo(tamrik::ruledb::RuleDatabase(b))->Sample);
    ruledbtool::Sha256 abc;  // FIPS 180-4's first example
    abc.add("abc");
    EXPECT_EQ(abc.hex(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

// Two years compared faculty by faculty, as the pages would show each.
TEST(RuleDbDiff, NamesWhatChangedFacultyByFaculty)
{
    TempFolder temp;
    WriteFolder(temp.path() / "old");
    const std::string sum1 = "0001,5,01,02,03,04,41,,,,,10000,10000,10000,10000,20000,,,,,6000";
    WriteFolder(temp.path() / "new",
                {{"SUName.csv", "คณะสอง,0002", "คณะที่สอง,0002"},
                 {"SUName.csv", "คณะสาม,0003", "คณะสาม,0003\nมหาวิทยาลัยสอง,คณะสี่,0004"},
                 {"Table12.csv", "0003,0", "0003,0\n0004,0"},
                 {"Facsubj.csv", "\n", "\n0004,4,01,02,03,04,,,,\n"},
                 {"tableCRT.csv", "\n", "\n" + Entries("0004", {}, {}, nullptr)},
                 {"tableSUM.csv", sum1, "0001,5,01,02,03,04,41,,,,,10000,10000,10000,10000,30000,,,,,7000"},
                 {"tableSUM.csv", "\n", "\n" + Entries("0004", {"01", "02", "03", "04"}, k10000x4, "4000")},
                 {"tableCRT.csv", "3000,2000", "3500,2000"},
                 {"tb6174.csv", "4546", "4645"},
                 {"SubjectTable.csv", "41,ความถนัดทางวิศวกรรม", "41,ความถนัดวิศวกรรม"},
                 {"maxminScQor43.csv", "0002,650,", "0002,660,"},
                 {"maxminScQor44.csv", "", "FacCode,ScMax,ScMin\n0001,710.00,600.00\n0002,655.00,510.00\n"}});
    const ToolRun diff = Tool({"diff", (temp.path() / "old").string(), (temp.path() / "new").string(), "--csv"});
    EXPECT_EQ(diff.status, kExitOk);
    EXPECT_EQ(diff.out, "FacCode,Faculty,Change,Old,New\n"
                        ",table maxminScQor44,added,,2 rows\n"
                        "0001,\"คณะแรก, มหาวิทยาลัยหนึ่ง\",subjects,"
                        "\"main 01 ภาษาไทย, 02 สังคมศึกษา, 03 ภาษาอังกฤษ, 04 คณิตศาสตร์; special 41 ความถนัดทางวิศวกรรม\","
                        "\"main 01 ภาษาไทย, 02 สังคมศึกษา, 03 ภาษาอังกฤษ, 04 คณิตศาสตร์; special 41 ความถนัดวิศวกรรม\"\n"
                        "0001,\"คณะแรก, มหาวิทยาลัยหนึ่ง\",weights,\"main 60, 41 30\",\"main 51, 41 39\"\n"
                        "0001,\"คณะแรก, มหาวิทยาลัยหนึ่ง\",full scores,"
                        "\"main 400.00, special 200.00, GPA 33.33, PR 33.33, total 666.66\","
                        "\"main 400.00, special 305.88, GPA 39.22, PR 39.22, total 784.32\"\n"
                        "0001,\"คณะแรก, มหาวิทยาลัยหนึ่ง\",minimums,\"04 > 30 %, 41 > 20 %\",\"04 > 35 %, 41 > 20 %\"\n"
                        "0002,\"คณะที่สอง, มหาวิทยาลัยหนึ่ง\",name,คณะสอง,คณะที่สอง\n"
                        "0002,\"คณะที่สอง, มหาวิทยาลัยหนึ่ง\",maxminScQor43,500.25 to 650,500.25 to 660\n"
                        "0003,\"คณะสาม, มหาวิทยาลัยสอง\",pair,\"45 or 46, weight 30.00\",\"46 or 45, weight 30.00\"\n"
                        "0004,\"คณะสี่, มหาวิทยาลัยสอง\",added,,\"คณะสี่, มหาวิทยาลัยสอง\"\n");
    const ToolRun text = Tool({"diff", (temp.path() / "old").string(), (temp.path() / "new").string()});
    EXPECT_EQ(text.status, kExitOk);
    EXPECT_TRUE(HasLineStarting(text.out, "0002 คณะที่สอง, มหาวิทยาลัยหนึ่ง\n  name: คณะสอง -> คณะที่สอง\n"
                                          "  maxminScQor43: 500.25 to 650 -> 500.25 to 660\n"))
        << text.out;
    EXPECT_EQ(text.out.rfind("table maxminScQor44\n  added: 2 rows\n0001 ", 0), 0u) << text.out;
    EXPECT_TRUE(HasLineStarting(text.out, "0004 คณะสี่, มหาวิทยาลัยสอง\n  added\n9 changes in 4 faculties and 1 table\n"))
        << text.out;
    EXPECT_EQ(Tool({"diff", (temp.path() / "old").string(), (temp.path() / "old").string()}).out, "no changes\n");

    // Databases: a table the program does not read, and the normal table's rows.
    const std::string a = (temp.path() / "a.mdb").string(), b = (temp.path() / "b.mdb").string();
    ASSERT_EQ(Tool({"build", (temp.path() / "old").string(), "-o", a}).status, kExitOk);
    fs::copy_file(a, b);
    ASSERT_TRUE(tamrik::test::ChangeRuleDb(b, "CREATE TABLE Notes (t TEXT); INSERT INTO Notes VALUES ('2544');"
                                              "DELETE FROM Zi2Prob WHERE Zi > '4.000';"));
    EXPECT_EQ(Tool({"diff", a, b}).out, "table Zi2Prob\n  rows: 4501 rows -> 4001 rows\n"
                                        "table Notes\n  added: 1 row (a table the program does not read)\n"
                                        "2 changes in 0 faculties and 2 tables\n");
    ASSERT_TRUE(tamrik::test::ChangeRuleDb(a, "CREATE TABLE Notes (t TEXT); INSERT INTO Notes VALUES ('2543');"
                                              "DELETE FROM Zi2Prob WHERE Zi > '4.000';"));
    EXPECT_EQ(Tool({"diff", a, b}).out, "table Notes\n  rows: 1 row -> 1 row, 1 of them changed\n"
                                        "1 changes in 0 faculties and 1 table\n");
}

// export writes exactly the database's tables, build records the digest of
// what it wrote, and a change behind the build's back is refused by every
// reader: check, export and diff as the program.
TEST(RuleDbExport, ReplacesAnOlderExportAndTheDigestFollowsTheContent)
{
    TempFolder temp;
    WriteFolder(temp.path() / "data");
    const std::string a = (temp.path() / "a.mdb").string(), b = (temp.path() / "b.mdb").string();
    const fs::path csv = temp.path() / "csv";
    ASSERT_EQ(Tool({"build", (temp.path() / "data").string(), "-o", a}).status, kExitOk);
    ASSERT_EQ(Tool({"export", a, "-o", csv.string()}).status, kExitOk);
    const ToolRun again = Tool({"export", a, "-o", csv.string()});
    EXPECT_EQ(again.status, kExitProblems);
    EXPECT_NE(again.out.find(csv.string() + ": the folder is not empty: give --replace"), std::string::npos) << again.out;

    // An older export of another year, a marker the database does not carry, and things that are not the export's.
    WriteBytes(csv / "maxminScQor42.csv", "FacCode,ScMax,ScMin\n0001,1,1\n");
    WriteBytes(csv / tamrik::ruledb::kSampleMarkerFile, "sample\n");
    WriteBytes(csv / "notes.txt", "mine\n");
    fs::create_directory(csv / "old.csv");
    fs::remove(csv / "SUName.csv");
#ifdef _WIN32
    fs::copy_file(temp.path() / "data" / "SUName.csv", csv / "SUName.csv");  // a link needs privileges there
#else
    fs::create_symlink(temp.path() / "data" / "SUName.csv", csv / "SUName.csv");
#endif
    const ToolRun replaced = Tool({"export", a, "-o", csv.string(), "--replace"});
    EXPECT_EQ(replaced.status, kExitOk) << replaced.out;
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(csv))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"Facsubj.csv", "SUName.csv", "SubjectTable.csv", "Table12.csv",
                                            "Zi2Prob.csv", "maxminScQor43.csv", "notes.txt", "old.csv",
                                            "tableCRT.csv", "tableSUM.csv", "tb6174.csv"}));
    EXPECT_FALSE(fs::is_symlink(csv / "SUName.csv"));
    EXPECT_EQ(ReadBytes(temp.path() / "data" / "SUName.csv"), MinimalData()["SUName.csv"]);  // the link's target
    fs::remove(csv / "old.csv");
    ASSERT_EQ(Tool({"build", csv.string(), "-o", b}).status, kExitOk);
    const auto digest = [](const std::string& file) {
        return tamrik::ruledb::readBuildInfo(tamrik::ruledb::RuleDatabase(file))->ContentHash;
    };
    EXPECT_EQ(digest(b).size(), 16u);
    EXPECT_TRUE(tamrik::ruledb::requireRecordedContent(tamrik::ruledb::RuleDatabase(b)));
    // A long text in a table the program never reads is hashed, not refused.
    ASSERT_TRUE(tamrik::test::ChangeRuleDb(b, "CREATE TABLE Notes (t TEXT); INSERT INTO Notes VALUES "
                                              "(printf('%.*c', 10000, 'x'));"));
    EXPECT_NO_THROW(tamrik::ruledb::requireRuleTables(tamrik::ruledb::RuleDatabase(b)));

    // One bit of a name flipped in the file: ม (E0 B8 A1) becomes ภ (E0 B8 A0).
    std::string bytes = ReadBytes(a);
    const std::size_t name = bytes.find("คณะสาม");
    ASSERT_NE(name, std::string::npos);
    bytes[name + std::string("คณะสา").size() + 2] ^= 1;
    WriteBytes(a, bytes);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"check", a}, {"export", a, "-o", (temp.path() / "csv2").string()}, {"diff", a, b}}) {
        const ToolRun run = Tool(command);
        EXPECT_EQ(run.status, kExitProblems) << command[0];
        EXPECT_NE(run.out.find("the content no longer matches"), std::string::npos) << run.out;
    }
    try {
        tamrik::ruledb::requireRuleTables(tamrik::ruledb::RuleDatabase(a));
        ADD_FAILURE() << "the changed file was taken";
    } catch (const tamrik::ruledb::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("the content no longer matches"), std::string::npos) << e.what();
    }
}

// A new year's data from last year's database, as a maintainer makes it:
// export (a range table with a remark column, in its own order), a range
// table from a spreadsheet that dropped the codes' zeros, a parameter file
// whose mean and SD reach past the normal table; check names each once with
// the way out, and the mended folder builds, with the remark kept.
TEST(RuleDbExport, ANewYearFromAnExportWithRemarksLostZerosAndAWiderNormalTable)
{
    TempFolder temp;
    WriteFolder(temp.path() / "data");
    const std::string last = (temp.path() / "last.mdb").string();
    ASSERT_EQ(Tool({"build", (temp.path() / "data").string(), "-o", last}).status, kExitOk);
    ASSERT_TRUE(tamrik::test::ChangeRuleDb(last, "CREATE TABLE maxminScQor42 (Remark TEXT, ScMin REAL, FacCode TEXT, "
                                                 "ScMax REAL); INSERT INTO maxminScQor42 VALUES ('รอบแรก', 366.6, "
                                                 "'0001', 448.71), (NULL, 500, '0002', 640.5);"));
    const fs::path year = temp.path() / "new";
    ASSERT_EQ(Tool({"export", last, "-o", year.string()}).status, kExitOk);
    EXPECT_EQ(ReadBytes(year / "maxminScQor42.csv"),
              "Remark,ScMin,FacCode,ScMax\nรอบแรก,366.60,0001,448.71\n,500.00,0002,640.50\n");
    const ToolRun exported = Tool({"check", year.string()});
    EXPECT_EQ(exported.status, kExitOk) << exported.out;
    EXPECT_EQ(Tool({"diff", last, year.string()}).out, "no changes\n");

    WriteBytes(year / "maxminScQor44.csv", "FacCode,ScMax,ScMin\n1,712.00,590.50\n2,650.00,500.00\n3,600.00,450.00\n");
    WriteBytes(temp.path() / "param.opt", "maxminScQor44\n2.51\n0.55\n");
    const std::string param = (temp.path() / "param.opt").string();
    const ToolRun faults = Tool({"check", year.string(), "--param", param});
    EXPECT_EQ(faults.status, kExitProblems);
    EXPECT_EQ(faults.out, "maxminScQor44:2:FacCode: 3 faculty codes have lost their leading zeros, \"1\" for \"0001\" the "
                          "first: the column was saved as numbers; save it as text\n"
                          "Zi2Prob:-:Zi: 3 keys the GPA share asks for under mean 2.51 and SD 0.55 have no row (4.509, "
                          "4.527, 4.545): the table is the standard normal distribution, Prob = P(Z <= Zi) for Zi at "
                          "three decimals; tamrik-ruledb normal-table --to 4.545 -o Zi2Prob.csv writes every row up to "
                          "that key: put the file in the data folder and build it\n"
                          + year.string() + ": 2 problems\n");

    WriteBytes(year / "maxminScQor44.csv",
               "FacCode,ScMax,ScMin\n0001,712.00,590.50\n0002,650.00,500.00\n0003,600.00,450.00\n");
    const ToolRun wider = Tool({"normal-table", "--to", "4.545", "-o", (year / "Zi2Prob.csv").string()});
    EXPECT_EQ(wider.status, kExitOk) << wider.out;
    const ToolRun mended = Tool({"check", year.string(), "--param", param});
    EXPECT_EQ(mended.status, kExitOk) << mended.out;
    EXPECT_EQ(Tool({"diff", last, year.string()}).out, "table Zi2Prob\n  rows: 4501 rows -> 4546 rows\n"
                                                     "table maxminScQor44\n  added: 3 rows\n"
                                                     "2 changes in 0 faculties and 2 tables\n");
    const std::string next = (temp.path() / "next.mdb").string();
    ASSERT_EQ(Tool({"build", year.string(), "-o", next}).status, kExitOk);
    const DataSet built = readDatabaseFile(next);
    const Table& remarked = *built.find("maxminScQor42");
    EXPECT_EQ(remarked.columnNames(), (std::vector<std::string>{"Remark", "ScMin", "FacCode", "ScMax"}));
    EXPECT_EQ(remarked.rows[0].values[0], Value::ofText("รอบแรก"));
    EXPECT_EQ(remarked.rows[1].values[3], Value::ofReal(640.5));
    EXPECT_EQ(built.find("Zi2Prob")->rows.size(), 4546u);
    // The program reads the year by its names and the remark not at all.
    const auto range = tamrik::ruledb::lookupLastYearRange(tamrik::ruledb::RuleDatabase(next), "maxminScQor42", "0001");
    ASSERT_TRUE(range);
    EXPECT_EQ(range->ScMin, 366.6);
}

// check of a database names what the program would refuse at start-up.
TEST(RuleDbCheck, OfADatabaseRefusesWhatTheProgramRefuses)
{
    const std::pair<std::string, std::string> cases[] = {
        {"UPDATE tableCRT SET Sco02 = '20%' WHERE FacCode = '0001';",
         "tableCRT:0001:Sco02: the minimum must be 0 to 100 % (0 to 10000)"},
        // A key the default mean and SD never ask for: the program checks every row.
        {"UPDATE Zi2Prob SET Prob = 2 WHERE Zi = '0.001';", "Zi2Prob:0.001:Prob: Prob of key 0.001 is not a probability"},
        {"UPDATE tableSUM SET TotSco = 'x' WHERE FacCode = '0002';", "tableSUM:0002:TotSco: TotSco must be a number above 0"},
        {"DELETE FROM SUName;", "SUName:-:-: no faculty: the program needs one at least"},
        {"CREATE VIEW maxminScQor44 AS SELECT * FROM maxminScQor43;", "the program refuses it: "},
        {"UPDATE SUName SET FacName = printf('%.*c', 5000, 'x') WHERE FacCode = '0002';", "the program refuses it: "},
    };
    TempFolder temp;
    WriteFolder(temp.path() / "data");
    const std::string built = (temp.path() / "built.mdb").string();
    ASSERT_EQ(Tool({"build", (temp.path() / "data").string(), "-o", built}).status, kExitOk);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].first);
        const std::string file = (temp.path() / (std::to_string(i) + ".mdb")).string();
        fs::copy_file(built, file);
        ASSERT_TRUE(tamrik::test::ChangeRuleDb(file, cases[i].first));
        const ToolRun run = Tool({"check", file});
        EXPECT_EQ(run.status, kExitProblems);
        EXPECT_TRUE(HasLineStarting(run.out, cases[i].second) || HasLineStarting(run.out, file + ": " + cases[i].second))
            << run.out;
    }
}

// Texts of a UTF-16 database reach check and export as UTF-8, as the program reads them.
TEST(RuleDbCheck, Utf16DatabaseReadsAsTheSameData)
{
    TempFolder temp;
    WriteFolder(temp.path() / "data");
    const std::string utf8 = (temp.path() / "utf8.mdb").string(), utf16 = (temp.path() / "utf16.mdb").string();
    ASSERT_EQ(Tool({"build", (temp.path() / "data").string(), "-o", utf8}).status, kExitOk);
    // SQLite attaches no database of another encoding: the rows go over as SQL text.
    std::string copy = "PRAGMA encoding='UTF-16le'; BEGIN;";
    for (const Table& table : readDatabaseFile(utf8).tables) {
        std::string columns;
        for (const std::string& name : table.columnNames())
            columns += (columns.empty() ? "" : ",") + name;
        copy += "CREATE TABLE " + table.schema.name + " (" + columns + ");";
        for (const Row& row : table.rows) {
            std::string values;
            for (const Value& v : row.values)
                values += std::string(values.empty() ? "" : ",")
                          + (v.isNull() ? "NULL" : v.number() ? v.toText() : "'" + v.text + "'");
            copy += "INSERT INTO " + table.schema.name + " VALUES (" + values + ");";
        }
    }
    copy += "COMMIT;";
    ASSERT_TRUE(tamrik::test::ChangeRuleDb(utf16, copy));
    const ToolRun check8 = Tool({"check", utf8}), check16 = Tool({"check", utf16});
    EXPECT_EQ(check16.status, kExitOk) << check16.out;
    EXPECT_EQ(check16.out.substr(utf16.size()), check8.out.substr(utf8.size()));
    ASSERT_EQ(Tool({"export", utf8, "-o", (temp.path() / "csv8").string()}).status, kExitOk);
    ASSERT_EQ(Tool({"export", utf16, "-o", (temp.path() / "csv16").string()}).status, kExitOk);
    EXPECT_EQ(ReadBytes(temp.path() / "csv16" / "SUName.csv"), MinimalData()["SUName.csv"]);
    EXPECT_EQ(ReadBytes(temp.path() / "csv16" / "SubjectTable.csv"), ReadBytes(temp.path() / "csv8" / "SubjectTable.csv"));
}

TEST(RuleDbImportMdb, ImportsEveryTableOfAnAccessFile)
{
    const fs::path mdb = TAMRIK_NWIND_MDB;
    if (!fs::exists(mdb) || !canImportMdb())
        GTEST_SKIP() << mdb << " is not there, or this build has no libmdb";
    TempFolder temp;
    const std::string output = (temp.path() / "nwind.sqlite").string();
    const ToolRun run = Tool({"import-mdb", mdb.string(), "-o", output});
    EXPECT_EQ(run.status, kExitProblems);  // imported, but it holds no rule tables
    EXPECT_TRUE(HasLineStarting(run.out, mdb.string() + ": the file states code page 1252, language 1033; its texts "
                                                        "are read as CP1252\n")) << run.out;
    EXPECT_TRUE(HasLineStarting(run.out, "SUName:-:-: no table SUName")) << run.out;

    const DataSet data = readDatabaseFile(output);
    std::ifstream counts(mdb.parent_path() / "nwind.counts");
    std::string line;
    std::getline(counts, line);  // table,rows,columns
    std::size_t tables = 0;
    while (std::getline(counts, line)) {
        const std::size_t c1 = line.find(',');
        const Table* table = data.find(line.substr(0, c1));
        ASSERT_TRUE(table) << line;
        EXPECT_EQ(std::to_string(table->rows.size()) + "," + std::to_string(table->schema.columns.size()),
                  line.substr(c1 + 1)) << line;
        ++tables;
    }
    EXPECT_EQ(data.tables.size(), tables + 1);  // and TamrikInfo
    const Table& orders = *data.find("Orders");
    EXPECT_EQ(orders.schema.columns[orders.column("Freight")].type, ColumnType::Real);
    EXPECT_EQ(orders.schema.columns[orders.column("OrderID")].type, ColumnType::Integer);
    const Table& customers = *data.find("Customers");
    const int city = customers.column("City");
    const auto hasCity = [&](const DataSet& set, const std::string& name) {
        const Table& t = *set.find("Customers");
        return std::any_of(t.rows.begin(), t.rows.end(), [&](const Row& row) { return row.values[city].text == name; });
    };
    EXPECT_TRUE(hasCity(data, "México D.F."));
    EXPECT_TRUE(data.find("Umsätze"));

    // The same file stating Thai: its code page and language are encrypted
    // with a fixed key stream, so flipping their bits flips the values. Its
    // é (0xE9) is then the Thai tone mark ้, unless --codepage says otherwise.
    std::string thai = ReadBytes(mdb);
    const auto restate = [&](std::size_t at, unsigned from, unsigned to) {
        thai[at] = static_cast<char>(thai[at] ^ ((from ^ to) & 0xFF));
        thai[at + 1] = static_cast<char>(thai[at + 1] ^ ((from ^ to) >> 8));
    };
    restate(0x3C, 1252, 874);
    restate(0x3A, 1033, 1054);
    WriteBytes(temp.path() / "thai.mdb", thai);
    const std::string thaiOut = (temp.path() / "thai.sqlite").string();
    const ToolRun stated = Tool({"import-mdb", (temp.path() / "thai.mdb").string(), "-o", thaiOut});
    EXPECT_NE(stated.out.find(": the file states code page 874, language 1054; its texts are read as CP874\n"),
              std::string::npos) << stated.out;
    EXPECT_TRUE(hasCity(readDatabaseFile(thaiOut), "M\u0E49xico D.F."));
    const ToolRun given = Tool({"import-mdb", (temp.path() / "thai.mdb").string(), "-o", thaiOut, "--codepage", "CP1252"});
    EXPECT_NE(given.out.find("; its texts are read as CP1252 (--codepage)\n"), std::string::npos) << given.out;
    EXPECT_TRUE(hasCity(readDatabaseFile(thaiOut), "México D.F."));
    const ToolRun unknown = Tool({"import-mdb", mdb.string(), "-o", thaiOut, "--codepage", "CP99999"});
    EXPECT_EQ(unknown.status, kExitProblems);
    EXPECT_NE(unknown.out.find("no conversion from the code page CP99999 is known here"), std::string::npos) << unknown.out;
}

// A damaged Access file ends with "damaged file" before libmdb can run away
// with it; one it can read is imported whole.
TEST(RuleDbImportMdb, DamagedAccessFileIsRefusedAndReadingItIsBounded)
{
    const fs::path mdb = TAMRIK_NWIND_MDB;
    if (!fs::exists(mdb) || !canImportMdb())
        GTEST_SKIP() << mdb << " is not there, or this build has no libmdb";
    const std::string whole = ReadBytes(mdb);
    const auto flipped = [&](std::size_t at, unsigned char bit) {
        std::string bytes = whole;
        bytes[at] = static_cast<char>(bytes[at] ^ bit);
        return bytes;
    };
    const std::pair<std::string, std::string> damaged[] = {
        {whole.substr(0, whole.size() / 3), "cut short: 1000789 bytes is not a whole number of 2048-byte pages"},
        {whole.substr(0, 2 * 2048), "2 pages: too few to hold the list of tables"},
        {flipped(5 * 2048, 0x40), "page 5 has the type byte 66, not one of a Jet file"},
        {flipped(2 * 2048, 0x01), "page 2 has the type byte 3, where the list of tables is defined"},
        {flipped(4, 0x20), "no Jet or ACE header"},
    };
    TempFolder temp;
    const fs::path copy = temp.path() / "copy.mdb";
    for (const auto& [bytes, says] : damaged) {
        WriteBytes(copy, bytes);
        const ToolRun run = Tool({"import-mdb", copy.string(), "-o", (temp.path() / "out.sqlite").string()});
        EXPECT_EQ(run.status, kExitProblems);
        EXPECT_EQ(run.out, "tamrik-ruledb: " + copy.string() + ": damaged file: " + says + "\n");
        EXPECT_FALSE(fs::exists(temp.path() / "out.sqlite"));
    }
    // Cut on a page boundary after the catalog, or a flipped bit in a row: what can be read is.
    WriteBytes(copy, whole.substr(0, 8 * 2048));
    const ToolRun shortFile = Tool({"import-mdb", copy.string(), "-o", (temp.path() / "out.sqlite").string()});
    EXPECT_TRUE(HasLineStarting(shortFile.out, (temp.path() / "out.sqlite").string() + ": 8 problems")) << shortFile.out;

#ifndef _WIN32
    // The reading itself, should the file still send it on without end.
    ChildLimits limits{64u << 20, 1};
    EXPECT_EQ(runBounded([] { return std::string("read"); }, limits), std::optional<std::string>("read"));
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer cannot end a child that fills its address space: its
    // report of the failed allocation needs memory too, and hangs.
    EXPECT_FALSE(runBounded([] {
        std::vector<std::string> held;
        for (;;)
            held.emplace_back(1u << 20, 'x');
        return std::string();
    }, limits));
#endif
    EXPECT_FALSE(runBounded([] {
        for (volatile unsigned long n = 0;; n = n + 1) {
        }
        return std::string();
    }, limits));
#endif
}

TEST(RuleDbCommandLine, HelpVersionAndWrongArguments)
{
    const ToolRun help = Tool({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_EQ(help.out.rfind("Usage: tamrik-ruledb COMMAND ARGUMENTS\n", 0), 0u) << help.out;
    const ToolRun version = Tool({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_EQ(version.out, "tamrik-ruledb " TAMRIK_VERSION "\n");
    const std::pair<std::vector<std::string>, std::string> wrong[] = {
        {{}, "Usage: tamrik-ruledb"},
        {{"rebuild"}, "tamrik-ruledb: unknown command rebuild\n"},
        {{"build", "data"}, "tamrik-ruledb: build needs -o\n"},
        {{"build", "data", "-o"}, "tamrik-ruledb: -o needs a value\n"},
        {{"check", "a", "b"}, "tamrik-ruledb: check takes 1 path\n"},
        {{"diff", "a", "b", "--replace"}, "tamrik-ruledb: unknown option --replace for diff\n"},
        {{"normal-table", "--to", "4.5455", "-o", "zi.csv"}, "tamrik-ruledb: --to takes a key from 0 to 9.999"},
        {{"normal-table", "--to", "-1", "-o", "zi.csv"}, "tamrik-ruledb: --to takes a key from 0 to 9.999"},
        {{"normal-table", "-o", "zi.csv"}, "tamrik-ruledb: normal-table needs --to\n"},
    };
    for (const auto& [args, says] : wrong) {
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.status, kExitUsage) << says;
        EXPECT_EQ(run.out.rfind(says, 0), 0u) << run.out;
    }
}

}  // namespace
