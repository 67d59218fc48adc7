#include "choicesfile.h"

#include "atomicfile.h"
#include "shortlist.h"

namespace tamrik {

namespace fs = std::filesystem;

std::vector<std::string> LoadChoicesFile(const fs::path& folder)
{
    std::vector<std::string> codes;
    if (const auto lines = ReadLines(folder / kChoicesFileName)) {
        // Only codes go on: anything else would make every later save fail.
        for (const std::string& line : *lines) {
            if (isFacultyCode(line))
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
