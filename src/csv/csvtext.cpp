#include "csvtext.h"

#include <string_view>

namespace tamrik {

std::string csvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const std::string& field = fields[i];
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    return line;
}

std::string spreadsheetText(std::string text)
{
    if (!text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos)
        text.insert(text.begin(), '\'');
    return text;
}

std::string csvSheet(const std::vector<std::vector<std::string>>& rows)
{
    std::string bytes = "\xEF\xBB\xBF";
    for (const auto& row : rows)
        bytes += csvLine(row) + "\r\n";
    return bytes;
}

}  // namespace tamrik
