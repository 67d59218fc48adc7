#pragma once
// The param.opt tamrik-calc reads when none is named: the one Tamrik itself
// would use. Nothing here creates a file.

#include "scoringparams.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tamrikcalc {

// param.opt as Tamrik reads it: in its data folder (the program's folder when
// it is writable, else the per-user data folder), else the one beside the
// program, else the defaults.
tamrik::ScoringParams defaultParams(const std::filesystem::path& programFolder);

// The per-user data folder Tamrik falls back to: $XDG_DATA_HOME/Tamrik, or
// ~/.local/share/Tamrik; %APPDATA%\Tamrik on Windows.
std::filesystem::path userDataFolder();

}  // namespace tamrikcalc
