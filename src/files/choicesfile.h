#pragma once
// The shortlist file: the faculty codes of the applicant's choices, one a
// line, in order. Kept beside the entries file and written the same atomic
// way, so a run that ends abnormally loses no choice; removed with it when
// the main window closes.

#include <filesystem>
#include <string>
#include <vector>

namespace tamrik {

inline constexpr char kChoicesFileName[] = "TamrikChoices.tmp";

// The codes as written, in order; a line that is no faculty code (blank or
// not) is skipped. Empty when there is no file or it cannot be read.
std::vector<std::string> loadChoicesFile(const std::filesystem::path& folder);

// Writes the codes afresh. False when the file could not be written (the old
// one, if any, is then unchanged).
bool saveChoicesFile(const std::filesystem::path& folder, const std::vector<std::string>& codes);

// True when no choices file is left in the folder (also when there was none).
bool deleteChoicesFile(const std::filesystem::path& folder);

}  // namespace tamrik
