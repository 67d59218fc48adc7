// tamrik-calc: the composite score of an applicant at one faculty, at every
// faculty, or for a whole class, computed as Tamrik's summary page does.
#include "atomicfile.h"
#include "calcmain.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
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
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);  // the Thai of the readable output, in a console
#endif
    // An interrupted batch leaves no half-written results file beside its output.
    tamrik::removeTemporaryFilesOnSignals();
    // The output is flushed and checked by then: what is left is memory.
    return tamrikcalc::runCalc(std::vector<std::string>(argv + 1, argv + argc), executablePath(argv[0]).parent_path(),
                               std::cout, std::cerr, isatty(STDERR_FILENO) != 0,
                               [](int status) { std::_Exit(status); });
}
