#include "atomicfile.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tamrik {
namespace {

namespace fs = std::filesystem;
using test::EntryCount;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using Lines = std::vector<std::string>;

struct WriteRow {
    const char* name;
    Lines lines;
    std::string bytes;
};

void PrintTo(const WriteRow& row, std::ostream* os) { *os << row.name; }

class WriteLinesTest : public testing::TestWithParam<WriteRow> {};

TEST_P(WriteLinesTest, ReplacesAnOldLongerFileWithCrLfLines)
{
    TempFolder folder;
    const fs::path file = folder.path() / "f.txt";
    WriteBytes(file, "old line one\r\nold line two\r\nold line three\r\n");

    ASSERT_TRUE(WriteLinesAtomically(file, GetParam().lines));
    EXPECT_EQ(ReadBytes(file), GetParam().bytes);
    EXPECT_EQ(EntryCount(folder.path()), 1u);  // no temporary file left
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WriteLinesTest,
    testing::Values(WriteRow{"None", {}, ""},
                    WriteRow{"OneEmpty", {""}, "\r\n"},
                    WriteRow{"BlanksKept", {" 2.5x", "a b "}, " 2.5x\r\na b \r\n"},
                    WriteRow{"Thai", {"\xE0\xB8\x81"}, "\xE0\xB8\x81\r\n"}),
    [](const testing::TestParamInfo<WriteRow>& info) { return std::string(info.param.name); });

TEST(WriteLinesAtomically, CreatesAMissingFile)
{
    TempFolder folder;
    ASSERT_TRUE(WriteLinesAtomically(folder.path() / "new.txt", {"1", "2"}));
    EXPECT_EQ(ReadBytes(folder.path() / "new.txt"), "1\r\n2\r\n");
}

TEST(WriteLinesAtomically, LeavesTheOldContentWhenTheRenameFails)
{
    // A directory in the target's place cannot be replaced by a file.
    TempFolder folder;
    const fs::path target = folder.path() / "target";
    fs::create_directory(target);
    WriteBytes(target / "inside.txt", "keep\r\n");

    EXPECT_FALSE(WriteLinesAtomically(target, {"new"}));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(ReadBytes(target / "inside.txt"), "keep\r\n");
    EXPECT_EQ(EntryCount(folder.path()), 1u);  // the temporary file is gone
}

TEST(WriteLinesAtomically, FailsWithoutCreatingAMissingFolder)
{
    TempFolder folder;
    const fs::path missing = folder.path() / "missing";
    EXPECT_FALSE(WriteLinesAtomically(missing / "f.txt", {"x"}));
    EXPECT_FALSE(fs::exists(missing));
}

class LineBreakInsideTest : public testing::TestWithParam<const char*> {};

TEST_P(LineBreakInsideTest, IsRefusedAndTheOldFileKept)
{
    TempFolder folder;
    const fs::path file = folder.path() / "f.txt";
    WriteBytes(file, "old\r\n");

    EXPECT_FALSE(WriteLinesAtomically(file, {"fine", GetParam()}));
    EXPECT_EQ(ReadBytes(file), "old\r\n");
    EXPECT_EQ(EntryCount(folder.path()), 1u);
}

INSTANTIATE_TEST_SUITE_P(Rows, LineBreakInsideTest,
                         testing::Values("a\nb", "a\rb", "a\r\n", "\n"));

struct ReadRow {
    const char* name;
    std::string bytes;
    Lines lines;
};

void PrintTo(const ReadRow& row, std::ostream* os) { *os << row.name; }

class ReadLinesTest : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadLinesTest, SplitsAtCrLfOrLf)
{
    TempFolder folder;
    const fs::path file = folder.path() / "f.txt";
    WriteBytes(file, GetParam().bytes);

    const std::optional<Lines> lines = ReadLines(file);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadLinesTest,
    testing::Values(ReadRow{"Empty", "", {}},
                    ReadRow{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                    ReadRow{"Lf", "a\nb\n", {"a", "b"}},
                    ReadRow{"LastLineWithoutEnd", "a\r\nb", {"a", "b"}},
                    ReadRow{"EmptyLines", "\r\n\r\nc\r\n", {"", "", "c"}},
                    ReadRow{"BlanksKept", " 2.5x \r\n", {" 2.5x "}},
                    ReadRow{"LoneCrIsText", "a\rb\r\n", {"a\rb"}},
                    ReadRow{"MixedEnds", "a\nb\r\nc", {"a", "b", "c"}}),
    [](const testing::TestParamInfo<ReadRow>& info) { return std::string(info.param.name); });

TEST(ReadLines, GivesNothingForAMissingFileOrAFolder)
{
    TempFolder folder;
    EXPECT_FALSE(ReadLines(folder.path() / "missing.txt").has_value());
    EXPECT_FALSE(ReadLines(folder.path()).has_value());
}

TEST(ReadLines, ReadsBackWhatWasWritten)
{
    TempFolder folder;
    const fs::path file = folder.path() / "f.txt";
    const Lines lines = {"maxminScQor43", "", " 2.5x", "-1"};
    ASSERT_TRUE(WriteLinesAtomically(file, lines));
    EXPECT_EQ(ReadLines(file), std::optional<Lines>(lines));
}

}  // namespace
}  // namespace tamrik
