#include "ruledbwriter.h"

#include "ruledatabase.h"

#include <sqlite3.h>

#include <memory>

namespace tamrik::ruledb {

RuleDbWriter::RuleDbWriter()
{
    if (sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const std::string why = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close_v2(m_db);
        throw DbError("cannot create a database in memory: " + why);
    }
    exec("PRAGMA journal_mode=OFF");
}

RuleDbWriter::~RuleDbWriter()
{
    sqlite3_finalize(m_insert);
    sqlite3_close_v2(m_db);
}

void RuleDbWriter::exec(const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string why = message ? message : sqlite3_errmsg(m_db);
        sqlite3_free(message);
        throw DbError(why + "\n  in: " + sql);
    }
}

void RuleDbWriter::begin() { exec("BEGIN"); }
void RuleDbWriter::commit() { exec("COMMIT"); }

void RuleDbWriter::createTable(const TableSchema& table)
{
    std::string sql = "CREATE TABLE " + quoteIdentifier(table.name) + " (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (i > 0)
            sql += ", ";
        sql += quoteIdentifier(table.columns[i].name) + " " + declaredType(table.columns[i].type);
    }
    exec(sql + ")");
}

void RuleDbWriter::createIndexes(const TableSchema& table)
{
    for (const IndexSchema& index : table.indexes) {
        exec(std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX "
             + quoteIdentifier(table.name + "_" + index.column) + " ON " + quoteIdentifier(table.name) + " ("
             + quoteIdentifier(index.column) + ")");
    }
}

std::string RuleDbWriter::insert(const TableSchema& table, const std::vector<StoredValue>& values)
{
    if (!m_insert || m_insertTable != table.name) {
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
        std::string sql = "INSERT INTO " + quoteIdentifier(table.name) + " VALUES (";
        for (std::size_t i = 0; i < table.columns.size(); ++i)
            sql += i == 0 ? "?" : ",?";
        if (sqlite3_prepare_v2(m_db, (sql + ")").c_str(), -1, &m_insert, nullptr) != SQLITE_OK)
            throw DbError(sqlite3_errmsg(m_db));
        m_insertTable = table.name;
    }
    const auto check = [this](int rc) {
        if (rc != SQLITE_OK)
            throw DbError(std::string("cannot hold a value: ") + sqlite3_errmsg(m_db));
    };
    for (std::size_t c = 0; c < values.size(); ++c) {
        const StoredValue& value = values[c];
        const int place = static_cast<int>(c) + 1;
        switch (value.kind) {
        case StoredValue::Kind::Null:
            check(sqlite3_bind_null(m_insert, place));
            break;
        case StoredValue::Kind::Integer:
            check(sqlite3_bind_int64(m_insert, place, value.integer));
            break;
        case StoredValue::Kind::Real:
            check(sqlite3_bind_double(m_insert, place, value.real));
            break;
        case StoredValue::Kind::Text:
            check(sqlite3_bind_text(m_insert, place, value.text.data(), static_cast<int>(value.text.size()),
                                    SQLITE_TRANSIENT));
            break;
        case StoredValue::Kind::Blob:
            check(sqlite3_bind_blob(m_insert, place, value.text.data(), static_cast<int>(value.text.size()),
                                    SQLITE_TRANSIENT));
            break;
        }
    }
    const int rc = sqlite3_step(m_insert);
    sqlite3_reset(m_insert);
    sqlite3_clear_bindings(m_insert);
    return rc == SQLITE_DONE ? std::string() : std::string(sqlite3_errmsg(m_db));
}

std::string RuleDbWriter::image() const
{
    sqlite3_int64 size = 0;
    const std::unique_ptr<unsigned char, void (*)(void*)> bytes(sqlite3_serialize(m_db, "main", &size, 0),
                                                                 sqlite3_free);
    if (!bytes)
        throw DbError("cannot hold the new database in memory");
    return std::string(reinterpret_cast<const char*>(bytes.get()), static_cast<std::size_t>(size));
}

}  // namespace tamrik::ruledb
