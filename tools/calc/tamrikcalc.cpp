// tamrik-calc: the composite score of an applicant at one faculty, at every
// faculty, or for a whole class, computed as Tamrik's summary page does.
#include "atomicfile.h"
#include "calcmain.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <system_error>
#include <unistd.h>
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::filesystem::path executablePath(const char* argv0)
{
    std::error_code ec;
#ifdef _WIN32
    std::wstring name(32768, L'\0');
    const DWORD size = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (size > 0 && size < name.size())
        return std::filesystem::path(name.substr(0, size));
#else
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return exe;
#endif
    return std::filesystem::absolute(argv0, ec);
}

}  // namespace

int main(int argc, char** argv)
{
    // The rules of every faculty are tens of megabytes in small blocks: the
    // heap grows in large steps (untouched, they take no memory) instead of a
    // system call every 128 kB.
#ifdef __GLIBC__
    mallopt(M_TOP_PAD, 64 << 20);
#endif
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);  // the Thai of the readable output, in a console
#endif
    // An interrupted batch leaves no half-written results file beside its output.
    tamrik::RemoveTemporaryFilesOnSignals();
    const std::filesystem::path exe = executablePath(argv[0]);
#ifdef TAMRIK_FULL_EXIT
    constexpr bool quickEnd = false;  // sanitizer builds take everything down, so that leaks are still found
#else
    constexpr bool quickEnd = true;
#endif
    const int status = tamrikcalc::RunCalc(std::vector<std::string>(argv + 1, argv + argc), exe.parent_path(),
                                           std::cout, std::cerr, isatty(STDERR_FILENO) != 0, quickEnd);
    if (quickEnd) {
        std::cout.flush();
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
