#include "entriesfile.h"

#include "atomicfile.h"
#include "numtext.h"
#include "subtotals.h"

#include <string>
#include <system_error>
#include <vector>

namespace tamrik {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kScoreLines = std::tuple_size<decltype(UserEntries::ScoreByCode)>::value;
constexpr std::size_t kLineCount = kScoreLines + 2;

// The line when the test accepts it, otherwise the empty value; clears *intact
// on a miss.
template <typename Accept>
std::string take(const std::vector<std::string>& lines, std::size_t index,
                 Accept accept, const std::string& empty, bool* intact)
{
    if (index < lines.size() && accept(lines[index]))
        return lines[index];
    *intact = false;
    return empty;
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

    const std::optional<std::vector<std::string>> lines = ReadLines(file);
    if (!lines)
        return EntriesLoad::Failed;

    const UserEntries none;
    // GPA and PR lines are the boxes' texts joined, which nothing filters:
    // whatever reads as a number is taken back as written.
    const auto isNumber = [](const std::string& t) { return IsWholeLine(t) && WholeNumber(t).has_value(); };
    // A remembered score is one a score box would accept, or -1 for none.
    const auto isScore = [](const std::string& t) {
        const std::optional<double> v = WholeNumber(t);
        return IsWholeLine(t) && v && (*v == -1 || InScoreRange(*v));
    };
    bool intact = lines->size() == kLineCount;
    for (std::size_t i = 0; i < kScoreLines; ++i)
        entries.ScoreByCode[i] = take(*lines, i, isScore, none.ScoreByCode[i], &intact);
    entries.GpaDigits = take(*lines, kScoreLines, isNumber, none.GpaDigits, &intact);
    entries.PrDigits = take(*lines, kScoreLines + 1, isNumber, none.PrDigits, &intact);
    return intact ? EntriesLoad::Read : EntriesLoad::Damaged;
}

bool SaveEntriesFile(const fs::path& folder, const UserEntries& entries, Flush flush)
{
    std::vector<std::string> lines(entries.ScoreByCode.begin(), entries.ScoreByCode.end());
    lines.push_back(entries.GpaDigits);
    lines.push_back(entries.PrDigits);
    return WriteLinesAtomically(folder / kEntriesFileName, lines, flush);
}

bool DeleteEntriesFile(const fs::path& folder)
{
    return RemoveFile(folder / kEntriesFileName);
}

}  // namespace tamrik
