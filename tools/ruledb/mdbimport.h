#pragma once
// Every table of a Microsoft Access (Jet) file, read through mdbtools'
// libmdb, as a data set: column types kept (whole numbers, numbers, text,
// binary), text in UTF-8. Jet 4 and later files store text as Unicode; a
// Jet 3 (Access 97) file stores it in the code page of the Windows that wrote
// it, which its header states with its language and sort order: 1252 for a
// Western Access, 874 for a Thai one.

#include "dataset.h"

#include <string>

namespace ruledbtool {

// True when this build has libmdb.
bool canImportMdb();

struct MdbCodePage {
    int stated = 0;        // the code page the header states; 0 for none
    int language = 0;      // its language and sort order: 1033 English, 1054 Thai
    bool unicode = false;  // Jet 4 or later: texts are Unicode whatever the code page
    std::string used;      // what a Jet 3 file's texts were read as: "CP1252"
};

struct MdbImport {
    DataSet data;
    MdbCodePage codePage;
};

// The code page to read a Jet 3 file's texts in: `given` when there is one,
// else the one the file states, else its language's (874 for Thai, 1252
// for any other).
std::string jet3CodePage(int stated, int language, const std::string& given);

// Throws FileError when the file cannot be read as an Access file, or in the
// code page. The data set's input hash is the SHA-256 of the file.
// `codePage` empty: the one the file states.
MdbImport readMdbFile(const std::string& path, const std::string& codePage);

}  // namespace ruledbtool
