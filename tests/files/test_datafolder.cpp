#include "datafolder.h"
#include "entriesfile.h"
#include "paramfile.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tamrik {
namespace {

namespace fs = std::filesystem;
using test::EntryCount;
using test::TempFolder;
using test::WriteBytes;

TEST(ChooseDataFolder, TakesAWritableProgramFolderAndLeavesNoProbe)
{
    TempFolder root;
    const fs::path program = root.path() / "program";
    const fs::path fallback = root.path() / "appdata";
    fs::create_directory(program);

    EXPECT_EQ(ChooseDataFolder(program, fallback), program);
    EXPECT_EQ(EntryCount(program), 0u);
    EXPECT_FALSE(fs::exists(fallback));
}

struct UnusableRow {
    const char* name;
    void (*prepare)(const fs::path& program);
};

void PrintTo(const UnusableRow& row, std::ostream* os) { *os << row.name; }

class UnusableProgramFolderTest : public testing::TestWithParam<UnusableRow> {};

TEST_P(UnusableProgramFolderTest, ChoosesTheFallbackAndCreatesIt)
{
    TempFolder root;
    const fs::path program = root.path() / "program";
    const fs::path fallback = root.path() / "home" / "appdata" / "Tamrik";
    GetParam().prepare(program);

    EXPECT_EQ(ChooseDataFolder(program, fallback), fallback);
    EXPECT_TRUE(fs::is_directory(fallback));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnusableProgramFolderTest,
    testing::Values(UnusableRow{"Missing", [](const fs::path&) {}},
                    UnusableRow{"RegularFile",
                                [](const fs::path& p) { WriteBytes(p, "not a folder"); }}),
    [](const testing::TestParamInfo<UnusableRow>& info) { return std::string(info.param.name); });

TEST(ChooseDataFolder, ChoosesTheFallbackForAReadOnlyProgramFolder)
{
    TempFolder root;
    const fs::path program = root.path() / "program";
    const fs::path fallback = root.path() / "appdata";
    fs::create_directory(program);
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(program / "try")) {
        fs::permissions(program, fs::perms::owner_all);
        GTEST_SKIP() << "permissions do not stop this user from writing";
    }

    EXPECT_EQ(ChooseDataFolder(program, fallback), fallback);
    EXPECT_TRUE(fs::is_directory(fallback));
}

TEST(ChooseDataFolder, ReturnsTheFallbackEvenWhenItCannotBeCreated)
{
    TempFolder root;
    const fs::path blocker = root.path() / "blocker";
    WriteBytes(blocker, "a file where a folder should be");
    const fs::path fallback = blocker / "appdata";

    EXPECT_EQ(ChooseDataFolder(root.path() / "missing", fallback), fallback);
    EXPECT_FALSE(fs::exists(fallback));
}

TEST(ChooseDataFolder, BothFilesLandInTheChosenFolder)
{
    TempFolder root;
    const fs::path program = root.path() / "program";
    WriteBytes(program, "");
    const fs::path chosen = ChooseDataFolder(program, root.path() / "appdata");

    UserEntries entries;
    EXPECT_EQ(LoadEntriesFile(chosen, entries), EntriesLoad::Created);
    LoadParam(chosen);
    EXPECT_TRUE(fs::is_regular_file(root.path() / "appdata" / "TamrikTemp.tmp"));
    EXPECT_TRUE(fs::is_regular_file(root.path() / "appdata" / "param.opt"));
}

}  // namespace
}  // namespace tamrik
