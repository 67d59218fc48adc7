#pragma once
// The file calls that differ between POSIX systems and Windows, for the
// atomic writes and the data folder. Names reach the system as it takes them:
// bytes on POSIX, UTF-16 on Windows, never through the ANSI code page, which
// has no Thai on most Windows machines.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tamrik::systemfiles {

using PathChar = std::filesystem::path::value_type;

// A file made anew (refused when the name is taken), open for writing its
// bytes as they are and not handed to child processes. -1 with errno set when
// it cannot be made.
int createNewFile(const std::filesystem::path& file);
// Bytes written, or -1 with errno set.
long long writeSome(int fd, const char* data, std::size_t size);
// Waits until the file's bytes are on the disk; false with errno set.
bool flushToDisk(int fd);
bool closeFile(int fd);
// Where the system has permission bits, the new file takes the old one's.
void keepPermissions(const std::filesystem::path& old, int fd);
// Puts `from` in the place of `to` in one step, replacing `to` whole and
// durably. Empty when done, else why not.
std::string replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Makes the renames in the folder durable where the system needs that apart.
void syncFolder(const std::filesystem::path& folder);

// std::fopen for a path: "rb" or "wb".
std::FILE* openFile(const std::filesystem::path& file, const char* mode);
// Whether this process may make files in the folder; errno set when not.
bool mayWriteIn(const std::filesystem::path& folder);

// Safe in a signal handler.
void removeFileNow(const PathChar* file);
// Until destroyed, the signals that end a process (Ctrl+C, a kill) wait.
class EndingSignalsHeld {
public:
    EndingSignalsHeld();
    ~EndingSignalsHeld();
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

private:
    alignas(8) unsigned char m_before[128] = {};
};
// Runs `cleanUp` when such a signal comes, then ends the process as the signal
// would have. A signal the process was started with ignored stays ignored.
void onEndingSignals(void (*cleanUp)());

}  // namespace tamrik::systemfiles
