#include "systemfiles.h"

#include <cerrno>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace tamrik::systemfiles {

namespace fs = std::filesystem;

namespace {

void (*endingCleanUp)() = nullptr;

// Runs on a thread of its own; returning FALSE hands the event on to the
// default handler, which ends the process.
BOOL WINAPI cleanUpAndEnd(DWORD)
{
    if (endingCleanUp)
        endingCleanUp();
    return FALSE;
}

std::string systemMessage(DWORD error)
{
    char* text = nullptr;
    const DWORD size = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                          | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT),
                                      reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = size ? std::string(text, size) : "Windows error " + std::to_string(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

// Held open by another program (an antivirus scan, a backup, a second copy of
// this one reading it) rather than refused for good.
bool heldByAnother(DWORD error, const fs::path& target)
{
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return true;
    if (error != ERROR_ACCESS_DENIED)
        return false;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES
           && !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace

int createNewFile(const fs::path& file)
{
    // Binary: text mode would put a CR before every LF it writes.
    return ::_wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

long long writeSome(int fd, const char* data, std::size_t size)
{
    constexpr std::size_t kMostAtOnce = 1u << 30;
    return ::_write(fd, data, static_cast<unsigned>(size < kMostAtOnce ? size : kMostAtOnce));
}

bool flushToDisk(int fd)
{
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle))
        return true;
    errno = EIO;
    return false;
}

bool closeFile(int fd) { return ::_close(fd) == 0; }

void keepPermissions(const fs::path&, int) {}

std::string replaceFile(const fs::path& from, const fs::path& to)
{
    // Retried for about a second, as a scan or a backup lets go of a file in that time.
    constexpr int kRetries = 20;
    constexpr DWORD kPauseMs = 50;
    for (int retry = 0;; ++retry) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {};
        const DWORD error = GetLastError();
        if (!heldByAnother(error, to))
            return systemMessage(error);
        if (retry == kRetries)
            return "the file is held open by another program";
        Sleep(kPauseMs);
    }
}

// MOVEFILE_WRITE_THROUGH has made the rename durable.
void syncFolder(const fs::path&) {}

std::FILE* openFile(const fs::path& file, const char* mode)
{
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(file.c_str(), wideMode.c_str());
}

bool mayWriteIn(const fs::path& folder) { return ::_waccess(folder.c_str(), 2) == 0; }

void removeFileNow(const PathChar* file) { DeleteFileW(file); }

// The console handler runs on a thread of its own while the writer goes on: a
// temporary file made in between is left for the next start to remove.
EndingSignalsHeld::EndingSignalsHeld() = default;
EndingSignalsHeld::~EndingSignalsHeld() = default;

void onEndingSignals(void (*cleanUp)())
{
    endingCleanUp = cleanUp;
    SetConsoleCtrlHandler(cleanUpAndEnd, TRUE);
}

}  // namespace tamrik::systemfiles
