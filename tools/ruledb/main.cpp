// tamrik-ruledb: builds, checks, compares, exports and imports the rule database.
#include "commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    return ruledbtool::RunTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
