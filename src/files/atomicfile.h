#pragma once
// Whole-file text I/O for the two small files the program keeps. A write goes
// to a temporary file in the same folder and is renamed over the target only
// once it is complete, so a run that ends at any moment leaves either the old
// or the new content, never a mix. Nothing here throws.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tamrik {

// Writes every line followed by CR LF, replacing the file whole. False when the
// folder cannot take the temporary file, when the rename fails (the old file is
// then untouched and the temporary file removed), or when a line holds a CR or
// LF of its own, which would shift every later line of the file.
bool WriteLinesAtomically(const std::filesystem::path& file,
                          const std::vector<std::string>& lines);

// The file's lines without their ends (CR LF or LF); a last line without an end
// counts. Nothing when the file is missing or cannot be read.
std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& file);

}  // namespace tamrik
