// tamrik-ruledb: builds, checks, compares, exports and imports the rule database.
#include "atomicfile.h"
#include "commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    // A build cut short by a signal leaves no half-written database beside its output.
    tamrik::removeTemporaryFilesOnSignals();
    return ruledbtool::runTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
