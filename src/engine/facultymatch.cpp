#include "facultymatch.h"

#include "searchkey.h"

namespace tamrik {

FacultyFilterSettings facultyFilterSettings(std::string_view university, std::string_view text, bool eligibleOnly)
{
    return {searchKey(university), searchKey(text), eligibleOnly};
}

bool facultyNameMatches(const FacultyFilterSettings& filter, std::string_view university, std::string_view name)
{
    // A list of 9,999 faculties with no filter: no keys to build.
    if (filter.universityKey.empty() && filter.searchKey.empty())
        return true;
    return facultyKeysMatch(filter, searchKey(university), searchKey(name));
}

bool facultyKeysMatch(const FacultyFilterSettings& filter, std::string_view universityKey, std::string_view nameKey)
{
    // A university typed with other blanks or another SARA AM is the same university.
    if (!filter.universityKey.empty() && universityKey != filter.universityKey)
        return false;
    const std::string_view key = filter.searchKey;
    return key.empty() || nameKey.find(key) != std::string_view::npos || universityKey.find(key) != std::string_view::npos;
}

bool facultyResultMatches(const FacultyFilterSettings& filter, bool ok, Chance chance)
{
    return !filter.eligibleOnly || (ok && chance != Chance::FailsMinimum);
}

}  // namespace tamrik
