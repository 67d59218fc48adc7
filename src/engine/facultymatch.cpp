#include "facultymatch.h"

#include "searchkey.h"

#include <cstring>

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

namespace {

// Whether `text` holds `key`, as find() says. The search goes by the key's
// last byte: in Thai UTF-8 every letter starts with the same byte, 0xE0, and
// ends with one of its own; a key in 9,999 names is then looked for at the
// few places it can end, not at every letter.
bool holds(std::string_view text, std::string_view key)
{
    if (key.empty())
        return true;
    const std::size_t before = key.size() - 1;
    for (std::size_t at = before; at < text.size();) {
        const auto* hit = static_cast<const char*>(std::memchr(text.data() + at, key.back(), text.size() - at));
        if (!hit)
            return false;
        const auto end = static_cast<std::size_t>(hit - text.data());
        if (std::memcmp(text.data() + end - before, key.data(), before) == 0)
            return true;
        at = end + 1;
    }
    return false;
}

}  // namespace

bool facultyKeysMatch(const FacultyFilterSettings& filter, std::string_view universityKey, std::string_view nameKey)
{
    // A university typed with other blanks or another SARA AM is the same university.
    if (!filter.universityKey.empty() && universityKey != filter.universityKey)
        return false;
    const std::string_view key = filter.searchKey;
    return holds(nameKey, key) || holds(universityKey, key);
}

bool facultyResultMatches(const FacultyFilterSettings& filter, bool ok, Chance chance)
{
    return !filter.eligibleOnly || (ok && chance != Chance::FailsMinimum);
}

}  // namespace tamrik
