#pragma once
// Reading the data set's CSV files: UTF-8, comma-separated, fields quoted
// with double quotes where they hold a comma, a quote or a line break, as
// spreadsheets save them (a leading byte-order mark and CRLF line ends are
// accepted). Nothing is trimmed or converted: every field stays a text.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mkruledb {

class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CsvRecord {
    int line = 0;  // line of the file where the record starts, from 1
    std::vector<std::string> fields;
};

// The records of a CSV text, header included. Blank lines are skipped. Throws
// CsvError (with the line) for a quote left open or text after a closing quote.
std::vector<CsvRecord> ParseCsv(std::string_view text);

// Reads a whole file and parses it; errors name the file.
std::vector<CsvRecord> ReadCsvFile(const std::string& path);

}  // namespace mkruledb
