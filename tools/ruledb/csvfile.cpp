#include "csvfile.h"

#include <fstream>
#include <sstream>

namespace mkruledb {

std::vector<CsvRecord> ParseCsv(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    int line = 1;
    record.line = line;
    bool inQuotes = false;
    bool afterQuote = false;   // a quoted field has closed; only , or a line end may follow
    bool recordStarted = false;

    const auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        afterQuote = false;
    };
    const auto endRecord = [&] {
        if (recordStarted) {
            endField();
            records.push_back(std::move(record));
        }
        record = CsvRecord();
        recordStarted = false;
        record.line = line;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (inQuotes) {
            if (ch == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    inQuotes = false;
                    afterQuote = true;
                }
            } else {
                if (ch == '\n')
                    ++line;
                field += ch;
            }
            continue;
        }
        if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (ch == '\n' || ch == '\r') {
            ++line;
            endRecord();
            continue;
        }
        recordStarted = true;
        if (ch == ',') {
            endField();
        } else if (afterQuote) {
            throw CsvError("line " + std::to_string(line) + ": text after a closing quote");
        } else if (ch == '"' && field.empty()) {
            inQuotes = true;
        } else {
            field += ch;
        }
    }
    if (inQuotes)
        throw CsvError("line " + std::to_string(record.line) + ": a quoted field is never closed");
    endRecord();
    return records;
}

std::vector<CsvRecord> ReadCsvFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CsvError(path + ": cannot open the file");
    std::ostringstream content;
    content << in.rdbuf();
    try {
        return ParseCsv(content.str());
    } catch (const CsvError& e) {
        throw CsvError(path + ": " + e.what());
    }
}

}  // namespace mkruledb
