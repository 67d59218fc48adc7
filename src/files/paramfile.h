#pragma once
// The parameter file: three lines, the range table's name, the mean GPA and
// its standard deviation, each kept exactly as written (a leading blank
// stays). Read once at start-up, written whole by the parameter dialog.

#include "atomicfile.h"
#include "scoringparams.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tamrik {

inline constexpr char kParamFileName[] = "param.opt";

// The parameters from param.opt in the folder. A missing file is created with
// the defaults. A file that cannot be read, or that has fewer than three
// lines, gives the defaults for what it lacks (or for a line holding a CR
// within it) and is left as it is: it may be a user's own edit. Lines after
// the third are ignored. Never fails: when the
// file cannot be created the defaults are still returned.
//
// When the files live apart from the program (its folder is not writable),
// `programFolder` names the program's own folder: a param.opt there, put
// beside an installed program by its administrator, is read while the data
// folder has none of its own, and is left where it is.
ScoringParams LoadParam(const std::filesystem::path& folder, const std::filesystem::path& programFolder = {});

// The parameters of one param.opt file, read the same way, without creating
// anything; nothing when the file is missing or cannot be read.
std::optional<ScoringParams> readParamFile(const std::filesystem::path& file);

// Writes param.opt afresh with the three texts as lines 1 to 3, on the disk
// before it returns unless told otherwise. False when the file could not be
// written (the old file, if any, is then unchanged).
bool EditParam(const std::filesystem::path& folder, const std::string& newDBpath,
               const std::string& newmnGPA, const std::string& newSD, Flush flush = Flush::ToDisk);

}  // namespace tamrik
