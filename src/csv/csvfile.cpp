#include "csvfile.h"

#include <cstdio>
#include <fstream>

namespace tamrik {

std::vector<CsvRecord> parseCsv(std::string_view text)
{
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    int line = 1;
    int column = 1;              // of the character at i
    std::size_t lineStart = 0;   // byte offset where the physical line began
    int quoteLine = 0, quoteColumn = 0;
    record.line = line;
    bool inQuotes = false;
    bool afterQuote = false;     // a quoted field has closed; only , or a line end may follow
    bool recordStarted = false;

    const auto startField = [&] { record.columns.push_back(column); };
    const auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        afterQuote = false;
    };
    const auto newLine = [&](std::size_t next) {
        ++line;
        column = 1;
        lineStart = next;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const auto byte = static_cast<unsigned char>(ch);
        if (i - lineStart >= kMaxCsvLineBytes)
            throw CsvError(line, column, "line longer than " + std::to_string(kMaxCsvLineBytes) + " bytes");
        if ((byte < 0x20 && ch != '\t' && ch != '\r' && ch != '\n') || byte == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", byte);
            throw CsvError(line, column, std::string("stray byte ") + hex);
        }
        if (!recordStarted && ch != '\r' && ch != '\n') {
            recordStarted = true;
            record.line = line;
            startField();
        }
        const bool lineEnd = ch == '\n' || (ch == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n'));
        if (inQuotes) {
            if (ch == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                    ++column;
                } else {
                    inQuotes = false;
                    afterQuote = true;
                }
            } else {
                field += ch;
            }
        } else if (ch == '\r' && !lineEnd) {
            // the CR of a CR LF
        } else if (lineEnd) {
            if (recordStarted) {
                endField();
                records.push_back(std::move(record));
            }
            record = CsvRecord();
            recordStarted = false;
        } else if (ch == ',') {
            endField();
            ++column;
            startField();
            continue;
        } else if (afterQuote) {
            throw CsvError(line, column, "text after a closing quote");
        } else if (ch == '"' && field.empty()) {
            inQuotes = true;
            quoteLine = line;
            quoteColumn = column;
        } else {
            field += ch;
        }
        if (lineEnd)
            newLine(i + 1);
        else if ((byte & 0xC0) != 0x80)
            ++column;
    }
    if (inQuotes)
        throw CsvError(quoteLine, quoteColumn, "a quoted field is never closed");
    if (recordStarted) {
        endField();
        records.push_back(std::move(record));
    }
    return records;
}

CsvFile readCsvFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError(path + ": cannot open the file");
    CsvFile file;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        file.bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (file.bytes.size() > kMaxCsvFileBytes)
            throw FileError(path + ": larger than " + std::to_string(kMaxCsvFileBytes >> 20) + " MB");
    }
    try {
        DecodedText text = decodeDataText(file.bytes);
        file.fromWindows874 = text.fromWindows874;
        file.records = parseCsv(text.utf8);
    } catch (const TextError& e) {
        throw FileError(path + ":" + e.what());
    }
    return file;
}

}  // namespace tamrik
