// The parameter file, the entries file, the choices file, their atomic writes and the folder that holds them.
#include "atomicfile.h"
#include "choicesfile.h"
#include "datafolder.h"
#include "entriesfile.h"
#include "paramfile.h"
#include "scoringparams.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

namespace tamrik {
namespace {

namespace fs = std::filesystem;
using test::EntryCount;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const auto kNamed = [](const auto& info) { return std::string(info.param.name); };
const std::string kDefaults = "maxminScQor43|2.4397771456|0.5519077994";

std::string Shown(const ScoringParams& p) { return p.ParamDbMaxMin + "|" + p.ParamMeanGpa + "|" + p.ParamSD; }

std::string Repeat(const std::string& line, int times)
{
    std::string bytes;
    for (int i = 0; i < times; ++i)
        bytes += line;
    return bytes;
}

TEST(FreshStart, CreatesBothFilesWithTheirEmptyValues)
{
    TempFolder folder;
    UserEntries entries;
    EXPECT_EQ(LoadEntriesFile(folder.path(), entries), EntriesLoad::Created);
    EXPECT_EQ(ReadBytes(folder.path() / "TamrikTemp.tmp"), Repeat("-1\r\n", 51) + "000\r\n0000\r\n");
    EXPECT_EQ(Shown(LoadParam(folder.path())), kDefaults);
    EXPECT_EQ(ReadBytes(folder.path() / "param.opt"), "maxminScQor43\r\n2.4397771456\r\n0.5519077994\r\n");
    EXPECT_EQ(EntryCount(folder.path()), 2u);
}

TEST(RoundTrip, WhatIsSavedLoadsBack)
{
    TempFolder folder;
    UserEntries saved;
    saved.ScoreByCode[0] = "75";
    saved.ScoreByCode[1] = "62.5";
    saved.ScoreByCode[50] = "100";
    saved.GpaDigits = "325";
    saved.PrDigits = "8550";
    ASSERT_TRUE(SaveEntriesFile(folder.path(), saved));
    EXPECT_EQ(ReadBytes(folder.path() / "TamrikTemp.tmp"),
              "75\r\n62.5\r\n" + Repeat("-1\r\n", 48) + "100\r\n325\r\n8550\r\n");
    UserEntries loaded;
    EXPECT_EQ(LoadEntriesFile(folder.path(), loaded), EntriesLoad::Read);
    EXPECT_EQ(loaded.ScoreByCode, saved.ScoreByCode);
    EXPECT_EQ(loaded.GpaDigits + "|" + loaded.PrDigits, "325|8550");
    // Only what the load takes back is written: a value it would drop goes
    // down as its empty value, and the file reads back as written.
    saved.ScoreByCode[1] = "e99";
    saved.GpaDigits = "2,5";
    saved.PrDigits = "005+";
    ASSERT_TRUE(SaveEntriesFile(folder.path(), saved));
    EXPECT_EQ(ReadBytes(folder.path() / "TamrikTemp.tmp"), "75\r\n" + Repeat("-1\r\n", 49) + "100\r\n000\r\n0000\r\n");
    EXPECT_EQ(LoadEntriesFile(folder.path(), loaded), EntriesLoad::Read);

    // Choices: codes only, whatever the line ends; what is read saves again.
    WriteBytes(folder.path() / kChoicesFileName, "0013\r0002\rx\r\r0040\n0005\r\n12345\r");
    const std::vector<std::string> codes = loadChoicesFile(folder.path());
    EXPECT_EQ(codes, (std::vector<std::string>{"0013", "0002", "0040", "0005"}));
    ASSERT_TRUE(saveChoicesFile(folder.path(), codes));
    EXPECT_EQ(ReadBytes(folder.path() / kChoicesFileName), "0013\r\n0002\r\n0040\r\n0005\r\n");
    EXPECT_TRUE(deleteChoicesFile(folder.path()));

    const fs::path param = folder.path() / "param.opt";
    ASSERT_TRUE(EditParam(folder.path(), "maxminScQor44", " 2.5x", "0.61"));
    EXPECT_EQ(ReadBytes(param), "maxminScQor44\r\n 2.5x\r\n0.61\r\n");
    EXPECT_EQ(Shown(LoadParam(folder.path())), "maxminScQor44| 2.5x|0.61");
    // A line break inside a value would shift every later line: refused, old file kept.
    EXPECT_FALSE(EditParam(folder.path(), "two\nlines", "2", "0.5"));
    EXPECT_EQ(ReadBytes(param), "maxminScQor44\r\n 2.5x\r\n0.61\r\n");

    EXPECT_TRUE(deleteEntriesFile(folder.path()));
    EXPECT_TRUE(deleteEntriesFile(folder.path()));  // none left is fine too
    EXPECT_EQ(EntryCount(folder.path()), 1u);
}

struct ParamRow {
    const char* name;
    std::string bytes;
    const char* params;
};
void PrintTo(const ParamRow& row, std::ostream* os) { *os << row.name; }
class ExistingParamFile : public testing::TestWithParam<ParamRow> {};

TEST_P(ExistingParamFile, DefaultsForMissingLinesAndTheFileLeftAlone)
{
    TempFolder folder;
    WriteBytes(folder.path() / "param.opt", GetParam().bytes);
    EXPECT_EQ(Shown(LoadParam(folder.path())), GetParam().params);
    EXPECT_EQ(ReadBytes(folder.path() / "param.opt"), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExistingParamFile,
    testing::Values(ParamRow{"Empty", "", "maxminScQor43|2.4397771456|0.5519077994"},
                    ParamRow{"OneLine", "maxminScQor44\r\n", "maxminScQor44|2.4397771456|0.5519077994"},
                    ParamRow{"TwoLinesLastWithoutEnd", "t44\r\n2.61", "t44|2.61|0.5519077994"},
                    ParamRow{"LeadingBlankKeptExtraLinesIgnored", "t44\r\n 2.5x\r\n0.48\r\nx\r\n", "t44| 2.5x|0.48"},
                    ParamRow{"EmptyLinesAreValues", "\r\n\r\n\r\n", "||"},
                    ParamRow{"UnixLineEnds", "t44\n2.61\n0.48\n", "t44|2.61|0.48"},
                    ParamRow{"ByteOrderMark", "\xEF\xBB\xBFt44\r\n2.61\r\n0.48\r\n", "t44|2.61|0.48"},
                    ParamRow{"StrayCrsAndTrailingBlanks", "t44 \r\r\n\r2.61\t\r\n0.48\r\r\r\n", "t44|2.61|0.48"},
                    ParamRow{"MarksAndCrsBeforeTheFirstLine", "\xEF\xBB\xBF\r\xEF\xBB\xBFt44\r\n2.61\r\n0.48\r\n", "t44|2.61|0.48"},
                    ParamRow{"OldMacLineEnds", "t44\r2.61\r\r0.48\r", "t44|2.61|0.48"},
                    ParamRow{"TooLargeIsDamaged", "t44\r\n2.61\r\n0.48\r\n" + std::string(9000, 'x'), kDefaults.c_str()}),
    kNamed);

// A good file holds the score n on line n, then 325 and 8550. A row keeps its
// first `keep` lines and writes `text` on line `line`.
struct DamageRow {
    const char* name;
    int keep;
    int line;
    const char* text;
    const char* score;  // what line `line` gives, when it is a score line
    const char* gpaPr;
    EntriesLoad outcome;
};
void PrintTo(const DamageRow& row, std::ostream* os) { *os << row.name; }
class DamagedEntriesFile : public testing::TestWithParam<DamageRow> {};

TEST_P(DamagedEntriesFile, TakesTheGoodLinesAndEmptiesTheRest)
{
    const DamageRow& r = GetParam();
    std::string bytes;
    for (int line = 1; line <= r.keep; ++line)
        bytes += (line == r.line ? r.text : line <= 51 ? std::to_string(line) : line == 52 ? "325" : "8550") + "\r\n";
    TempFolder folder;
    WriteBytes(folder.path() / "TamrikTemp.tmp", bytes);
    UserEntries entries;
    entries.ScoreByCode.fill("9");
    EXPECT_EQ(LoadEntriesFile(folder.path(), entries), r.outcome);
    for (int line = 1; line <= 51; ++line)
        EXPECT_EQ(entries.ScoreByCode[line - 1], line > r.keep ? "-1" : line == r.line ? r.score : std::to_string(line))
            << "line " << line;
    EXPECT_EQ(entries.GpaDigits + "|" + entries.PrDigits, r.gpaPr);
    EXPECT_EQ(ReadBytes(folder.path() / "TamrikTemp.tmp"), bytes);  // left for the next save to mend
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DamagedEntriesFile,
    testing::Values(DamageRow{"Intact", 53, 0, "", "", "325|8550", EntriesLoad::Read},
                    DamageRow{"Empty", 0, 0, "", "", "000|0000", EntriesLoad::Damaged},
                    DamageRow{"TwentyLines", 20, 0, "", "", "000|0000", EntriesLoad::Damaged},
                    DamageRow{"NoPrLine", 52, 0, "", "", "325|0000", EntriesLoad::Damaged},
                    DamageRow{"TextAtLine7", 53, 7, "abc", "-1", "325|8550", EntriesLoad::Damaged},
                    DamageRow{"NumberThenText", 53, 8, "12abc", "-1", "325|8550", EntriesLoad::Damaged},
                    DamageRow{"ScoreAsWritten", 53, 2, "62.5", "62.5", "325|8550", EntriesLoad::Read},
                    DamageRow{"GpaNotANumber", 53, 52, "x", "", "000|8550", EntriesLoad::Damaged},
                    DamageRow{"GpaKeptAsTyped", 53, 52, "35", "", "35|8550", EntriesLoad::Read},
                    DamageRow{"GpaWithAStrayCharacter", 53, 52, "2,5", "", "000|8550", EntriesLoad::Damaged},
                    DamageRow{"GpaWiderThanItsBoxes", 53, 52, "3250", "", "000|8550", EntriesLoad::Damaged},
                    DamageRow{"ScoreAbove100", 53, 4, "150", "-1", "325|8550", EntriesLoad::Damaged},
                    DamageRow{"NegativeScore", 53, 5, "-0.5", "-1", "325|8550", EntriesLoad::Damaged},
                    DamageRow{"Score100", 53, 6, "100", "100", "325|8550", EntriesLoad::Read},
                    DamageRow{"CrCrLf", 53, 3, "75\r", "75", "325|8550", EntriesLoad::Read},
                    DamageRow{"Score0", 53, 9, "0", "0", "325|8550", EntriesLoad::Read},
                    DamageRow{"GpaCrCrLf", 53, 52, "325\r", "", "325|8550", EntriesLoad::Read},
                    DamageRow{"ByteOrderMark", 53, 1, "\xEF\xBB\xBF" "1", "1", "325|8550", EntriesLoad::Read},
                    DamageRow{"PrNotANumber", 53, 53, "005+", "", "325|0000", EntriesLoad::Damaged}),
    kNamed);

TEST(LoadEntriesFile, UnreadableFileLeavesTheEntriesAsTheyWere)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "TamrikTemp.tmp");
    UserEntries entries;
    entries.ScoreByCode[0] = "75";
    EXPECT_EQ(LoadEntriesFile(folder.path(), entries), EntriesLoad::Failed);
    EXPECT_EQ(entries.ScoreByCode[0], "75");
    EXPECT_EQ(Shown(LoadParam(folder.path() / "missing")), kDefaults);
    EXPECT_FALSE(fs::exists(folder.path() / "missing"));
}

TEST(writeLinesAtomically, ReplacesTheWholeFileOrNothing)
{
    TempFolder folder;
    const fs::path file = folder.path() / "f.txt";
    WriteBytes(file, "old line one\r\nold line two\r\n");
    ASSERT_TRUE(writeLinesAtomically(file, {"new"}));
    EXPECT_EQ(ReadBytes(file), "new\r\n");

    // A folder in the target's place cannot be replaced by a file: the rename fails.
    const fs::path target = folder.path() / "target";
    fs::create_directory(target);
    WriteBytes(target / "inside.txt", "keep\r\n");
    EXPECT_FALSE(writeLinesAtomically(target, {"new"}));
    EXPECT_EQ(ReadBytes(target / "inside.txt"), "keep\r\n");
    EXPECT_EQ(EntryCount(folder.path()), 2u);  // no temporary file left

    // What a cut-short save leaves is removed at start-up; anything else stays.
    for (const char* name : {"TamrikTemp.tmp.0123abcd.new", "param.opt.89abcdef.new", "TamrikChoices.tmp.00ff00ff.new",
                             "param.opt.notes.new", "param.opt.new", "f.txt.0123abcd.new"})
        WriteBytes(folder.path() / name, "x");
    removeUnfinishedSaves(folder.path());
    EXPECT_EQ(EntryCount(folder.path()), 5u);
    EXPECT_FALSE(fs::exists(folder.path() / "TamrikTemp.tmp.0123abcd.new"));
    EXPECT_FALSE(fs::exists(folder.path() / "param.opt.89abcdef.new"));
    EXPECT_FALSE(fs::exists(folder.path() / "TamrikChoices.tmp.00ff00ff.new"));
}

// A write follows links to the file they name, which keeps its permissions;
// what is no file to replace is refused with the reason, and left as it was.
TEST(AtomicFileWriter, ReplacesWhatLinksLeadToAndRefusesTheRest)
{
    TempFolder folder;
    const fs::path base = folder.path();
    fs::create_directory(base / "sub");
    WriteBytes(base / "sub" / "target", "old");
    fs::permissions(base / "sub" / "target", fs::perms::owner_read | fs::perms::owner_write);
    std::error_code linked;
    fs::create_symlink("sub/target", base / "first", linked);
    if (linked)  // Windows without the privilege; MinGW's library has none at all
        GTEST_SKIP() << "no symbolic links here: " << linked.message();
    fs::create_symlink("first", base / "second");       // a chain, relative to each link's folder
    fs::create_symlink("sub/nothing", base / "dangling");  // names a file still to be made
    fs::create_symlink("loop", base / "loop");
    fs::create_symlink("sub", base / "toFolder");
    const struct {
        const char* name;
        const char* lands;  // the file written, or nothing when refused
        const char* problem;
    } rows[] = {{"second", "sub/target", ""},
                {"dangling", "sub/nothing", ""},
                {"loop", nullptr, "Too many levels of symbolic links"},
                {"toFolder", nullptr, "it is a folder"}};
    for (const auto& row : rows) {
        AtomicFileWriter writer(base / row.name);
        writer.write("new");
        EXPECT_EQ(writer.commit(), row.lands != nullptr) << row.name;
        EXPECT_EQ(writer.error(), row.problem) << row.name;
        EXPECT_EQ(prepareOutputFile(base / row.name).problem, row.problem) << row.name;
        if (row.lands) {
            EXPECT_EQ(ReadBytes(base / row.lands), "new") << row.name;
        }
        EXPECT_TRUE(fs::is_symlink(base / row.name));
    }
    EXPECT_EQ(fs::status(base / "sub" / "target").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(EntryCount(base / "sub"), 2u);  // the two files written, no temporary
}

// The saver (saveloop.cpp) at work on the folder, until killed outright: no
// handler or clean-up of its own runs.
class Saver {
public:
    explicit Saver(const fs::path& folder)
    {
#ifdef _WIN32
        std::wstring command = L"\"" + fs::path(TAMRIK_SAVELOOP).native() + L"\" \"" + folder.native() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        m_started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &m_process);
#else
        const std::string folderArg = folder.string();
        char* const argv[] = {const_cast<char*>(TAMRIK_SAVELOOP), const_cast<char*>(folderArg.c_str()), nullptr};
        m_started = posix_spawn(&m_pid, TAMRIK_SAVELOOP, nullptr, nullptr, argv, environ) == 0;
#endif
    }

    bool started() const { return m_started; }

    // True when the kill ended it, false when it had stopped by itself.
    bool kill()
    {
#ifdef _WIN32
        constexpr UINT kKilled = 0xDEAD;
        TerminateProcess(m_process.hProcess, kKilled);
        WaitForSingleObject(m_process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
        return code == kKilled;
#else
        ::kill(m_pid, SIGKILL);
        int status = 0;
        return waitpid(m_pid, &status, 0) == m_pid && WIFSIGNALED(status);
#endif
    }

private:
    bool m_started = false;
#ifdef _WIN32
    PROCESS_INFORMATION m_process{};
#else
    pid_t m_pid = 0;
#endif
};

// The bytes of the saver's version n (see saveloop.cpp).
std::string SavedVersion(unsigned long n)
{
    return Repeat(std::to_string(n % 100) + "\r\n", 51) + std::to_string(n) + "\r\n0000\r\n";
}

TEST(Saves, AKillAtAnyMomentLeavesOneWholeVersion)
{
    TempFolder folder;
    const fs::path file = folder.path() / kEntriesFileName;
    WriteBytes(file, SavedVersion(0));
    std::mt19937 random(8);
    unsigned long last = 0;
    int leftBehind = 0;
#ifdef _WIN32
    constexpr int kKills = 60;  // a process start takes a tenth of a second there
#else
    constexpr int kKills = 300;
#endif
    for (int kill = 0; kill < kKills; ++kill) {
        const std::string before = ReadBytes(file);
        Saver saver(folder.path());
        ASSERT_TRUE(saver.started());
        // Saving, not still starting (slow under Wine): the kill then falls anywhere in a save.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (ReadBytes(file) == before && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 8000));
        ASSERT_TRUE(saver.kill()) << "the saver stopped by itself";

        const std::string bytes = ReadBytes(file);
        std::istringstream lines(bytes);
        std::string gpaLine;
        for (int line = 0; line < 52; ++line)
            std::getline(lines, gpaLine);
        const unsigned long n = std::strtoul(gpaLine.c_str(), nullptr, 10);
        ASSERT_EQ(bytes, SavedVersion(n)) << "after kill " << kill;
        last = n;
        leftBehind += EntryCount(folder.path()) > 1;
        removeUnfinishedSaves(folder.path());
        ASSERT_EQ(EntryCount(folder.path()), 1u);
    }
    EXPECT_GT(last, 0u);        // the saver did save
    EXPECT_GT(leftBehind, 0);   // and some kills cut a save short
}

TEST(chooseDataFolder, ProgramFolderWhenUsableElseTheFallback)
{
    TempFolder root;
    const fs::path program = root.path() / "program";
    const fs::path fallback = root.path() / "home" / "Tamrik";
    fs::create_directory(program);
    EXPECT_EQ(chooseDataFolder(program, fallback), program);
    EXPECT_EQ(EntryCount(program), 0u);  // no probe left
    EXPECT_FALSE(fs::exists(fallback));

    EXPECT_EQ(chooseDataFolder(root.path() / "missing", fallback), fallback);
    EXPECT_TRUE(fs::is_directory(fallback));
    WriteBytes(root.path() / "file", "not a folder");
    EXPECT_EQ(chooseDataFolder(root.path() / "file", root.path() / "other"), root.path() / "other");
    EXPECT_TRUE(fs::is_directory(root.path() / "other"));
    // Returned even when it cannot be created: the file operations then fail softly.
    EXPECT_EQ(chooseDataFolder(root.path() / "missing", root.path() / "file" / "x"), root.path() / "file" / "x");

    // An installed copy's shared data stays the package's, writable or not.
    const fs::path shared = root.path() / "usr" / "share" / "tamrik";
    fs::create_directories(shared);
    EXPECT_EQ(chooseDataFolder(shared, fallback), fallback);
    EXPECT_EQ(chooseDataFolder(shared / "", fallback), fallback);
    EXPECT_EQ(EntryCount(shared), 0u);
}

// A user or folder name in Thai (C:\Users\<name> on Windows) takes the
// program's files as any other.
TEST(chooseDataFolder, AFolderNamedInThaiTakesTheFiles)
{
    TempFolder root;
    const fs::path program = root.path() / fs::u8path("\xE0\xB8\x97\xE0\xB8\x94\xE0\xB8\xA5\xE0\xB8\xAD\xE0\xB8\x87");  // ทดลอง
    fs::create_directory(program);
    ASSERT_EQ(chooseDataFolder(program, root.path() / "fallback"), program);
    UserEntries entries;
    EXPECT_EQ(LoadEntriesFile(program, entries), EntriesLoad::Created);
    entries.GpaDigits = "375";
    ASSERT_TRUE(SaveEntriesFile(program, entries));
    UserEntries loaded;
    EXPECT_EQ(LoadEntriesFile(program, loaded), EntriesLoad::Read);
    EXPECT_EQ(loaded.GpaDigits, "375");
    WriteBytes(program / "param.opt.0123abcd.new", "x");
    removeUnfinishedSaves(program);
    EXPECT_EQ(EntryCount(program), 1u);  // the entries file alone
    EXPECT_EQ(EntryCount(root.path()), 1u);
}

TEST(FindProgramFolder, BesideTheProgramElseTheSharedDataOfItsInstall)
{
    TempFolder root;
    const fs::path bin = root.path() / "bin";
    const fs::path share = root.path() / "share" / "tamrik";
    fs::create_directories(bin);
    fs::create_directories(share);
    // Neither holds the database: the program's folder, which the refusal names.
    EXPECT_EQ(findProgramFolder(bin), bin);
    WriteBytes(share / kRuleDbFileName, "rules");
    EXPECT_EQ(findProgramFolder(bin), share);
    // A build tree or a portable copy keeps its own beside the program.
    WriteBytes(bin / kRuleDbFileName, "rules");
    EXPECT_EQ(findProgramFolder(bin), bin);
}

TEST(LoadParam, ReadsTheProgramFoldersFileUntilTheDataFolderHasItsOwn)
{
    TempFolder program;
    TempFolder data;
    WriteBytes(program.path() / kParamFileName, "maxminScQor44\r\n2.6\r\n0.5\r\n");
    EXPECT_EQ(Shown(LoadParam(data.path(), program.path())), "maxminScQor44|2.6|0.5");
    EXPECT_FALSE(fs::exists(data.path() / kParamFileName));

    ASSERT_TRUE(EditParam(data.path(), "maxminScQor45", "2.7", "0.4"));
    EXPECT_EQ(Shown(LoadParam(data.path(), program.path())), "maxminScQor45|2.7|0.4");
    EXPECT_EQ(ReadBytes(program.path() / kParamFileName), "maxminScQor44\r\n2.6\r\n0.5\r\n");
}

TEST(yearText, Is25AndTheLastTwoCharacters)
{
    EXPECT_EQ(yearText("maxminScQor43"), "2543");
    EXPECT_EQ(yearText("7"), "257");
    EXPECT_EQ(yearText(""), "25");
    EXPECT_EQ(yearText("t4 "), "254 ");
    // Thai digits four and five, three bytes each.
    EXPECT_EQ(yearText("ab\xE0\xB9\x94\xE0\xB9\x95"), "25\xE0\xB9\x94\xE0\xB9\x95");
    EXPECT_EQ(yearText("x4\xE0\xB9\x95"), "254\xE0\xB9\x95");
    EXPECT_EQ(yearText("\xE0\xB9\x95"), "25\xE0\xB9\x95");
}

}  // namespace
}  // namespace tamrik
