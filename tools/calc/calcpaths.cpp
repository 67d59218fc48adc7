#include "calcpaths.h"

#include "datafolder.h"
#include "paramfile.h"

#include <cstdlib>

namespace tamrikcalc {

namespace fs = std::filesystem;

fs::path userDataFolder()
{
#ifdef _WIN32
    // As Qt finds the window's data folder there: %APPDATA%\Tamrik.
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return fs::path(appData ? appData : L"") / "Tamrik";
#else
    // As Qt finds the window's data folder: a relative XDG_DATA_HOME is no
    // base directory and is passed over.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg) / "Tamrik";
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : "") / ".local" / "share" / "Tamrik";
#endif
}

tamrik::ScoringParams defaultParams(const fs::path& programFolder)
{
    // The folder the window keeps its files in, chosen the same way.
    const fs::path dataFolder = tamrik::chooseDataFolder(programFolder, userDataFolder());
    for (const fs::path& folder : {dataFolder, programFolder}) {
        if (const auto params = tamrik::readParamFile(folder / tamrik::kParamFileName))
            return *params;
    }
    return {};
}

}  // namespace tamrikcalc
