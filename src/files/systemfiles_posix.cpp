#include "systemfiles.h"

#include <cerrno>
#include <csignal>
#include <system_error>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamrik::systemfiles {

namespace fs = std::filesystem;

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
void (*endingCleanUp)() = nullptr;

// Only async-signal-safe work. The handler is reset to the default on entry
// (SA_RESETHAND), so the signal raised again, delivered once this returns,
// ends the process with the status the signal gives.
extern "C" void cleanUpAndEnd(int signal)
{
    const int saved = errno;
    if (endingCleanUp)
        endingCleanUp();
    errno = saved;
    ::raise(signal);
}

}  // namespace

int createNewFile(const fs::path& file) { return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }

long long writeSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }

bool flushToDisk(int fd) { return ::fsync(fd) == 0; }

bool closeFile(int fd) { return ::close(fd) == 0; }

void keepPermissions(const fs::path& old, int fd)
{
    struct stat st {};
    if (::stat(old.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
}

std::string replaceFile(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::rename(from, to, ec);
    return ec ? ec.message() : std::string();
}

// Some file systems refuse fsync on a folder; the new file is in place all the
// same, so that is no failure.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::FILE* openFile(const fs::path& file, const char* mode) { return std::fopen(file.c_str(), mode); }

bool mayWriteIn(const fs::path& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

void removeFileNow(const PathChar* file) { ::unlink(file); }

EndingSignalsHeld::EndingSignalsHeld()
{
    static_assert(sizeof(sigset_t) <= sizeof m_before);
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kEndingSignals)
        sigaddset(&held, signal);
    pthread_sigmask(SIG_BLOCK, &held, reinterpret_cast<sigset_t*>(m_before));
}

EndingSignalsHeld::~EndingSignalsHeld() { pthread_sigmask(SIG_SETMASK, reinterpret_cast<sigset_t*>(m_before), nullptr); }

void onEndingSignals(void (*cleanUp)())
{
    endingCleanUp = cleanUp;
    for (const int signal : kEndingSignals) {
        struct sigaction now {};
        if (::sigaction(signal, nullptr, &now) == 0 && now.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = cleanUpAndEnd;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace tamrik::systemfiles
