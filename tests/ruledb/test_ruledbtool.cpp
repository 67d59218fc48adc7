// mkruledb refuses a CSV file it cannot take whole, naming the file and line,
// and leaves the database it would have replaced as it was.
#include "databasebuilder.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

using namespace mkruledb;
using tamrik::test::EntryCount;
using tamrik::test::ReadBytes;
using tamrik::test::TempFolder;
using tamrik::test::WriteBytes;

namespace {

TEST(Builder, BadCsvIsRefusedAndLeavesTheOldFile)
{
    const std::pair<const char*, const char*> cases[] = {
        {"FacCode,NumSub\n0001,two\n", "Table12.csv:2: column NumSub"},
        {"FacCode,NumSub\n0001\n", "Table12.csv:2: 1 fields"},
        {"FacCode,NumSub\n\"0001\"x,2\n", "line 2"},
        {"FacCode,NumSub\n0001,2\n0001,0\n", "UNIQUE"},
    };
    for (const auto& [csv, says] : cases) {
        SCOPED_TRACE(csv);
        TempFolder folder;
        const auto input = folder.path() / "Table12.csv";
        std::filesystem::create_directory(folder.path() / "out");
        const auto output = folder.path() / "out" / "ScoreRule.mdb";
        WriteBytes(input, csv);
        WriteBytes(output, "the previous database");
        try {
            BuildRuleDatabase(output.string(), {input.string()});
            ADD_FAILURE() << "built";
        } catch (const BuildError& e) {
            EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
        }
        EXPECT_EQ(ReadBytes(output), "the previous database");
        EXPECT_EQ(EntryCount(folder.path() / "out"), 1u);  // no temporary file left
    }
}

}  // namespace
