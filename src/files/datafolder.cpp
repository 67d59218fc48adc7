#include "datafolder.h"

#include "atomicfile.h"
#include "choicesfile.h"
#include "entriesfile.h"
#include "paramfile.h"
#include "systemfiles.h"

#include <cstdio>
#include <algorithm>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace tamrik {

namespace fs = std::filesystem;

namespace {

// Permission bits say little (root, network shares, read-only media), so the
// folder is tried for real.
bool canCreateFilesIn(const fs::path& folder)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return false;
    std::random_device device;
    const fs::path probe = folder / (".tamrik-probe-" + std::to_string(device()));
    std::FILE* out = systemfiles::openFile(probe, "wb");
    if (!out)
        return false;
    const bool written = std::fputs("probe", out) >= 0;
    if (std::fclose(out) != 0 || !written) {
        fs::remove(probe, ec);
        return false;
    }
    return fs::remove(probe, ec);
}

// <prefix>/share/tamrik, as findProgramFolder finds an installed copy's data.
bool isInstalledDataFolder(const fs::path& folder)
{
    std::vector<fs::path> tail;  // share, tamrik
    for (const fs::path& part : fs::path(TAMRIK_DATA_FROM_BIN).lexically_normal()) {
        if (part != "..")
            tail.push_back(part);
    }
    std::vector<fs::path> parts;
    for (const fs::path& part : folder.lexically_normal()) {
        if (!part.empty())
            parts.push_back(part);
    }
    return parts.size() > tail.size() && std::equal(tail.rbegin(), tail.rend(), parts.rbegin());
}

bool holdsRuleDb(const fs::path& folder)
{
    std::error_code ec;
    return fs::exists(folder / kRuleDbFileName, ec);
}

}  // namespace

fs::path findProgramFolder(const fs::path& executableFolder)
{
    const fs::path installed = (executableFolder / TAMRIK_DATA_FROM_BIN).lexically_normal();
    if (!holdsRuleDb(executableFolder) && holdsRuleDb(installed))
        return installed;
    return executableFolder;
}

fs::path chooseDataFolder(const fs::path& programFolder, const fs::path& fallbackFolder)
{
    try {
        if (!isInstalledDataFolder(programFolder) && canCreateFilesIn(programFolder))
            return programFolder;
        std::error_code ec;
        fs::create_directories(fallbackFolder, ec);
    } catch (...) {  // allocation or path conversion
    }
    return fallbackFolder;
}

void removeUnfinishedSaves(const fs::path& dataFolder)
{
    removeUnfinishedWrites(dataFolder, {kEntriesFileName, kParamFileName, kChoicesFileName});
}

}  // namespace tamrik
