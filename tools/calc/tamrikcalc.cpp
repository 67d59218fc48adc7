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

int main(int argc, char** argv)
{
    // The rules of every faculty are tens of megabytes in small blocks: the
    // heap grows in large steps (untouched, they take no memory) instead of a
    // system call every 128 kB.
    mallopt(M_TOP_PAD, 64 << 20);
    // An interrupted batch leaves no half-written results file beside its output.
    tamrik::RemoveTemporaryFilesOnSignals();
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv[0], ec);
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
