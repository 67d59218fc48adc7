#pragma once
// Writes a data set as a rule database file: one table per table of the set,
// typed as its columns say, indexed by its keys, plus TamrikInfo. It is built
// in memory, then written to a file of its own beside the output, flushed to
// disk and renamed into place, so neither a failed build nor a power cut
// leaves a half-written database where the program would open it.

#include "buildinfo.h"
#include "dataset.h"

#include <stdexcept>
#include <string>

namespace ruledbtool {

class BuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The build's record: today's date in UTC (or SOURCE_DATE_EPOCH's, for a
// reproducible build), the data's admission year and the input hash.
tamrik::ruledb::BuildInfo makeBuildInfo(const DataSet& data);

// Before any work: throws BuildError when the output cannot be written (a
// folder, a device, a missing folder), and removes what killed builds of it
// left beside it. The database replaces the file a symbolic link leads to.
void checkOutputFile(const std::string& outputPath);

// Throws BuildError naming the row at fault (a doubled key, say). A
// TamrikInfo table in the data set is replaced by `info`, with the digest of
// the content written when every value is usable (recordableDigest).
void writeRuleDatabase(const DataSet& data, const std::string& outputPath, const tamrik::ruledb::BuildInfo& info);

}  // namespace ruledbtool
