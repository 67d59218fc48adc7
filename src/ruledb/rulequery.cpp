#include "statement.h"

#include "rulesource.h"

#include <algorithm>
#include <cctype>

namespace tamrik::ruledb {

namespace {

// The text with every `mark` written twice, as SQL quoting wants it.
std::string doubled(std::string_view text, char mark)
{
    std::string out;
    out.reserve(text.size() + 2);
    for (char ch : text) {
        out += ch;
        if (ch == mark)
            out += mark;
    }
    return out;
}

bool onlyBlanksAndSemicolons(const char* text)
{
    for (; text && *text; ++text) {
        if (*text != ';' && !std::isspace(static_cast<unsigned char>(*text)))
            return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> RuleDatabase::forEachRow(const std::string& sql, Params params,
                                                  const std::function<bool(const RowCursor& row)>& each) const
{
    const auto fail = [&](const std::string& why) {
        std::string values;
        int place = 0;
        for (const std::string_view value : params)
            values += " ?" + std::to_string(++place) + " = " + inQuotes(value);
        return DbError("ค้นข้อมูลในแฟ้ม " + inQuotes(m_path) + " ไม่สำเร็จ: " + why + "\nคำสั่ง: " + sql + values);
    };

    StatementGuard guard;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), static_cast<int>(sql.size()), &guard.stmt, &tail) != SQLITE_OK)
        throw fail(sqlite3_errmsg(m_db));
    if (!guard.stmt)
        throw fail("no statement in the query text");
    // One read-only statement and nothing after it: a text put together from
    // outside values can never run a second statement or change the file.
    if (!onlyBlanksAndSemicolons(tail))
        throw fail("more than one statement in the query text");
    if (!sqlite3_stmt_readonly(guard.stmt))
        throw fail("the rule database is only read; this statement would change it");
    if (sqlite3_bind_parameter_count(guard.stmt) != static_cast<int>(params.size()))
        throw fail("the statement takes " + std::to_string(sqlite3_bind_parameter_count(guard.stmt))
                   + " values, not " + std::to_string(params.size()));
    int place = 0;
    for (const std::string_view value : params) {
        if (sqlite3_bind_text(guard.stmt, ++place, value.data(), static_cast<int>(value.size()), SQLITE_STATIC)
            != SQLITE_OK)
            throw fail(sqlite3_errmsg(m_db));
    }

    std::vector<std::string> names;
    const int columns = sqlite3_column_count(guard.stmt);
    for (int c = 0; c < columns; ++c) {
        const char* name = sqlite3_column_name(guard.stmt, c);
        if (!name)
            throw fail(sqlite3_errstr(SQLITE_NOMEM));  // the only way a name is missing
        names.emplace_back(name);
    }
    const RowCursor cursor(m_db, guard.stmt, names);
    int rc;
    while ((rc = sqlite3_step(guard.stmt)) == SQLITE_ROW) {
        try {
            if (!each(cursor))
                return names;
        } catch (const ColumnFault& fault) {
            throw fail(fault.why);
        }
    }
    if (rc != SQLITE_DONE)
        throw fail(sqlite3_errmsg(m_db));
    return names;
}

QueryResult RuleDatabase::query(const std::string& sql, Params params) const
{
    QueryResult result;
    result.m_columns = forEachRow(sql, params, [&](const RowCursor& cursor) {
        std::vector<DbValue> row;
        row.reserve(cursor.columns().size());
        for (std::size_t c = 0; c < cursor.columns().size(); ++c)
            row.push_back(cursor.at(c));
        result.m_rows.push_back(std::move(row));
        return true;
    });
    return result;
}

void RuleDatabase::OpenQuery(const std::string& sql, Params params, QueryResult& slot) const
{
    // Built apart first, so a failing query leaves the slot's old rows alone.
    slot = query(sql, params);
}

const std::vector<std::string>& RuleDatabase::tableColumns(std::string_view table) const
{
    // The file is opened immutable, so its tables are asked for once.
    std::string key(table);
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char ch) { return std::tolower(ch); });
    if (const auto known = m_tableColumns.find(key); known != m_tableColumns.end())
        return known->second;
    const auto fail = [&] {
        return DbError("อ่านรายการตารางของแฟ้ม " + inQuotes(m_path) + " ไม่สำเร็จ (" + sqlite3_errmsg(m_db) + ")");
    };
    // Only real tables: a view could compute rows without end.
    const char* sql = "SELECT p.name FROM sqlite_master AS m, pragma_table_info(m.name) AS p"
                      " WHERE m.type = 'table' AND m.name = ?1 COLLATE NOCASE";
    StatementGuard guard;
    if (sqlite3_prepare_v2(m_db, sql, -1, &guard.stmt, nullptr) != SQLITE_OK)
        throw fail();
    if (sqlite3_bind_text(guard.stmt, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        throw fail();
    std::vector<std::string> columns;
    int rc;
    while ((rc = sqlite3_step(guard.stmt)) == SQLITE_ROW) {
        const auto* column = reinterpret_cast<const char*>(sqlite3_column_text(guard.stmt, 0));
        if (!column && sqlite3_errcode(m_db) == SQLITE_NOMEM)
            throw fail();
        columns.emplace_back(column ? column : "");
    }
    if (rc != SQLITE_DONE)
        throw fail();
    return m_tableColumns.emplace(std::move(key), std::move(columns)).first->second;
}

bool RuleDatabase::hasTable(std::string_view name) const
{
    return !tableColumns(name).empty();
}

bool RuleDatabase::hasColumns(std::string_view table, std::initializer_list<std::string_view> columns) const
{
    const std::vector<std::string>& present = tableColumns(table);
    if (present.empty())
        return false;
    for (std::string_view wanted : columns) {
        if (std::none_of(present.begin(), present.end(),
                         [&](const std::string& name) { return sameColumnName(name, wanted); }))
            return false;
    }
    return true;
}

std::string quoteIdentifier(std::string_view name)
{
    return "\"" + doubled(name, '"') + "\"";
}

}  // namespace tamrik::ruledb
