#include "dataset.h"

#include "buildinfo.h"
#include "normaltable.h"
#include "rulenames.h"
#include "sha256.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

namespace ruledbtool {

namespace fs = std::filesystem;

namespace {

std::string folded(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return std::tolower(ch); });
    return text;
}

Table readCsvTable(const std::string& path, const TableSchema& schema, const std::vector<tamrik::CsvRecord>& records,
                   std::vector<std::string>& faults)
{
    Table table{schema, {}};
    const std::vector<std::string>& header = records.front().fields;
    std::vector<std::size_t> position;
    bool complete = true;
    for (const ColumnSchema& column : schema.columns) {
        const auto found = std::find(header.begin(), header.end(), column.name);
        if (found == header.end()) {
            faults.push_back(path + ":1:1: the header has no column " + column.name);
            complete = false;
        }
        position.push_back(static_cast<std::size_t>(found - header.begin()));
    }
    if (header.size() != schema.columns.size()) {
        faults.push_back(path + ":1:1: the header has " + std::to_string(header.size()) + " columns, " + schema.name
                         + " has " + std::to_string(schema.columns.size()));
        complete = false;
    }
    if (!complete)
        return table;

    for (std::size_t r = 1; r < records.size(); ++r) {
        const tamrik::CsvRecord& record = records[r];
        const std::string line = path + ":" + std::to_string(record.line) + ":";
        if (record.fields.size() != header.size()) {
            faults.push_back(line + "1: " + std::to_string(record.fields.size()) + " fields, the header has "
                             + std::to_string(header.size()));
            continue;
        }
        Row row{std::to_string(record.line), {}};
        for (std::size_t c = 0; c < schema.columns.size(); ++c) {
            std::string why;
            std::optional<Value> value = typedValue(record.fields[position[c]], schema.columns[c].type, why);
            if (!value) {
                faults.push_back(line + std::to_string(record.columns[position[c]]) + ": " + schema.columns[c].name
                                 + ": " + why);
                value = Value();
            }
            row.values.push_back(std::move(*value));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace

DataSet readDataFolder(const std::string& folder, std::vector<std::string>& faults)
{
    DataSet data;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        faults.push_back(folder + ": not a folder");
        return data;
    }
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() != ".csv")
            continue;
        // Only stat()ed: opening a pipe would wait for a writer for ever.
        std::error_code statError;
        if (!entry.is_regular_file(statError))
            faults.push_back(entry.path().string() + ":1:1: not a regular file (a pipe, a device or a folder): not read");
        else
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());

    Sha256 hash;
    std::set<std::string> present;
    std::map<std::string, std::string> byFoldedName;  // SQLite's table names ignore (ASCII) case
    for (const fs::path& file : files) {
        const std::string path = file.string();
        const std::string name = file.stem().string();
        present.insert(name);
        const auto [first, fresh] = byFoldedName.emplace(folded(name), file.filename().string());
        if (!fresh) {
            faults.push_back(path + ":1:1: the same table to SQLite as " + first->second
                             + " (the names differ only in case)");
            continue;
        }
        if (folded(name).rfind("sqlite_", 0) == 0) {
            faults.push_back(path + ":1:1: SQLite keeps table names beginning with sqlite_ for itself");
            continue;
        }
        tamrik::CsvFile csv;
        try {
            csv = tamrik::readCsvFile(path);
        } catch (const FileError& e) {
            faults.push_back(e.what());
            continue;
        }
        // Names and bytes, so that renaming a file changes the hash too.
        hash.add(file.filename().string());
        hash.add(std::string(1, '\0') + std::to_string(csv.bytes.size()) + '\0');
        hash.add(csv.bytes);
        if (csv.fromWindows874)
            data.convertedFiles.push_back(path);
        if (csv.records.empty()) {
            faults.push_back(path + ":1:1: the file is empty (a header row is needed)");
            continue;
        }
        const auto schema = tableForCsv(name, csv.records.front().fields);
        if (!schema) {
            faults.push_back(path + ":1:1: no table of the rule database is called " + name
                             + " (a range table needs the header FacCode,ScMax,ScMin)");
            continue;
        }
        data.tables.push_back(readCsvTable(path, *schema, csv.records, faults));
    }
    for (const TableSchema& schema : tamrik::ruledb::ruleTables()) {
        if (!present.count(schema.name) && schema.name != tamrik::kZi2Prob)
            faults.push_back((fs::path(folder) / (schema.name + ".csv")).string() + ":1:1: no such file: table "
                             + schema.name + " is needed");
    }
    if (!present.count(tamrik::kZi2Prob))
        data.tables.push_back(normalTable(kLastZiThousandths));
    data.sample = fs::is_regular_file(fs::path(folder) / tamrik::ruledb::kSampleMarkerFile, ec);
    if (data.sample)
        hash.add(std::string(1, '\0') + tamrik::ruledb::kSampleMarkerFile);
    data.inputHash = hash.hex();
    return data;
}

}  // namespace ruledbtool
