#include "csvexport.h"

#include "csvfile.h"
#include "buildinfo.h"
#include "csvtext.h"
#include "numtext.h"

#include <filesystem>
#include <fstream>
#include <set>

namespace ruledbtool {

namespace fs = std::filesystem;

namespace {

// Makes way for a file of the export: an old file or link goes (a link is
// never followed out of the folder), anything else is left and refused.
void makeWay(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (!fs::exists(status))
        return;
    if (!fs::is_regular_file(status) && !fs::is_symlink(status))
        throw FileError(path.string() + ": not a regular file: left as it is, and nothing written over it");
    if (!fs::remove(path, ec))
        throw FileError(path.string() + ": cannot remove the old file: " + ec.message());
}

std::ofstream createFile(const fs::path& path)
{
    makeWay(path);
    return std::ofstream(path, std::ios::binary | std::ios::trunc);
}

// The files of an older export that the new one does not write: its .csv
// files and the sample marker, nothing else.
std::vector<fs::path> staleFiles(const fs::path& folder, const std::set<fs::path>& written)
{
    std::vector<fs::path> stale;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const fs::path name = entry.path().filename();
        const bool ours = name.extension() == ".csv" || name == tamrik::ruledb::kSampleMarkerFile;
        const fs::file_status status = entry.symlink_status(ec);
        if (ours && !written.count(name) && (fs::is_regular_file(status) || fs::is_symlink(status)))
            stale.push_back(entry.path());
    }
    return stale;
}

// A value as the data folder writes its column (a range table's scores with
// two decimals), where that text reads back as the very same number.
std::string fieldText(const Value& value, const tamrik::ruledb::ColumnSchema* known)
{
    if (value.kind == Value::Kind::Real && known && known->pattern) {
        std::string text = tamrik::Format(value.real, known->pattern);
        if (tamrik::wholeNumber(text) == value.real)
            return text;
    }
    return value.toText();
}

}  // namespace

void writeCsvTable(const Table& table, const std::string& path)
{
    std::ofstream out = createFile(path);
    const std::vector<std::string> names = table.columnNames();
    out << tamrik::csvLine(names) << '\n';
    std::vector<const tamrik::ruledb::ColumnSchema*> known;
    for (const std::string& name : names)
        known.push_back(tamrik::ruledb::knownColumn(table.schema.name, names, name));
    std::vector<std::string> fields;
    for (const Row& row : table.rows) {
        fields.clear();
        for (std::size_t c = 0; c < row.values.size(); ++c)
            fields.push_back(fieldText(row.values[c], c < known.size() ? known[c] : nullptr));
        out << tamrik::csvLine(fields) << '\n';
    }
    out.flush();
    if (!out)
        throw FileError(path + ": cannot write the file");
}

void exportDataSet(const DataSet& data, const std::string& folder, bool replace)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw FileError(folder + ": cannot create the folder: " + ec.message());
    // A build of the folder would take an older export's tables back in.
    if (!replace && !fs::is_empty(folder, ec))
        throw FileError(folder + ": the folder is not empty: give --replace to replace the export in it");
    std::set<fs::path> written;
    if (data.sample) {
        const fs::path marker = fs::path(folder) / tamrik::ruledb::kSampleMarkerFile;
        std::ofstream out = createFile(marker);
        out << "Made-up sample data: not any university's real admission criteria.\n";
        out.flush();
        if (!out)
            throw FileError(marker.string() + ": cannot write the file");
        written.insert(marker.filename());
    }
    for (const Table& table : data.tables) {
        if (table.schema.name == tamrik::ruledb::buildInfoTable().name)
            continue;
        // A name from an imported file must not lead the file out of the folder.
        const std::string& name = table.schema.name;
        if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
            throw FileError("table \"" + name + "\" cannot be written as a file name");
        const fs::path path = fs::path(folder) / (table.schema.name + ".csv");
        writeCsvTable(table, path.string());
        written.insert(path.filename());
    }
    for (const fs::path& stale : staleFiles(folder, written)) {
        if (!fs::remove(stale, ec))
            throw FileError(stale.string() + ": cannot remove the file of the older export: " + ec.message());
    }
}

}  // namespace ruledbtool
