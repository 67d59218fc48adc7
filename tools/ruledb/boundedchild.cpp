#include "boundedchild.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ruledbtool {

namespace {

// The process's address space now: the child starts with all of it.
std::uint64_t addressSpace()
{
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

bool writeAll(int fd, const std::string& bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + at, bytes.size() - at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += static_cast<std::size_t>(n);
    }
    return true;
}

[[noreturn]] void runChild(int out, const std::function<std::string()>& work, const ChildLimits& limits,
                           std::uint64_t memory)
{
    const rlimit as{memory, memory};
    const rlimit cpu{limits.cpuSeconds, limits.cpuSeconds};
    if (setrlimit(RLIMIT_AS, &as) != 0 || setrlimit(RLIMIT_CPU, &cpu) != 0)
        _exit(2);
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0)
        dup2(quiet, STDERR_FILENO);
    try {
        _exit(writeAll(out, work()) ? 0 : 2);
    } catch (...) {
        _exit(2);  // std::bad_alloc at the limit, among others
    }
}

}  // namespace

std::optional<std::string> runBounded(const std::function<std::string()>& work, const ChildLimits& limits)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    const std::uint64_t memory = addressSpace() + limits.memoryBytes;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        runChild(fds[1], work, limits, memory);
    }
    close(fds[1]);
    std::string bytes;
    bool tooMuch = false;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > limits.memoryBytes) {
            tooMuch = true;
            kill(child, SIGKILL);
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    if (child < 0)
        return std::nullopt;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (tooMuch || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return bytes;
}

}  // namespace ruledbtool
