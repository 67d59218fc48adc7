#pragma once
// Whole-file text I/O for the two small files the program keeps. A write goes
// to a temporary file in the same folder and is renamed over the target only
// once it is complete, so a run that ends at any moment leaves either the old
// or the new content, never a mix. Nothing here throws.

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// Writes every line followed by CR LF, replacing the file whole. False when the
// folder cannot take the temporary file, when the rename fails (the old file is
// then untouched and the temporary file removed), or when a line holds a CR or
// LF of its own, which would shift every later line of the file.
bool WriteLinesAtomically(const std::filesystem::path& file,
                          const std::vector<std::string>& lines);

// Writes the text as it stands, replacing the file whole in the same way.
bool WriteTextAtomically(const std::filesystem::path& file, std::string_view text);

// The same for a file written piece by piece: the pieces go to a temporary
// file beside the target, which takes the target's name only on commit().
// Destroyed without a successful commit, it removes the temporary file.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& file);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool ok() const;  // false once anything has failed
    void write(std::string_view text);
    bool commit();

private:
    std::filesystem::path m_file;
    std::filesystem::path m_tmp;
    std::ofstream m_out;
    bool m_committed = false;
};

// The file's lines without their ends (CR LF or LF); a last line without an end
// counts. Nothing when the file is missing or cannot be read.
std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& file);

}  // namespace tamrik
