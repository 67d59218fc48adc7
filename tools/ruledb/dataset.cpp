#include "dataset.h"

#include "rulesource.h"
#include "yeartext.h"

#include <algorithm>
#include <filesystem>

namespace ruledbtool {

int Table::column(const std::string& name) const
{
    for (std::size_t c = 0; c < schema.columns.size(); ++c) {
        if (tamrik::sameColumnName(schema.columns[c].name, name))
            return static_cast<int>(c);
    }
    return -1;
}

std::vector<std::string> Table::columnNames() const
{
    return schema.columnNames();
}

const Table* DataSet::find(const std::string& name) const
{
    for (const Table& table : tables) {
        if (tamrik::sameColumnName(table.schema.name, name))
            return &table;
    }
    return nullptr;
}

std::vector<const Table*> DataSet::rangeTables() const
{
    std::vector<const Table*> found;
    for (const Table& table : tables) {
        if (tamrik::ruledb::isRangeTable(table.columnNames()))
            found.push_back(&table);
    }
    std::sort(found.begin(), found.end(),
              [](const Table* a, const Table* b) { return a->schema.name < b->schema.name; });
    return found;
}

void nameRowsByKey(Table& table)
{
    const auto key = tamrik::ruledb::rowKeyColumn(table.columnNames());
    for (std::size_t r = 0; r < table.rows.size(); ++r)
        table.rows[r].where = key ? table.rows[r].values[*key].toText() : std::to_string(r + 1);
}

DataSet readDataSet(const std::string& path, std::vector<std::string>& faults)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return readDataFolder(path, faults);
    try {
        return readDatabaseFile(path);
    } catch (const FileError& e) {
        faults.push_back(e.what());
        return {};
    }
}

std::string admissionYear(const DataSet& data)
{
    std::string newest;
    for (const Table* table : data.rangeTables()) {
        if (tamrik::ruledb::isYearRangeTable(table->schema.name))
            newest = std::max(newest, tamrik::yearText(table->schema.name));
    }
    return newest;
}

}  // namespace ruledbtool
