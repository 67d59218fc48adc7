#include "entriesfile.h"

#include "atomicfile.h"
#include "gpapr.h"
#include "numtext.h"
#include "subtotals.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

namespace tamrik {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kScoreLines = std::tuple_size<decltype(UserEntries::ScoreByCode)>::value;
constexpr std::size_t kLineCount = kScoreLines + 2;

// A remembered score is one a score box would accept, or -1 for none.
bool isScoreLine(std::string_view line)
{
    const std::optional<double> v = wholeNumber(line);
    return v && (*v == -1 || inScoreRange(*v));
}

// The reader's test of line `index` (0-based): what passes it is kept as
// written, what fails it becomes the empty value. The save goes by the same
// test, so whatever it writes reads back as it was.
bool accepts(std::size_t index, const std::string& line)
{
    if (!isWholeLine(line))
        return false;
    if (index < kScoreLines)
        return isScoreLine(line);
    return index == kScoreLines ? isGpaDigits(line) : isPrDigits(line);
}

std::string emptyValue(std::size_t index)
{
    const UserEntries none;
    if (index < kScoreLines)
        return none.ScoreByCode[index];
    return index == kScoreLines ? none.GpaDigits : none.PrDigits;
}

}  // namespace

EntriesLoad LoadEntriesFile(const fs::path& folder, UserEntries& entries)
{
    const fs::path file = folder / kEntriesFileName;
    std::error_code ec;
    if (!fs::exists(file, ec) && !ec) {
        // A fresh file starts with no GPA and PR, whatever the window holds.
        entries.GpaDigits = "000";
        entries.PrDigits = "0000";
        // Made at every start (the program removes it as it ends) with nothing
        // the applicant typed in it: lost in a power cut, it is only made
        // again at the next start, so the start does not wait on the disk.
        return SaveEntriesFile(folder, entries, Flush::Later) ? EntriesLoad::Created : EntriesLoad::Failed;
    }

    const std::optional<std::vector<std::string>> lines = readLines(file);
    if (!lines)
        return EntriesLoad::Failed;

    std::vector<std::string> taken(kLineCount);
    bool intact = lines->size() == kLineCount;
    for (std::size_t i = 0; i < kLineCount; ++i) {
        const bool kept = i < lines->size() && accepts(i, (*lines)[i]);
        taken[i] = kept ? (*lines)[i] : emptyValue(i);
        intact = intact && kept;
    }
    std::copy(taken.begin(), taken.begin() + kScoreLines, entries.ScoreByCode.begin());
    entries.GpaDigits = taken[kScoreLines];
    entries.PrDigits = taken[kScoreLines + 1];
    return intact ? EntriesLoad::Read : EntriesLoad::Damaged;
}

bool SaveEntriesFile(const fs::path& folder, const UserEntries& entries, Flush flush)
{
    std::vector<std::string> lines(entries.ScoreByCode.begin(), entries.ScoreByCode.end());
    lines.push_back(entries.GpaDigits);
    lines.push_back(entries.PrDigits);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!accepts(i, lines[i]))
            lines[i] = emptyValue(i);
    }
    return writeLinesAtomically(folder / kEntriesFileName, lines, flush);
}

bool deleteEntriesFile(const fs::path& folder)
{
    return removeFile(folder / kEntriesFileName);
}

}  // namespace tamrik
