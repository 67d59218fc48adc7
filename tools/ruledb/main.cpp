// mkruledb OUTPUT CSV...: builds the rule database from the data set.
#include "databasebuilder.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: mkruledb OUTPUT.mdb TABLE.csv...\n";
        return 2;
    }
    try {
        mkruledb::BuildRuleDatabase(argv[1], std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "mkruledb: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
