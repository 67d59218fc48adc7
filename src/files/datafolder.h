#pragma once
// Where the parameter file and the entries file live. The window asks once at
// start-up and hands the answer to every load, save and delete of both files.

#include <filesystem>

namespace tamrik {

// The program's folder when a file can be created and removed there;
// otherwise the fallback (the per-user application data folder), created when
// missing. The fallback is returned even when it cannot be created: the file
// operations then fail softly and the program goes on with values in memory.
std::filesystem::path ChooseDataFolder(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& fallbackFolder);

// Removes what saves of the entries file, param.opt and the choices file that
// were cut short
// (a kill, a power cut) left in the data folder. Run once at start-up.
void RemoveUnfinishedSaves(const std::filesystem::path& dataFolder);

}  // namespace tamrik
