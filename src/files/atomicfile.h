#pragma once
// Whole-file text I/O for the two small files the program keeps. A write goes
// to a temporary file `<file>.<random>.new` in the same folder, is flushed to
// disk and renamed over the target only once it is complete, so a run that
// ends at any moment (a kill, a power cut) leaves either the old or the new
// content, never a mix. Nothing here throws.

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// Both files are a few hundred bytes; one larger than this is damaged, and
// reading it whole would stall the start.
inline constexpr std::size_t kMaxTextFileBytes = 8192;

// True when the line holds no CR or LF of its own: one line of a file, that
// reads back as it was written. A line read with a CR inside is damaged.
bool isWholeLine(const std::string& line);

// Whether a write waits until its bytes are on the disk. Only a write whose
// loss costs nothing may leave that to the system: one that puts down just
// what a missing file already means. Cut short by a power cut, it leaves no
// file or an empty one, never a mix; a kill still leaves the whole file.
enum class Flush { ToDisk, Later };

// Writes every line followed by CR LF, replacing the file whole. False when the
// folder cannot take the temporary file, when writing or flushing it fails,
// when the rename fails (the old file is then untouched and the temporary file
// removed), or when a line holds a CR or LF of its own, which would shift
// every later line of the file.
bool writeLinesAtomically(const std::filesystem::path& file, const std::vector<std::string>& lines,
                          Flush flush = Flush::ToDisk);

// Writes the text as it stands, replacing the file whole in the same way.
bool writeTextAtomically(const std::filesystem::path& file, std::string_view text, Flush flush = Flush::ToDisk);

// The same for a file written piece by piece: the pieces go to a temporary
// file beside the target, which takes the target's name only on commit().
// Destroyed without a successful commit, it removes the temporary file.
// A target that is a symbolic link is followed: the file it leads to is
// replaced, the link stays. A target that exists and is not a regular file
// (a folder, a device, a pipe) is refused, never replaced.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& file);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool ok() const;  // false once anything has failed
    // Why it failed, as the system says it ("No space left on device").
    const std::string& error() const;
    void write(std::string_view text);
    bool commit(Flush flush = Flush::ToDisk);

private:
    static constexpr std::size_t kWriteChunk = 1 << 16;
    void flush();
    void fail(std::string reason);

    std::filesystem::path m_file;
    std::filesystem::path m_tmp;
    std::string m_buffer;
    std::string m_error;
    int m_fd = -1;
    int m_signalSlot = -1;
    bool m_ok = true;
    bool m_committed = false;
};

// Where a write to a file lands, or why it cannot.
struct OutputFile {
    std::filesystem::path path;  // the file, its symbolic links followed
    std::string problem;         // empty when it can be written
};

// An output file named on a command line, looked at before any work: a name
// is given, its links are followed, what exists there is a regular file, and
// its folder exists and takes new files. The temporary files that killed
// writes to it left beside it are removed.
OutputFile prepareOutputFile(const std::filesystem::path& file);

// For the command-line tools: SIGINT, SIGTERM and SIGHUP (on Windows Ctrl+C
// and the console closing) first remove the temporary files of the writes
// under way, then end the process as the signal would have. A signal the
// process was started with ignored stays ignored.
void removeTemporaryFilesOnSignals();

// The file's lines, each without its end (LF, CR LF or CR; a run of CRs
// counts as one, with or without an LF after it) and without the blanks
// before it; UTF-8 byte-order marks (and CRs among
// them) before the first line are dropped; a last line without an end counts. Nothing when the file is
// missing, not a regular file or cannot be read; no lines when it is larger
// than kMaxTextFileBytes.
std::optional<std::vector<std::string>> readLines(const std::filesystem::path& file);

// Removes the file; true when it is gone, having been there or not.
bool removeFile(const std::filesystem::path& file);

// Removes the temporary files `<name>.<random>.new` that writes cut short left
// in `folder`, for each of `names`, in one pass over the folder. Other files
// are left alone.
void removeUnfinishedWrites(const std::filesystem::path& folder, std::initializer_list<std::filesystem::path> names);

}  // namespace tamrik
