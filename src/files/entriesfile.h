#pragma once
// The entries file: what the user has typed, 53 lines (51 remembered scores,
// the GPA digits, the PR digits), so that a run that ends abnormally loses
// nothing. The window's variables are the master copy; the file is rewritten
// whole at each save and deleted when the window closes.

#include "atomicfile.h"
#include "userentries.h"

#include <filesystem>

namespace tamrik {

inline constexpr char kEntriesFileName[] = "TamrikTemp.tmp";

enum class EntriesLoad {
    Read,     // all 53 lines taken over
    Damaged,  // read, but missing or malformed lines got their empty values
    Created,  // there was no file: written from the entries
    Failed,   // no file could be read or created: the program goes on with what the entries hold
};

// Start-up: takes the file's lines over into the entries, or creates the file
// when there is none. Scores from 0 to 100 are kept as written ("-1" for
// none); a score line holding anything else, and a missing line, give "-1";
// the GPA and PR lines are kept as written when they are digits the page's
// boxes can hold (isGpaDigits, isPrDigits), else "000" or "0000". Never
// fails; the program goes on with what could be read.
EntriesLoad LoadEntriesFile(const std::filesystem::path& folder, UserEntries& entries);

// Writes the 53 lines afresh, on the disk before it returns unless told
// otherwise. A value the load would not take back is written as its empty
// value, so the file always reads back as written. False when the file could not be written (the old file, if any,
// is then unchanged).
bool SaveEntriesFile(const std::filesystem::path& folder, const UserEntries& entries, Flush flush = Flush::ToDisk);

// True when no entries file is left in the folder (also when there was none).
bool deleteEntriesFile(const std::filesystem::path& folder);

}  // namespace tamrik
