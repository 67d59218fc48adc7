#pragma once
// tamrik-ruledb's verbs over their arguments, apart from main() so that the
// tests run the whole command as the maintainer does.

#include <ostream>
#include <string>
#include <vector>

namespace ruledbtool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitProblems = 1;  // problems found, or a failure
inline constexpr int kExitUsage = 2;

// args without the program name. Reports go to `out`, failures to `err`.
int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ruledbtool
