#include "calcpaths.h"

#include "paramfile.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace tamrikcalc {

namespace fs = std::filesystem;

namespace {

constexpr char kRuleDbFileName[] = "ScoreRule.mdb";

bool present(const fs::path& p)
{
    std::error_code ec;
    return fs::exists(p, ec);
}

}  // namespace

fs::path ProgramFolder(const fs::path& executableFolder)
{
    const fs::path installed = executableFolder / ".." / "lib" / "tamrik";
    if (!present(executableFolder / kRuleDbFileName) && present(installed / kRuleDbFileName))
        return installed.lexically_normal();
    return executableFolder;
}

fs::path UserDataFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg)
        return fs::path(xdg) / "Tamrik";
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : "") / ".local" / "share" / "Tamrik";
}

tamrik::ScoringParams DefaultParams(const fs::path& programFolder)
{
    // The program keeps its files in its own folder when it may write there.
    const bool ownFolder = access(programFolder.c_str(), W_OK) == 0;
    const fs::path dataFolder = ownFolder ? programFolder : UserDataFolder();
    for (const fs::path& folder : {dataFolder, programFolder}) {
        if (const auto params = tamrik::ReadParamFile(folder / tamrik::kParamFileName))
            return *params;
    }
    return {};
}

}  // namespace tamrikcalc
