#include "choicesfile.h"

#include "atomicfile.h"

namespace tamrik {

namespace fs = std::filesystem;

std::vector<std::string> LoadChoicesFile(const fs::path& folder)
{
    std::vector<std::string> codes;
    if (const auto lines = ReadLines(folder / kChoicesFileName)) {
        for (const std::string& line : *lines) {
            if (!line.empty())
                codes.push_back(line);
        }
    }
    return codes;
}

bool SaveChoicesFile(const fs::path& folder, const std::vector<std::string>& codes)
{
    return WriteLinesAtomically(folder / kChoicesFileName, codes);
}

bool DeleteChoicesFile(const fs::path& folder)
{
    return RemoveFile(folder / kChoicesFileName);
}

}  // namespace tamrik
