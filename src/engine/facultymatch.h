#pragma once
// Which faculties a ranking lists, the same in the all-faculties window and
// in tamrik-calc: those of one university, those whose name or university
// holds a text (compared as searchKey folds them), and those whose minimum
// criteria the applicant meets.

#include "evaluation.h"

#include <string>
#include <string_view>

namespace tamrik {

struct FacultyFilterSettings {
    std::string universityKey;  // searchKey() of the one university; empty: every university
    std::string searchKey;   // searchKey() of the text looked for; empty: every name
    bool eligibleOnly = false;
};

// The settings for a university and a text as typed.
FacultyFilterSettings facultyFilterSettings(std::string_view university, std::string_view text, bool eligibleOnly);

// What the faculty alone decides: its university and its names.
bool facultyNameMatches(const FacultyFilterSettings& filter, std::string_view university, std::string_view name);
// The same on the searchKey()s of the university and the name, for callers
// that fold every name once and search them many times.
bool facultyKeysMatch(const FacultyFilterSettings& filter, std::string_view universityKey, std::string_view nameKey);
// What the applicant's result there decides: the rule was built and no minimum fails.
bool facultyResultMatches(const FacultyFilterSettings& filter, bool ok, Chance chance);

}  // namespace tamrik
