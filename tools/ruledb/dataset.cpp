#include "dataset.h"

#include "buildinfo.h"
#include "contentcheck.h"
#include "csvfile.h"
#include "normaltable.h"
#include "numtext.h"
#include "ruledatabase.h"
#include "rulesource.h"
#include "rulenames.h"
#include "sha256.h"
#include "yeartext.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
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

bool parseWhole(const std::string& text, std::int64_t& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
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
            std::optional<Value> value = TypedValue(record.fields[position[c]], schema.columns[c].type, why);
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

Table computedNormalTable()
{
    Table table{tamrik::ruledb::ruleTable(tamrik::kZi2Prob), {}};
    for (int thousandths = 0; thousandths <= kLastZiThousandths; ++thousandths) {
        const std::string key = ZiKey(thousandths);
        table.rows.push_back({key, {Value::ofText(key), Value::ofReal(NormalCdf(thousandths / 1000.0))}});
    }
    return table;
}

}  // namespace

// ---------------------------------------------------------------- tables

int Table::column(const std::string& name) const
{
    for (std::size_t c = 0; c < schema.columns.size(); ++c) {
        if (tamrik::SameColumnName(schema.columns[c].name, name))
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
        if (tamrik::SameColumnName(table.schema.name, name))
            return &table;
    }
    return nullptr;
}

std::vector<const Table*> DataSet::rangeTables() const
{
    std::vector<const Table*> found;
    for (const Table& table : tables) {
        if (tamrik::ruledb::IsRangeTable(table.columnNames()))
            found.push_back(&table);
    }
    std::sort(found.begin(), found.end(),
              [](const Table* a, const Table* b) { return a->schema.name < b->schema.name; });
    return found;
}

std::optional<TableSchema> TableForCsv(const std::string& tableName, const std::vector<std::string>& header)
{
    if (const TableSchema* table = tamrik::ruledb::findRuleTable(tableName))
        return *table;
    if (tableName == tamrik::ruledb::BuildInfoTable().name)
        return std::nullopt;
    if (tamrik::ruledb::IsRangeTable(header))
        return tamrik::ruledb::rangeTableSchema(tableName);
    return std::nullopt;
}

std::optional<Value> TypedValue(const std::string& text, ColumnType type, std::string& why)
{
    if (text.empty())
        return Value();
    if (text.size() > tamrik::ruledb::RuleDatabase::MaxTextBytes) {
        why = "a text of " + std::to_string(text.size()) + " bytes: the program reads at most "
              + std::to_string(tamrik::ruledb::RuleDatabase::MaxTextBytes);
        return std::nullopt;
    }
    if (type == ColumnType::Text || type == ColumnType::Blob)
        return Value::ofText(text);
    std::int64_t whole = 0;
    if (type == ColumnType::Integer && parseWhole(text, whole))
        return Value::ofInteger(whole);
    // A number as the program reads one, written without blanks or words
    // ("nan", "inf").
    const bool digitsOnly = std::all_of(text.begin(), text.end(), [](char ch) {
        return std::isdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == '-' || ch == '+' || ch == 'e'
               || ch == 'E';
    });
    if (const auto real = digitsOnly ? tamrik::WholeNumber(text) : std::nullopt)
        return Value::ofReal(*real);
    why = "\"" + text + "\" is not a number";
    return std::nullopt;
}

// ---------------------------------------------------------------- reading

DataSet ReadDataFolder(const std::string& folder, std::vector<std::string>& faults)
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
    std::set<std::string> loaded, present;
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
            csv = tamrik::ReadCsvFile(path);
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
        const auto schema = TableForCsv(name, csv.records.front().fields);
        if (!schema) {
            faults.push_back(path + ":1:1: no table of the rule database is called " + name
                             + " (a range table needs the header FacCode,ScMax,ScMin)");
            continue;
        }
        loaded.insert(schema->name);
        data.tables.push_back(readCsvTable(path, *schema, csv.records, faults));
    }
    for (const TableSchema& schema : tamrik::ruledb::ruleTables()) {
        if (!present.count(schema.name) && schema.name != tamrik::kZi2Prob)
            faults.push_back((fs::path(folder) / (schema.name + ".csv")).string() + ":1:1: no such file: table "
                             + schema.name + " is needed");
    }
    if (!present.count(tamrik::kZi2Prob))
        data.tables.push_back(computedNormalTable());
    data.sample = fs::is_regular_file(fs::path(folder) / tamrik::ruledb::kSampleMarkerFile, ec);
    if (data.sample)
        hash.add(std::string(1, '\0') + tamrik::ruledb::kSampleMarkerFile);
    data.inputHash = hash.hex();
    return data;
}

DataSet ReadDatabaseFile(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw FileError(path + ": no such file");
    // Judged and read as the program judges and reads it (header, every page
    // read through once, no view, the content its build recorded, texts
    // converted from a UTF-16 file, no text past the program's limit): a file
    // it refuses must not pass here.
    using tamrik::ruledb::RowCursor;
    DataSet data;
    try {
        const tamrik::ruledb::RuleDatabase db(path);
        tamrik::ruledb::RequireNoViews(db);
        tamrik::ruledb::RequireRecordedContent(db);
        std::vector<std::string> names;
        db.ForEachRow("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' "
                      "ESCAPE '\\' ORDER BY rowid",
                      [&](const RowCursor& row) {
                          names.emplace_back(row.textAt(0));
                          return true;
                      });
        for (const std::string& name : names) {
            Table table;
            table.schema.name = name;
            db.ForEachRow("SELECT name, type FROM pragma_table_info(?1)", {name}, [&](const RowCursor& row) {
                              const auto declared = row.textOrNull(1);
                              table.schema.columns.push_back(
                                  {row.textOrNull(0).value_or(""), tamrik::ruledb::typeOfDeclared(declared.value_or(""))});
                              return true;
                          });
            db.ForEachRow("SELECT * FROM " + tamrik::ruledb::QuoteIdentifier(name), [&](const RowCursor& cursor) {
                Row row;
                for (std::size_t c = 0; c < cursor.columns().size(); ++c)
                    row.values.push_back(cursor.stored(c));
                table.rows.push_back(std::move(row));
                return true;
            });
            NameRowsByKey(table);
            data.tables.push_back(std::move(table));
        }
    } catch (const tamrik::ruledb::DbError& e) {
        throw FileError(path + ": the program refuses it: " + e.what());
    }
    if (const Table* info = data.find(tamrik::ruledb::BuildInfoTable().name)) {
        const int column = info->column(tamrik::ruledb::kSampleColumn);
        data.sample = column >= 0 && !info->rows.empty()
                      && info->rows.front().values[static_cast<std::size_t>(column)] == Value::ofText("1");
    }
    return data;
}

void NameRowsByKey(Table& table)
{
    const auto key = tamrik::ruledb::rowKeyColumn(table.columnNames());
    for (std::size_t r = 0; r < table.rows.size(); ++r)
        table.rows[r].where = key ? table.rows[r].values[*key].toText() : std::to_string(r + 1);
}

DataSet ReadDataSet(const std::string& path, std::vector<std::string>& faults)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return ReadDataFolder(path, faults);
    try {
        return ReadDatabaseFile(path);
    } catch (const FileError& e) {
        faults.push_back(e.what());
        return {};
    }
}

std::string AdmissionYear(const DataSet& data)
{
    std::string newest;
    for (const Table* table : data.rangeTables()) {
        if (tamrik::ruledb::isYearRangeTable(table->schema.name))
            newest = std::max(newest, tamrik::YearText(table->schema.name));
    }
    return newest;
}

}  // namespace ruledbtool
