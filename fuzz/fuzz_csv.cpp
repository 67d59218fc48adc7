// The data tool's CSV reader on any bytes. Properties: it parses or refuses
// with its own error; records start on rising lines and are never empty; the
// records written back with every field quoted parse to the same fields.
#include "csvfile.h"

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

std::string Quoted(const std::vector<mkruledb::CsvRecord>& records)
{
    std::string out;
    for (const mkruledb::CsvRecord& record : records) {
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
    std::vector<mkruledb::CsvRecord> records;
    try {
        records = mkruledb::ParseCsv(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const mkruledb::CsvError&) {
        return 0;
    }
    int line = 0;
    for (const mkruledb::CsvRecord& record : records) {
        require(record.line > line && !record.fields.empty());
        line = record.line;
    }
    const std::vector<mkruledb::CsvRecord> again = mkruledb::ParseCsv(Quoted(records));
    require(again.size() == records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        require(again[i].fields == records[i].fields);
    return 0;
}
