#pragma once
// The text of a data file as UTF-8. A file is taken as UTF-8 when it is valid
// UTF-8 (a byte-order mark is dropped), else as Windows-874 / TIS-620, the
// code page a Thai spreadsheet saves in by default, and converted. The
// conversion is a fixed table, so it does not depend on the system's iconv.

#include <stdexcept>
#include <string>
#include <string_view>

namespace tamrik {

// A text fault at a line and a column (both from 1, the column counted in
// characters). what() is "LINE:COLUMN: message".
class TextError : public std::runtime_error {
public:
    TextError(int line, int column, const std::string& message)
        : std::runtime_error(std::to_string(line) + ":" + std::to_string(column) + ": " + message),
          m_line(line), m_column(column)
    {
    }
    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    int m_line;
    int m_column;
};

struct DecodedText {
    std::string utf8;
    bool fromWindows874 = false;
};

// Throws TextError at the first byte that neither reading accepts; of the two
// readings, the one that got further through the file names the place.
DecodedText decodeDataText(std::string_view bytes);

// Windows-874 bytes as UTF-8; bytes without a character are left out.
std::string windows874ToUtf8(std::string_view bytes);

}  // namespace tamrik
