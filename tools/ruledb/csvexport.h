#pragma once
// Writes a data set back as CSV files, one per table (TamrikInfo aside: the
// build writes it anew), in the form the build reads: UTF-8, a header row,
// NULL as an empty field, numbers as the shortest text that reads back the
// same, so that building the folder gives the same tables.

#include "dataset.h"

#include <string>

namespace ruledbtool {

// Creates the folder when needed. Throws FileError naming a file it cannot write.
void ExportDataSet(const DataSet& data, const std::string& folder);

}  // namespace ruledbtool
