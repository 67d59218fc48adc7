#pragma once
// Reading CSV files (the rule data set's, tamrik-calc's class files):
// comma-separated, fields quoted with double quotes where they hold a comma,
// a quote or a line break, as spreadsheets save them; UTF-8 or Windows-874
// (textencoding.h), CRLF or LF line ends. Nothing is trimmed: every field stays a text. Every fault names
// its line and column, and a damaged file never takes unbounded memory.

#include "textencoding.h"

#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// The CSV faults are text faults: a line and a column.
using CsvError = TextError;

// A file error that names the file: "FILE:LINE:COLUMN: message".
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::size_t kMaxCsvLineBytes = 10000;
inline constexpr std::size_t kMaxCsvFileBytes = 64u << 20;

struct CsvRecord {
    int line = 0;               // line of the file where the record starts, from 1
    std::vector<std::string> fields;
    std::vector<int> columns;   // column (in characters, from 1) where each field starts
};

// The records of a UTF-8 CSV text, header included. Blank lines are skipped.
// Throws CsvError for a quote left open, text after a closing quote, a
// control byte other than tab or a line end, or a line longer than
// kMaxCsvLineBytes.
std::vector<CsvRecord> parseCsv(std::string_view text);

struct CsvFile {
    std::vector<CsvRecord> records;
    std::string bytes;          // the file as read, for the input's hash
    bool fromWindows874 = false;
};

// Reads, decodes and parses a file; throws FileError naming it.
CsvFile readCsvFile(const std::string& path);

}  // namespace tamrik
