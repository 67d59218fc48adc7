#include "databasebuilder.h"

#include "ruledatabase.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace ruledbtool {

namespace fs = std::filesystem;
using tamrik::ruledb::BuildInfo;
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
    Insert(Connection& db, const TableSchema& table) : m_db(db.handle())
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
        check(sqlite3_bind_text(m_stmt, column, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT));
    }
    void integer(int column, std::int64_t value) { check(sqlite3_bind_int64(m_stmt, column, value)); }
    void real(int column, double value) { check(sqlite3_bind_double(m_stmt, column, value)); }
    void null(int column) { check(sqlite3_bind_null(m_stmt, column)); }
    void blob(int column, const std::string& bytes)
    {
        check(sqlite3_bind_blob(m_stmt, column, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
    }

    // Empty string when the row went in, else SQLite's reason.
    std::string run()
    {
        const int rc = sqlite3_step(m_stmt);
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        return rc == SQLITE_DONE ? std::string() : std::string(sqlite3_errmsg(m_db));
    }

private:
    void check(int rc)
    {
        if (rc != SQLITE_OK)
            throw BuildError(std::string("cannot hold a value: ") + sqlite3_errmsg(m_db));
    }

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
    case ColumnType::Blob:
        return "BLOB";
    }
    return "";
}

void createTable(Connection& db, const TableSchema& table)
{
    std::string sql = "CREATE TABLE " + QuoteIdentifier(table.name) + " (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (i > 0)
            sql += ", ";
        sql += QuoteIdentifier(table.columns[i].name) + " " + typeName(table.columns[i].type);
    }
    db.exec(sql + ")");
}

void createIndexes(Connection& db, const TableSchema& table)
{
    for (const IndexSchema& index : table.indexes) {
        db.exec(std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX "
                + QuoteIdentifier(table.name + "_" + index.column) + " ON " + QuoteIdentifier(table.name) + " ("
                + QuoteIdentifier(index.column) + ")");
    }
}

void insertTable(Connection& db, const Table& table)
{
    createTable(db, table.schema);
    Insert insert(db, table.schema);
    for (const Row& row : table.rows) {
        for (std::size_t c = 0; c < row.values.size(); ++c) {
            const Value& value = row.values[c];
            const int bindIndex = static_cast<int>(c) + 1;
            switch (value.kind) {
            case Value::Kind::Null:
                insert.null(bindIndex);
                break;
            case Value::Kind::Integer:
                insert.integer(bindIndex, value.integer);
                break;
            case Value::Kind::Real:
                insert.real(bindIndex, value.real);
                break;
            case Value::Kind::Text:
                insert.text(bindIndex, value.text);
                break;
            case Value::Kind::Blob:
                insert.blob(bindIndex, value.text);
                break;
            }
        }
        const std::string failure = insert.run();
        if (!failure.empty())
            throw BuildError(table.schema.name + ":" + row.where + ":-: " + failure);
    }
    createIndexes(db, table.schema);
}

void buildInto(const std::string& path, const DataSet& data, const BuildInfo& info)
{
    Connection db(path);
    // A fresh file under a temporary name: a journal would only slow it down.
    db.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN");
    for (const Table& table : data.tables) {
        if (table.schema.name != BuildInfoTable().name)
            insertTable(db, table);
    }
    insertTable(db, Table{BuildInfoTable(),
                          {{"", {Value::ofText(info.BuildDate), Value::ofText(info.AdmissionYear),
                                 Value::ofText(info.InputHash)}}}});
    db.exec("COMMIT");
}

}  // namespace

BuildInfo MakeBuildInfo(const DataSet& data)
{
    std::time_t now = std::time(nullptr);
    // Debian's reproducible builds fix the date through this variable.
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"))
        now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    std::tm utc{};
    gmtime_r(&now, &utc);
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &utc);
    return BuildInfo{date, AdmissionYear(data), data.inputHash};
}

void WriteRuleDatabase(const DataSet& data, const std::string& outputPath, const BuildInfo& info)
{
    const std::string temporary = outputPath + ".tmp";
    std::error_code ec;
    fs::remove(temporary, ec);
    try {
        buildInto(temporary, data, info);
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

}  // namespace ruledbtool
