#pragma once
// Writes a data set back as CSV files, one per table (TamrikInfo aside: the
// build writes it anew), in the form the build reads: UTF-8, a header row,
// NULL as an empty field, numbers as the shortest text that reads back the
// same, so that building the folder gives the same tables.

#include "dataset.h"

#include <string>

namespace ruledbtool {

// Creates the folder when needed. A folder that holds anything is refused
// unless `replace`: then the export takes the place of the .csv files and the
// sample marker in it (others stay), so that the folder holds exactly the
// database's tables. Throws FileError naming a file it cannot write or
// remove.
void ExportDataSet(const DataSet& data, const std::string& folder, bool replace);

}  // namespace ruledbtool
