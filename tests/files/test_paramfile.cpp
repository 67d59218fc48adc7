#include "paramfile.h"
#include "scoringparams.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <string>

namespace tamrik {
namespace {

namespace fs = std::filesystem;
using test::EntryCount;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const std::string kDefaultBytes = "maxminScQor43\r\n2.4397771456\r\n0.5519077994\r\n";

void ExpectParams(const ScoringParams& params, const std::string& table,
                  const std::string& mean, const std::string& sd)
{
    EXPECT_EQ(params.ParamDbMaxMin, table);
    EXPECT_EQ(params.ParamMeanGpa, mean);
    EXPECT_EQ(params.ParamSD, sd);
}

TEST(LoadParam, FreshStartCreatesTheFileWithTheDefaults)
{
    TempFolder folder;
    const ScoringParams params = LoadParam(folder.path());

    ExpectParams(params, "maxminScQor43", "2.4397771456", "0.5519077994");
    EXPECT_EQ(ReadBytes(folder.path() / "param.opt"), kDefaultBytes);
    EXPECT_EQ(EntryCount(folder.path()), 1u);
}

TEST(LoadParam, ReadsBackWhatEditParamWrote)
{
    TempFolder folder;
    ASSERT_TRUE(EditParam(folder.path(), "maxminScQor44", " 2.5x", "0.61"));
    EXPECT_EQ(ReadBytes(folder.path() / "param.opt"), "maxminScQor44\r\n 2.5x\r\n0.61\r\n");

    ExpectParams(LoadParam(folder.path()), "maxminScQor44", " 2.5x", "0.61");
    // Reading never rewrites an existing file.
    EXPECT_EQ(ReadBytes(folder.path() / "param.opt"), "maxminScQor44\r\n 2.5x\r\n0.61\r\n");
}

TEST(EditParam, ReplacesTheWholeFile)
{
    TempFolder folder;
    WriteBytes(folder.path() / "param.opt", "a\r\nb\r\nc\r\nextra line\r\nmore\r\n");
    ASSERT_TRUE(EditParam(folder.path(), "t", "2", "0.5"));
    EXPECT_EQ(ReadBytes(folder.path() / "param.opt"), "t\r\n2\r\n0.5\r\n");
}

TEST(EditParam, FailsSoftlyAndKeepsTheOldFile)
{
    TempFolder folder;
    EXPECT_FALSE(EditParam(folder.path() / "missing", "t", "2", "0.5"));
    EXPECT_FALSE(fs::exists(folder.path() / "missing"));

    WriteBytes(folder.path() / "param.opt", kDefaultBytes);
    EXPECT_FALSE(EditParam(folder.path(), "two\nlines", "2", "0.5"));
    EXPECT_EQ(ReadBytes(folder.path() / "param.opt"), kDefaultBytes);
}

struct FileRow {
    const char* name;
    std::string bytes;
    std::string table, mean, sd;
};

void PrintTo(const FileRow& row, std::ostream* os) { *os << row.name; }

class ExistingParamFileTest : public testing::TestWithParam<FileRow> {};

TEST_P(ExistingParamFileTest, TakesItsLinesAndLeavesTheFileAlone)
{
    TempFolder folder;
    const fs::path file = folder.path() / "param.opt";
    WriteBytes(file, GetParam().bytes);

    ExpectParams(LoadParam(folder.path()), GetParam().table, GetParam().mean, GetParam().sd);
    EXPECT_EQ(ReadBytes(file), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExistingParamFileTest,
    testing::Values(
        FileRow{"Empty", "", "maxminScQor43", "2.4397771456", "0.5519077994"},
        FileRow{"OneLine", "maxminScQor44\r\n", "maxminScQor44", "2.4397771456", "0.5519077994"},
        FileRow{"TwoLines", "maxminScQor44\r\n2.61\r\n", "maxminScQor44", "2.61", "0.5519077994"},
        FileRow{"TwoLinesLastWithoutEnd", "t44\r\n2.61", "t44", "2.61", "0.5519077994"},
        FileRow{"ThreeLines", "t44\r\n2.61\r\n0.48\r\n", "t44", "2.61", "0.48"},
        FileRow{"ThirdLineWithoutEnd", "t44\r\n2.61\r\n0.48", "t44", "2.61", "0.48"},
        FileRow{"LinesAfterTheThirdIgnored", "t44\r\n2.61\r\n0.48\r\nx\r\ny\r\n", "t44", "2.61",
                "0.48"},
        FileRow{"LeadingBlankInMeanKept", "t44\r\n 2.5x\r\n0.48\r\n", "t44", " 2.5x", "0.48"},
        FileRow{"TrailingBlanksKept", "t44 \r\n2.61\t\r\n0.48 \r\n", "t44 ", "2.61\t", "0.48 "},
        FileRow{"EmptyLinesAreValues", "\r\n\r\n\r\n", "", "", ""},
        FileRow{"UnixLineEnds", "t44\n2.61\n0.48\n", "t44", "2.61", "0.48"}),
    [](const testing::TestParamInfo<FileRow>& info) { return std::string(info.param.name); });

TEST(LoadParam, UnreadableFileGivesTheDefaultsAndIsNotReplaced)
{
    TempFolder folder;
    fs::create_directory(folder.path() / "param.opt");

    ExpectParams(LoadParam(folder.path()), "maxminScQor43", "2.4397771456", "0.5519077994");
    EXPECT_TRUE(fs::is_directory(folder.path() / "param.opt"));
}

TEST(LoadParam, UnwritableFolderStillGivesTheDefaults)
{
    TempFolder folder;
    const fs::path missing = folder.path() / "missing";

    ExpectParams(LoadParam(missing), "maxminScQor43", "2.4397771456", "0.5519077994");
    EXPECT_FALSE(fs::exists(missing));
}

struct YearRow {
    const char* name;
    std::string table;
    std::string year;
};

void PrintTo(const YearRow& row, std::ostream* os) { *os << row.name; }

class YearTextTest : public testing::TestWithParam<YearRow> {};

TEST_P(YearTextTest, Is25AndTheLastTwoCharacters)
{
    EXPECT_EQ(YearText(GetParam().table), GetParam().year);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, YearTextTest,
    testing::Values(YearRow{"Default", "maxminScQor43", "2543"},
                    YearRow{"NextYear", "maxminScQor44", "2544"},
                    YearRow{"ExactlyTwo", "45", "2545"},
                    YearRow{"OneCharacter", "7", "257"},
                    YearRow{"Empty", "", "25"},
                    YearRow{"TrailingBlank", "t4 ", "254 "},
                    // Thai digits four and five, three bytes each in UTF-8.
                    YearRow{"ThaiDigits", "ab\xE0\xB9\x94\xE0\xB9\x95",
                            "25\xE0\xB9\x94\xE0\xB9\x95"},
                    YearRow{"OneThaiDigitAfterAscii", "x4\xE0\xB9\x95",
                            "254\xE0\xB9\x95"},
                    YearRow{"OnlyOneThaiCharacter", "\xE0\xB9\x95", "25\xE0\xB9\x95"}),
    [](const testing::TestParamInfo<YearRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tamrik
