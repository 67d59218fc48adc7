#include "choicesfile.h"

#include "atomicfile.h"
#include "shortlist.h"

namespace tamrik {

namespace fs = std::filesystem;

std::vector<std::string> loadChoicesFile(const fs::path& folder)
{
    std::vector<std::string> codes;
    if (const auto lines = readLines(folder / kChoicesFileName)) {
        // Only codes go on: anything else would make every later save fail.
        for (const std::string& line : *lines) {
            if (isFacultyCode(line))
                codes.push_back(line);
        }
    }
    return codes;
}

bool saveChoicesFile(const fs::path& folder, const std::vector<std::string>& codes)
{
    return writeLinesAtomically(folder / kChoicesFileName, codes);
}

bool deleteChoicesFile(const fs::path& folder)
{
    return removeFile(folder / kChoicesFileName);
}

}  // namespace tamrik
