#pragma once
// A program run as its own process, the way a shell runs it: its standard
// output and error sent to files, signals at their defaults, and resource
// limits of its own, so a test can see what the real command does with a
// full disk, a signal or too little memory for its threads.

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tamrik::test {

class ChildProcess {
public:
    using Limits = std::vector<std::pair<int, rlim_t>>;  // setrlimit's resource and value

    ChildProcess(const std::string& program, const std::vector<std::string>& args, const std::string& outFile,
                 const std::string& errFile, const Limits& limits = {})
    {
        std::vector<std::string> all{program};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        m_pid = ::fork();
        if (m_pid != 0)
            return;
        // Only async-signal-safe calls until exec.
        for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
            ::signal(s, SIG_DFL);
        for (const auto& [resource, value] : limits) {
            const rlimit limit{value, value};
            ::setrlimit(resource, &limit);
            // A write past a file size limit then fails as on a full disk.
            if (resource == RLIMIT_FSIZE)
                ::signal(SIGXFSZ, SIG_IGN);
        }
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0)
            ::_exit(127);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }

    void signal(int number) const { ::kill(m_pid, number); }

    // The exit status, or 128 + the signal that ended it, as a shell gives it.
    int wait()
    {
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    }

private:
    pid_t m_pid = -1;
};

}  // namespace tamrik::test
