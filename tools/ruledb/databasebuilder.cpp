#include "databasebuilder.h"

#include "atomicfile.h"
#include "contentcheck.h"
#include "ruledatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string_view>

namespace ruledbtool {

using tamrik::ruledb::BuildInfo;
using tamrik::ruledb::QuoteIdentifier;

namespace {

// A database in memory: it reaches the disk whole, through AtomicFileWriter.
class Connection {
public:
    Connection()
    {
        if (sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
            throw BuildError(std::string("cannot create a database in memory: ") + sqlite3_errmsg(m_db));
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

void insertRows(Connection& db, const Table& table)
{
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
}

void insertTable(Connection& db, const Table& table)
{
    createTable(db, table.schema);
    insertRows(db, table);
    createIndexes(db, table.schema);
}

using Image = std::unique_ptr<unsigned char, void (*)(void*)>;

Image serialized(Connection& db, sqlite3_int64& size, const std::string& outputPath)
{
    Image image(sqlite3_serialize(db.handle(), "main", &size, 0), sqlite3_free);
    if (!image)
        throw BuildError(outputPath + ": cannot hold the new database in memory");
    return image;
}

void buildInto(Connection& db, const DataSet& data, BuildInfo info, const std::string& outputPath)
{
    // Nothing to roll back to in a fresh database: a failure throws it away whole.
    db.exec("PRAGMA journal_mode=OFF; BEGIN");
    for (const Table& table : data.tables) {
        if (table.schema.name != BuildInfoTable().name)
            insertTable(db, table);
    }
    createTable(db, BuildInfoTable());  // so that even a data set of no table is a database
    db.exec("COMMIT");
    // The digest as the program will compute it: through its own reading of
    // the tables just built.
    sqlite3_int64 size = 0;
    const Image image = serialized(db, size, outputPath);
    const auto built = tamrik::ruledb::RuleDatabase::fromImage(
        std::string_view(reinterpret_cast<const char*>(image.get()), static_cast<std::size_t>(size)), outputPath);
    info.ContentHash = tamrik::ruledb::ContentDigest(*built, info);
    db.exec("BEGIN");
    insertRows(db, Table{BuildInfoTable(),
                          {{"", {Value::ofText(info.BuildDate), Value::ofText(info.AdmissionYear),
                                 Value::ofText(info.InputHash), Value::ofText(info.Sample ? "1" : "0"),
                                 Value::ofText(info.ContentHash)}}}});
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
#ifdef _WIN32
    gmtime_s(&utc, &now);  // time_t is 64 bits there too
#else
    gmtime_r(&now, &utc);
#endif
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &utc);
    return BuildInfo{date, AdmissionYear(data), data.inputHash, data.sample, {}};
}

void CheckOutputFile(const std::string& outputPath)
{
    const tamrik::OutputFile output = tamrik::PrepareOutputFile(outputPath);
    if (!output.problem.empty())
        throw BuildError(outputPath + ": cannot write the database there: " + output.problem);
}

void WriteRuleDatabase(const DataSet& data, const std::string& outputPath, const BuildInfo& info)
{
    Connection db;
    buildInto(db, data, info, outputPath);
    sqlite3_int64 size = 0;
    const Image image = serialized(db, size, outputPath);
    // A file of its own beside the output, on the disk before it takes the
    // output's name: a power cut leaves the old database or the new one.
    tamrik::AtomicFileWriter writer(outputPath);
    constexpr sqlite3_int64 kChunk = 1 << 16;
    for (sqlite3_int64 at = 0; at < size && writer.ok(); at += kChunk)
        writer.write(std::string_view(reinterpret_cast<const char*>(image.get()) + at,
                                      static_cast<std::size_t>(std::min(kChunk, size - at))));
    if (!writer.commit(tamrik::Flush::ToDisk))
        throw BuildError(outputPath + ": cannot write the new database beside it and put it in place: "
                         + writer.error());
}

}  // namespace ruledbtool
