#include "paramfile.h"

#include "atomicfile.h"

#include <system_error>
#include <vector>

namespace tamrik {

namespace fs = std::filesystem;

ScoringParams LoadParam(const fs::path& folder, const fs::path& programFolder)
{
    ScoringParams params;
    fs::path file = folder / kParamFileName;

    std::error_code ec;
    if (!fs::exists(file, ec) && !ec) {
        const fs::path installed = programFolder / kParamFileName;
        if (programFolder.empty() || !fs::exists(installed, ec)) {
            // The defaults, which a missing file means anyway: lost in a power
            // cut, the file is only made again at the next start.
            EditParam(folder, params.ParamDbMaxMin, params.ParamMeanGpa, params.ParamSD, Flush::Later);
            return params;
        }
        file = installed;
    }

    return readParamFile(file).value_or(params);
}

std::optional<ScoringParams> readParamFile(const fs::path& file)
{
    const std::optional<std::vector<std::string>> lines = readLines(file);
    if (!lines)
        return std::nullopt;
    ScoringParams params;
    std::string* const fields[] = {&params.ParamDbMaxMin, &params.ParamMeanGpa,
                                   &params.ParamSD};
    for (std::size_t i = 0; i < 3 && i < lines->size(); ++i) {
        if (isWholeLine((*lines)[i]))
            *fields[i] = (*lines)[i];
    }
    return params;
}

bool EditParam(const fs::path& folder, const std::string& newDBpath,
               const std::string& newmnGPA, const std::string& newSD, Flush flush)
{
    return writeLinesAtomically(folder / kParamFileName, {newDBpath, newmnGPA, newSD}, flush);
}

}  // namespace tamrik
