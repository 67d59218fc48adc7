#pragma once
// The whole of a tamrik-calc run, apart from main(): the tests run it with
// their own streams.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tamrikcalc {

// Exit status: 0 done, 1 rule database fault or a faculty whose rule cannot
// be built, 2 bad input (nothing computed, no output file). File names in
// `args` are UTF-8, as the Windows build's manifest hands them over.
//
// `finished`, when given, is called with the exit status once --all has
// written everything: tamrik-calc's main() ends the process there, as
// freeing thousands of faculties one by one takes a tenth of the run.
int runCalc(const std::vector<std::string>& args, const std::filesystem::path& executableFolder, std::ostream& out,
            std::ostream& err, bool progressToErr, const std::function<void(int status)>& finished = {});

}  // namespace tamrikcalc
