#include "facultymatch.h"

#include "searchkey.h"

namespace tamrik {

FacultyFilterSettings facultyFilterSettings(std::string_view university, std::string_view text, bool eligibleOnly)
{
    return {searchKey(university), searchKey(text), eligibleOnly};
}

bool facultyNameMatches(const FacultyFilterSettings& filter, std::string_view university, std::string_view name)
{
    // A university typed with other blanks or another SARA AM is the same university.
    if (!filter.universityKey.empty() && searchKey(university) != filter.universityKey)
        return false;
    return searchKeyFinds(filter.searchKey, name) || searchKeyFinds(filter.searchKey, university);
}

bool facultyResultMatches(const FacultyFilterSettings& filter, bool ok, Chance chance)
{
    return !filter.eligibleOnly || (ok && chance != Chance::FailsMinimum);
}

}  // namespace tamrik
