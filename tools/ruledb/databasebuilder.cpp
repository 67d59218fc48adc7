#include "databasebuilder.h"

#include "csvfile.h"
#include "normaltable.h"
#include "ruledatabase.h"
#include "tableschema.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <set>

namespace mkruledb {

namespace fs = std::filesystem;
using tamrik::ruledb::QuoteIdentifier;

namespace {

class Connection {
public:
    explicit Connection(const std::string& path)
    {
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
            throw BuildError(path + ": cannot create the database: " + sqlite3_errmsg(m_db));
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void exec(const std::string& sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string why = message ? message : sqlite3_errmsg(m_db);
            sqlite3_free(message);
            throw BuildError(why + "\n  in: " + sql);
        }
    }
    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

class Insert {
public:
    Insert(Connection& db, const TableSpec& table) : m_db(db.handle())
    {
        std::string sql = "INSERT INTO " + QuoteIdentifier(table.name) + " VALUES (";
        for (std::size_t i = 0; i < table.columns.size(); ++i)
            sql += i == 0 ? "?" : ",?";
        sql += ")";
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &m_stmt, nullptr) != SQLITE_OK)
            throw BuildError(sqlite3_errmsg(m_db));
    }
    ~Insert() { sqlite3_finalize(m_stmt); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    void text(int column, const std::string& value)
    {
        sqlite3_bind_text(m_stmt, column, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    }
    void integer(int column, std::int64_t value) { sqlite3_bind_int64(m_stmt, column, value); }
    void real(int column, double value) { sqlite3_bind_double(m_stmt, column, value); }
    void null(int column) { sqlite3_bind_null(m_stmt, column); }

    // Empty string when the row went in, else SQLite's reason.
    std::string run()
    {
        const int rc = sqlite3_step(m_stmt);
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        return rc == SQLITE_DONE ? std::string() : std::string(sqlite3_errmsg(m_db));
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

const char* typeName(ColumnType type)
{
    switch (type) {
    case ColumnType::Text:
        return "TEXT";
    case ColumnType::Integer:
        return "INTEGER";
    case ColumnType::Real:
        return "REAL";
    }
    return "";
}

void createTable(Connection& db, const TableSpec& table)
{
    std::string sql = "CREATE TABLE " + QuoteIdentifier(table.name) + " (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (i > 0)
            sql += ", ";
        sql += QuoteIdentifier(table.columns[i].name) + " " + typeName(table.columns[i].type);
    }
    db.exec(sql + ")");
}

void createIndexes(Connection& db, const TableSpec& table)
{
    for (const IndexSpec& index : table.indexes) {
        db.exec(std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX "
                + QuoteIdentifier(table.name + "_" + index.column) + " ON " + QuoteIdentifier(table.name) + " ("
                + QuoteIdentifier(index.column) + ")");
    }
}

template <typename T>
bool parseWhole(const std::string& text, T& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// A number field: a whole number goes in as an integer, anything else with
// a point or an exponent as a real. Throws for a text that is not a number.
void bindNumber(Insert& insert, int column, const std::string& text, ColumnType type)
{
    std::int64_t whole = 0;
    double real = 0;
    if (type == ColumnType::Integer && parseWhole(text, whole))
        insert.integer(column, whole);
    else if (parseWhole(text, real))
        insert.real(column, real);
    else
        throw BuildError("\"" + text + "\" is not a number");
}

void loadCsv(Connection& db, const TableSpec& table, const std::vector<CsvRecord>& records,
             const std::string& path)
{
    const std::vector<std::string>& header = records.front().fields;
    // Where each schema column stands in the file; the file may order them freely.
    std::vector<std::size_t> position;
    for (const ColumnSpec& column : table.columns) {
        const auto found = std::find(header.begin(), header.end(), column.name);
        if (found == header.end())
            throw BuildError(path + ": the header has no column " + column.name);
        position.push_back(static_cast<std::size_t>(found - header.begin()));
    }
    if (header.size() != table.columns.size())
        throw BuildError(path + ": the header has " + std::to_string(header.size()) + " columns, "
                         + table.name + " has " + std::to_string(table.columns.size()));

    createTable(db, table);
    Insert insert(db, table);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const std::string where = path + ":" + std::to_string(record.line);
        if (record.fields.size() != header.size())
            throw BuildError(where + ": " + std::to_string(record.fields.size()) + " fields, the header has "
                             + std::to_string(header.size()));
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const int bindIndex = static_cast<int>(c) + 1;
            const std::string& value = record.fields[position[c]];
            if (value.empty()) {
                insert.null(bindIndex);
            } else if (table.columns[c].type == ColumnType::Text) {
                insert.text(bindIndex, value);
            } else {
                try {
                    bindNumber(insert, bindIndex, value, table.columns[c].type);
                } catch (const BuildError& e) {
                    throw BuildError(where + ": column " + table.columns[c].name + ": " + e.what());
                }
            }
        }
        const std::string failure = insert.run();
        if (!failure.empty())
            throw BuildError(where + ": " + failure);
    }
    createIndexes(db, table);
}

void loadNormalTable(Connection& db)
{
    const TableSpec& table = Zi2ProbTable();
    createTable(db, table);
    Insert insert(db, table);
    for (int thousandths = 0; thousandths <= kLastZiThousandths; ++thousandths) {
        insert.text(1, ZiKey(thousandths));
        insert.real(2, NormalCdf(thousandths / 1000.0));
        const std::string failure = insert.run();
        if (!failure.empty())
            throw BuildError(table.name + ": " + failure);
    }
    createIndexes(db, table);
}

void buildInto(const std::string& path, const std::vector<std::string>& csvPaths)
{
    Connection db(path);
    // A fresh file under a temporary name: a journal would only slow it down.
    db.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN");

    std::set<std::string> loaded;
    for (const std::string& csvPath : csvPaths) {
        const std::string tableName = fs::path(csvPath).stem().string();
        std::vector<CsvRecord> records;
        try {
            records = ReadCsvFile(csvPath);
        } catch (const CsvError& e) {
            throw BuildError(e.what());
        }
        if (records.empty())
            throw BuildError(csvPath + ": the file is empty (a header row is needed)");
        const auto table = TableForCsv(tableName, records.front().fields);
        if (!table)
            throw BuildError(csvPath + ": no table of the rule database is called " + tableName
                             + " (a range table needs the header FacCode,ScMax,ScMin)");
        if (!loaded.insert(table->name).second)
            throw BuildError(csvPath + ": table " + table->name + " is given twice");
        loadCsv(db, *table, records, csvPath);
    }
    for (const TableSpec& table : CsvTables()) {
        if (!loaded.count(table.name))
            throw BuildError("no file " + table.name + ".csv among the inputs");
    }
    loadNormalTable(db);
    db.exec("COMMIT");
}

}  // namespace

void BuildRuleDatabase(const std::string& outputPath, const std::vector<std::string>& csvPaths)
{
    const std::string temporary = outputPath + ".tmp";
    std::error_code ec;
    fs::remove(temporary, ec);
    try {
        buildInto(temporary, csvPaths);
    } catch (...) {
        fs::remove(temporary, ec);
        throw;
    }
    fs::rename(temporary, outputPath, ec);
    if (ec) {
        fs::remove(temporary, ec);
        throw BuildError(outputPath + ": cannot put the new database in place: " + ec.message());
    }
}

}  // namespace mkruledb
