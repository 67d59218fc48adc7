#pragma once
// A data set as bytes and back, to carry it out of a child process
// (boundedchild.h): tables, columns with their types, rows with their places
// and typed values. The input hash and the flags are not carried.

#include "dataset.h"

#include <string>
#include <string_view>

namespace ruledbtool {

std::string dataSetBytes(const DataSet& data);

// Throws FileError when the bytes end before the data set does.
DataSet dataSetFromBytes(std::string_view bytes);

}  // namespace ruledbtool
