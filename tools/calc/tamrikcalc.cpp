// tamrik-calc: the composite score of an applicant at one faculty, at every
// faculty, or for a whole class, computed as Tamrik's summary page does.
#include "atomicfile.h"
#include "calcmain.h"

#include <filesystem>
#include <iostream>
#include <system_error>
#include <unistd.h>

int main(int argc, char** argv)
{
    // An interrupted batch leaves no half-written results file beside its output.
    tamrik::RemoveTemporaryFilesOnSignals();
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv[0], ec);
    return tamrikcalc::RunCalc(std::vector<std::string>(argv + 1, argv + argc), exe.parent_path(), std::cout,
                               std::cerr, isatty(STDERR_FILENO) != 0);
}
