#pragma once
// Writes a data set back as CSV files, one per table (TamrikInfo aside: the
// build writes it anew), in the form the build reads: UTF-8, a header row,
// NULL as an empty field, numbers as the data folder writes their column
// (a range table's scores with two decimals) or else as the shortest text
// that reads back the same, so that building the folder gives the same
// tables and comparing it with the data folder shows only real changes.

#include "dataset.h"

#include <string>

namespace ruledbtool {

// Creates the folder when needed. A folder that holds anything is refused
// unless `replace`: then the export takes the place of the .csv files and the
// sample marker in it (others stay), so that the folder holds exactly the
// database's tables. Throws FileError naming a file it cannot write or
// remove.
void exportDataSet(const DataSet& data, const std::string& folder, bool replace);

// One table as one such file, in place of any file or link at `path`.
// Throws FileError when it cannot be written.
void writeCsvTable(const Table& table, const std::string& path);

}  // namespace ruledbtool
