#pragma once
// Every table of a Microsoft Access (Jet) file, read through mdbtools'
// libmdb, as a data set: column types kept (whole numbers, numbers, text,
// binary), text in UTF-8. Jet 4 and later files store text as Unicode; a
// Jet 3 (Access 97) file stores it in the code page of the Windows that wrote
// it, which the file does not name: the caller says which (CP874 for Thai).

#include "dataset.h"

#include <string>

namespace ruledbtool {

// True when this build has libmdb.
bool CanImportMdb();

// Throws FileError when the file cannot be read as an Access file. The data
// set's input hash is the SHA-256 of the file.
DataSet ReadMdbFile(const std::string& path, const std::string& jet3CodePage);

}  // namespace ruledbtool
