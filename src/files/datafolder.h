#pragma once
// Where the program's files live: the rule database, and the parameter file
// and the entries file. The window asks once at start-up and hands the answer
// to every load, save and delete of the files.

#include <filesystem>

namespace tamrik {

inline constexpr char kRuleDbFileName[] = "ScoreRule.mdb";

// The folder of the program's own files (the rule database, a param.opt put
// beside it): the executable's folder when the rule database is there (a build
// tree, a portable copy), else <prefix>/share/tamrik of an installed copy,
// found from the executable's folder <prefix>/bin. The executable's folder when
// neither holds the database, so that the refusal names the first place looked.
std::filesystem::path findProgramFolder(const std::filesystem::path& executableFolder);

// The program's folder when a file can be created and removed there (a build
// tree, a portable copy); otherwise the fallback (the per-user application
// data folder), created when missing. An installed copy's data folder
// (<prefix>/share/tamrik) is the package's: never chosen, even when the user
// may write there (root). The fallback is returned even when it cannot be
// created: the file operations then fail softly and the program goes on with
// values in memory.
std::filesystem::path chooseDataFolder(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& fallbackFolder);

// Removes what saves of the entries file, param.opt and the choices file that
// were cut short (a kill, a power cut) left in the data folder. Run once at
// start-up.
void removeUnfinishedSaves(const std::filesystem::path& dataFolder);

}  // namespace tamrik
