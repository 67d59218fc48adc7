#pragma once
// The files tamrik-calc reads when none is named: the rule database and
// param.opt that Tamrik itself would use. Nothing here creates a file.

#include "scoringparams.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tamrikcalc {

// Tamrik's own folder: the folder of this executable when ScoreRule.mdb is
// there (a build tree, or a copy beside the program), else ../lib/tamrik of
// it (an installed copy). The first when neither holds the database.
std::filesystem::path ProgramFolder(const std::filesystem::path& executableFolder);

// param.opt as Tamrik reads it: in its data folder (the program's folder when
// it is writable, else the per-user data folder), else the one beside the
// program, else the defaults.
tamrik::ScoringParams DefaultParams(const std::filesystem::path& programFolder);

// The per-user data folder Tamrik falls back to: $XDG_DATA_HOME/Tamrik, or
// ~/.local/share/Tamrik.
std::filesystem::path UserDataFolder();

}  // namespace tamrikcalc
