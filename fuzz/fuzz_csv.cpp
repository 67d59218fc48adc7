// The CSV reader on any bytes. Properties: it parses or refuses
// with its own error; records start on rising lines and are never empty; the
// records written back with every field quoted parse to the same fields.
#include "csvfile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

std::string Quoted(const std::vector<tamrik::CsvRecord>& records)
{
    std::string out;
    for (const tamrik::CsvRecord& record : records) {
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            out += i ? ",\"" : "\"";
            for (char c : record.fields[i])
                out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<tamrik::CsvRecord> records;
    try {
        records = tamrik::parseCsv(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const tamrik::CsvError&) {
        return 0;
    }
    int line = 0;
    for (const tamrik::CsvRecord& record : records) {
        require(record.line > line && !record.fields.empty());
        line = record.line;
    }
    const std::string quoted = Quoted(records);
    std::vector<tamrik::CsvRecord> again;
    try {
        again = tamrik::parseCsv(quoted);
    } catch (const tamrik::CsvError&) {
        // Quoting lengthens a line; only the line limit may refuse it now.
        std::size_t longest = 0, start = 0;
        for (std::size_t end; (end = quoted.find('\n', start)) != std::string::npos; start = end + 1)
            longest = std::max(longest, end - start);
        require(longest > tamrik::kMaxCsvLineBytes);
        return 0;
    }
    require(again.size() == records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        require(again[i].fields == records[i].fields);
    return 0;
}
