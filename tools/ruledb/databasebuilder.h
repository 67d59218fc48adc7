#pragma once
// Builds the rule database file from the data set's CSV files: one table per
// file, typed as the schema says, indexed by its keys, plus the computed
// normal table. The file is written under a temporary name and renamed into
// place at the end, so a failed build never leaves a half-written database
// where the program would open it.

#include <stdexcept>
#include <string>
#include <vector>

namespace mkruledb {

class BuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every table of CsvTables() must come from exactly one file; files of last
// year's range are optional. Throws BuildError naming the file, line and
// column of the first problem.
void BuildRuleDatabase(const std::string& outputPath, const std::vector<std::string>& csvPaths);

}  // namespace mkruledb
