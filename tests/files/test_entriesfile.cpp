#include "entriesfile.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace tamrik {
namespace {

namespace fs = std::filesystem;
using test::EntryCount;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string Repeat(const std::string& line, int times)
{
    std::string bytes;
    for (int i = 0; i < times; ++i)
        bytes += line;
    return bytes;
}

const std::string kFreshBytes = Repeat("-1\r\n", 51) + "000\r\n0000\r\n";

// Entries that differ from the empty values everywhere, so a test sees which
// values a load really replaced.
UserEntries Typed()
{
    UserEntries entries;
    for (std::size_t i = 0; i < entries.ScoreByCode.size(); ++i)
        entries.ScoreByCode[i] = "9";
    entries.GpaDigits = "111";
    entries.PrDigits = "2222";
    return entries;
}

TEST(LoadEntriesFile, FreshStartCreates53EmptyLines)
{
    TempFolder folder;
    UserEntries entries;

    EXPECT_EQ(LoadEntriesFile(folder.path(), entries), EntriesLoad::Created);
    EXPECT_EQ(ReadBytes(folder.path() / "TamrikTemp.tmp"), kFreshBytes);
    EXPECT_EQ(entries.ScoreByCode[0], "-1");
    EXPECT_EQ(entries.GpaDigits, "000");
    EXPECT_EQ(entries.PrDigits, "0000");
    EXPECT_EQ(EntryCount(folder.path()), 1u);
}

TEST(LoadEntriesFile, CreatesFromTheScoresHeldButWithNoGpaOrPr)
{
    TempFolder folder;
    UserEntries entries;
    entries.ScoreByCode[0] = "75";
    entries.ScoreByCode[50] = "62.5";
    entries.GpaDigits = "00";  // as "Change User" leaves them
    entries.PrDigits = "00";

    EXPECT_EQ(LoadEntriesFile(folder.path(), entries), EntriesLoad::Created);
    EXPECT_EQ(ReadBytes(folder.path() / "TamrikTemp.tmp"),
              "75\r\n" + Repeat("-1\r\n", 49) + "62.5\r\n000\r\n0000\r\n");
    EXPECT_EQ(entries.GpaDigits, "000");
    EXPECT_EQ(entries.PrDigits, "0000");
}

TEST(SaveEntriesFile, RoundTripsThroughLoad)
{
    TempFolder folder;
    UserEntries saved;
    saved.ScoreByCode[0] = "75";
    saved.ScoreByCode[1] = "62.5";
    saved.ScoreByCode[15] = "0";
    saved.ScoreByCode[50] = "100";
    saved.GpaDigits = "325";
    saved.PrDigits = "8550";
    ASSERT_TRUE(SaveEntriesFile(folder.path(), saved));
    EXPECT_EQ(ReadBytes(folder.path() / "TamrikTemp.tmp"),
              "75\r\n62.5\r\n" + Repeat("-1\r\n", 13) + "0\r\n" + Repeat("-1\r\n", 34)
                  + "100\r\n325\r\n8550\r\n");

    UserEntries loaded = Typed();
    EXPECT_EQ(LoadEntriesFile(folder.path(), loaded), EntriesLoad::Read);
    EXPECT_EQ(loaded.ScoreByCode, saved.ScoreByCode);
    EXPECT_EQ(loaded.GpaDigits, "325");
    EXPECT_EQ(loaded.PrDigits, "8550");
}

TEST(SaveEntriesFile, OverwritesAndFailsSoftly)
{
    TempFolder folder;
    UserEntries entries;
    entries.ScoreByCode[3] = "88";
    ASSERT_TRUE(SaveEntriesFile(folder.path(), entries));
    entries.ScoreByCode[3] = "-1";
    entries.GpaDigits = "00";
    entries.PrDigits = "00";
    ASSERT_TRUE(SaveEntriesFile(folder.path(), entries));
    EXPECT_EQ(ReadBytes(folder.path() / "TamrikTemp.tmp"), Repeat("-1\r\n", 51) + "00\r\n00\r\n");

    EXPECT_FALSE(SaveEntriesFile(folder.path() / "missing", entries));
}

// A damaged file is described as changes to a good one whose line n holds the
// score n, then "325" and "8550".
struct DamageRow {
    const char* name;
    std::map<int, std::string> replaced;  // line number (1-based) -> text
    int keepLines;                        // lines kept from the top, 53 for all
    std::vector<int> emptyScoreLines;     // lines expected to read as "-1"
    std::string gpa;
    std::string pr;
    EntriesLoad outcome;
};

void PrintTo(const DamageRow& row, std::ostream* os) { *os << row.name; }

std::string DamagedBytes(const DamageRow& row)
{
    std::string bytes;
    for (int line = 1; line <= row.keepLines; ++line) {
        std::string text = line <= 51 ? std::to_string(line) : line == 52 ? "325" : "8550";
        if (auto it = row.replaced.find(line); it != row.replaced.end())
            text = it->second;
        bytes += text + "\r\n";
    }
    return bytes;
}

class DamagedEntriesTest : public testing::TestWithParam<DamageRow> {};

TEST_P(DamagedEntriesTest, TakesTheGoodLinesAndEmptiesTheRest)
{
    const DamageRow& row = GetParam();
    TempFolder folder;
    const fs::path file = folder.path() / "TamrikTemp.tmp";
    WriteBytes(file, DamagedBytes(row));

    UserEntries entries = Typed();
    EXPECT_EQ(LoadEntriesFile(folder.path(), entries), row.outcome);
    for (int line = 1; line <= 51; ++line) {
        const bool empty = std::find(row.emptyScoreLines.begin(), row.emptyScoreLines.end(), line)
                           != row.emptyScoreLines.end();
        const auto replaced = row.replaced.find(line);
        const std::string written =
            replaced != row.replaced.end() ? replaced->second : std::to_string(line);
        EXPECT_EQ(entries.ScoreByCode[line - 1], empty ? "-1" : written) << "line " << line;
    }
    EXPECT_EQ(entries.GpaDigits, row.gpa);
    EXPECT_EQ(entries.PrDigits, row.pr);
    EXPECT_EQ(ReadBytes(file), DamagedBytes(row));  // left for the next save to mend
}

std::vector<int> LinesFrom(int first, int last)
{
    std::vector<int> lines;
    for (int line = first; line <= last; ++line)
        lines.push_back(line);
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DamagedEntriesTest,
    testing::Values(
        DamageRow{"Intact", {}, 53, {}, "325", "8550", EntriesLoad::Read},
        DamageRow{"Empty", {}, 0, LinesFrom(1, 51), "000", "0000", EntriesLoad::Damaged},
        DamageRow{"TwentyLines", {}, 20, LinesFrom(21, 51), "000", "0000", EntriesLoad::Damaged},
        DamageRow{"NoPrLine", {}, 52, {}, "325", "0000", EntriesLoad::Damaged},
        DamageRow{"TextAtLine7", {{7, "abc"}}, 53, {7}, "325", "8550", EntriesLoad::Damaged},
        DamageRow{"NumberThenText", {{8, "12abc"}}, 53, {8}, "325", "8550", EntriesLoad::Damaged},
        DamageRow{"EmptyScoreLine", {{51, ""}}, 53, {51}, "325", "8550", EntriesLoad::Damaged},
        DamageRow{"GpaNotANumber", {{52, "x"}}, 53, {}, "000", "8550", EntriesLoad::Damaged},
        DamageRow{"PrWithAPoint", {{53, "85.50"}}, 53, {}, "325", "0000", EntriesLoad::Damaged},
        DamageRow{"GpaWithABlank", {{52, " 325"}}, 53, {}, "000", "8550", EntriesLoad::Damaged},
        DamageRow{"ChangedUserDigits", {{52, "00"}, {53, "00"}}, 53, {}, "00", "00",
                  EntriesLoad::Read},
        DamageRow{"ScoresAsTheProgramWritesThem", {{1, "-1"}, {2, "62.5"}, {3, "0"}}, 53, {},
                  "325", "8550", EntriesLoad::Read}),
    [](const testing::TestParamInfo<DamageRow>& info) { return std::string(info.param.name); });

TEST(LoadEntriesFile, ExtraLinesAreIgnored)
{
    TempFolder folder;
    WriteBytes(folder.path() / "TamrikTemp.tmp", kFreshBytes + "junk\r\n");
    UserEntries entries = Typed();
    EXPECT_EQ(LoadEntriesFile(folder.path(), entries), EntriesLoad::Damaged);
    EXPECT_EQ(entries.ScoreByCode, UserEntries().ScoreByCode);
    EXPECT_EQ(entries.PrDigits, "0000");
}

TEST(LoadEntriesFile, UnreadableFileLeavesTheEntriesAsTheyWere)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "TamrikTemp.tmp");
    UserEntries entries = Typed();

    EXPECT_EQ(LoadEntriesFile(folder.path(), entries), EntriesLoad::Failed);
    EXPECT_EQ(entries.ScoreByCode, Typed().ScoreByCode);
    EXPECT_EQ(entries.GpaDigits, "111");
    EXPECT_TRUE(fs::is_directory(folder.path() / "TamrikTemp.tmp"));
}

TEST(LoadEntriesFile, FolderThatCannotTakeTheFileFails)
{
    TempFolder folder;
    UserEntries entries;
    EXPECT_EQ(LoadEntriesFile(folder.path() / "missing", entries), EntriesLoad::Failed);
    EXPECT_FALSE(fs::exists(folder.path() / "missing"));
}

TEST(DeleteEntriesFile, RemovesTheFileAndToleratesItsAbsence)
{
    TempFolder folder;
    UserEntries entries;
    ASSERT_EQ(LoadEntriesFile(folder.path(), entries), EntriesLoad::Created);

    EXPECT_TRUE(DeleteEntriesFile(folder.path()));
    EXPECT_EQ(EntryCount(folder.path()), 0u);
    EXPECT_TRUE(DeleteEntriesFile(folder.path()));
}

TEST(DeleteEntriesFile, ReportsWhatCannotBeRemoved)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "TamrikTemp.tmp");
    WriteBytes(folder.path() / "TamrikTemp.tmp" / "inside", "x");

    EXPECT_FALSE(DeleteEntriesFile(folder.path()));
    EXPECT_TRUE(fs::exists(folder.path() / "TamrikTemp.tmp" / "inside"));
}

}  // namespace
}  // namespace tamrik
