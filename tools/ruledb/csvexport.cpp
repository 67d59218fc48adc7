#include "csvexport.h"

#include "csvfile.h"
#include "buildinfo.h"
#include "csvtext.h"

#include <filesystem>
#include <fstream>

namespace ruledbtool {

namespace fs = std::filesystem;

void ExportDataSet(const DataSet& data, const std::string& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw FileError(folder + ": cannot create the folder: " + ec.message());
    if (data.sample) {
        const fs::path marker = fs::path(folder) / tamrik::ruledb::kSampleMarkerFile;
        std::ofstream out(marker, std::ios::binary | std::ios::trunc);
        out << "Made-up sample data: not any university's real admission criteria.\n";
        out.flush();
        if (!out)
            throw FileError(marker.string() + ": cannot write the file");
    }
    for (const Table& table : data.tables) {
        if (table.schema.name == BuildInfoTable().name)
            continue;
        // A name from an imported file must not lead the file out of the folder.
        const std::string& name = table.schema.name;
        if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
            throw FileError("table \"" + name + "\" cannot be written as a file name");
        const fs::path path = fs::path(folder) / (table.schema.name + ".csv");
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        std::vector<std::string> fields;
        for (const ColumnSchema& column : table.schema.columns)
            fields.push_back(column.name);
        out << tamrik::CsvLine(fields) << '\n';
        for (const Row& row : table.rows) {
            fields.clear();
            for (const Value& value : row.values)
                fields.push_back(value.toText());
            out << tamrik::CsvLine(fields) << '\n';
        }
        out.flush();
        if (!out)
            throw FileError(path.string() + ": cannot write the file");
    }
}

}  // namespace ruledbtool
