#include "csvexport.h"

#include "csvfile.h"

#include <filesystem>
#include <fstream>

namespace ruledbtool {

namespace fs = std::filesystem;

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char ch : text)
        quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

void ExportDataSet(const DataSet& data, const std::string& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (const Table& table : data.tables) {
        if (table.schema.name == BuildInfoTable().name)
            continue;
        // A name from an imported file must not lead the file out of the folder.
        const std::string& name = table.schema.name;
        if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
            throw FileError("table \"" + name + "\" cannot be written as a file name");
        const fs::path path = fs::path(folder) / (table.schema.name + ".csv");
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        std::string line;
        for (const ColumnSchema& column : table.schema.columns)
            line += (line.empty() ? "" : ",") + CsvField(column.name);
        out << line << '\n';
        for (const Row& row : table.rows) {
            line.clear();
            for (std::size_t c = 0; c < row.values.size(); ++c)
                line += (c == 0 ? "" : ",") + CsvField(row.values[c].toText());
            out << line << '\n';
        }
        out.flush();
        if (!out)
            throw FileError(path.string() + ": cannot write the file");
    }
}

}  // namespace ruledbtool
