#include "ruledatabase.h"

#include "numtext.h"

#include <sqlite3.h>

#include <cctype>
#include <filesystem>
#include <system_error>

namespace tamrik::ruledb {

namespace {

bool sameNameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string inQuotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

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

// Finalizes the statement on every way out of a query.
struct StatementGuard {
    sqlite3_stmt* stmt = nullptr;
    ~StatementGuard() { sqlite3_finalize(stmt); }
};

DbValue readColumn(sqlite3_stmt* stmt, int col)
{
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return DbValue::number(sqlite3_column_double(stmt, col));
    case SQLITE_NULL:
        return DbValue();
    default: {
        // Text, or a blob read as its bytes.
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, col));
        const int size = sqlite3_column_bytes(stmt, col);
        return DbValue::text(bytes ? std::string(bytes, static_cast<std::size_t>(size)) : std::string());
    }
    }
}

}  // namespace

// ---------------------------------------------------------------- DbValue

DbValue DbValue::text(std::string s)
{
    DbValue v;
    v.m_kind = Kind::Text;
    v.m_text = std::move(s);
    return v;
}

DbValue DbValue::number(double d)
{
    DbValue v;
    v.m_kind = Kind::Number;
    v.m_number = d;
    return v;
}

std::string DbValue::toText() const
{
    switch (m_kind) {
    case Kind::Text:
        return m_text;
    case Kind::Number:
        return NumberText(m_number);
    case Kind::Null:
        break;
    }
    throw DbError("ค่าในฐานข้อมูลว่าง (Null) จึงอ่านเป็นข้อความไม่ได้");
}

double DbValue::toNumber() const
{
    switch (m_kind) {
    case Kind::Text:
        return Val(m_text);
    case Kind::Number:
        return m_number;
    case Kind::Null:
        break;
    }
    throw DbError("ค่าในฐานข้อมูลว่าง (Null) จึงอ่านเป็นตัวเลขไม่ได้");
}

bool DbValue::equals(std::string_view text) const
{
    return !isNull() && toText() == text;
}

// ---------------------------------------------------------------- QueryResult

bool QueryResult::EOF_() const
{
    return m_pos >= m_rows.size();
}

void QueryResult::MoveNext()
{
    if (EOF_())
        throw DbError("ไม่มีแถวปัจจุบัน: เลื่อนเลยแถวสุดท้ายของผลการค้นไปแล้ว");
    ++m_pos;
}

void QueryResult::MoveFirst()
{
    m_pos = 0;
}

bool QueryResult::hasColumn(std::string_view column) const
{
    for (const auto& name : m_columns) {
        if (sameNameNoCase(name, column))
            return true;
    }
    return false;
}

DbValue QueryResult::field(std::string_view column) const
{
    std::size_t index = 0;
    while (index < m_columns.size() && !sameNameNoCase(m_columns[index], column))
        ++index;
    if (index == m_columns.size())
        throw DbError("ผลการค้นไม่มีคอลัมน์ " + inQuotes(column));
    if (EOF_())
        throw DbError("ไม่พบแถวข้อมูลสำหรับอ่านคอลัมน์ " + inQuotes(column));
    return m_rows[m_pos][index];
}

const DbValue& QueryResult::at(std::size_t index) const
{
    if (EOF_() || index >= m_columns.size())
        throw DbError("ไม่พบแถวหรือคอลัมน์ที่ขออ่าน (no such row or column)");
    return m_rows[m_pos][index];
}

// ---------------------------------------------------------------- RuleDatabase

RuleDatabase::RuleDatabase(const std::string& path) : m_path(path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(fs::path(path), ec);
    if (!fs::exists(status))
        throw DbError("ไม่พบแฟ้มฐานข้อมูล " + inQuotes(path) + " (the file does not exist)");
    if (fs::is_directory(status))
        throw DbError(inQuotes(path) + " เป็นโฟลเดอร์ ไม่ใช่แฟ้มฐานข้อมูล (a folder, not a database file)");

    const int rc = sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        const std::string detail = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw DbError("เปิดแฟ้มฐานข้อมูล " + inQuotes(path) + " ไม่ได้ (cannot read the file: " + detail + ")");
    }

    // SQLite only reads the header at the first statement: check it now, so
    // that a wrong file is reported at start-up and not at the first query.
    sqlite3_stmt* stmt = nullptr;
    int check = sqlite3_prepare_v2(m_db, "SELECT count(*) FROM sqlite_master", -1, &stmt, nullptr);
    int tables = 0;
    if (check == SQLITE_OK) {
        check = sqlite3_step(stmt);
        if (check == SQLITE_ROW)
            tables = sqlite3_column_int(stmt, 0);
    }
    const std::string detail = sqlite3_errmsg(m_db);
    sqlite3_finalize(stmt);
    if (check != SQLITE_ROW) {
        const int code = sqlite3_errcode(m_db) & 0xff;
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        if (code == SQLITE_NOTADB)
            throw DbError("แฟ้ม " + inQuotes(path) + " ไม่ใช่ฐานข้อมูล (not a database)");
        throw DbError("อ่านแฟ้มฐานข้อมูล " + inQuotes(path) + " ไม่ได้ (cannot read the file: " + detail + ")");
    }
    // An empty file opens as an empty database; without a table it cannot be
    // the rule database, and saying so now beats a missing-table error later.
    if (tables == 0) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw DbError("แฟ้มฐานข้อมูล " + inQuotes(path) + " ไม่มีตารางข้อมูล (the database holds no tables)");
    }
}

RuleDatabase::~RuleDatabase()
{
    sqlite3_close_v2(m_db);
}

QueryResult RuleDatabase::query(const std::string& sql) const
{
    const auto fail = [&](const std::string& why) {
        return DbError("ค้นข้อมูลในแฟ้ม " + inQuotes(m_path) + " ไม่สำเร็จ: " + why + "\nคำสั่ง: " + sql);
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

    QueryResult result;
    const int columns = sqlite3_column_count(guard.stmt);
    for (int c = 0; c < columns; ++c) {
        const char* name = sqlite3_column_name(guard.stmt, c);
        result.m_columns.emplace_back(name ? name : "");
    }
    int rc;
    while ((rc = sqlite3_step(guard.stmt)) == SQLITE_ROW) {
        std::vector<DbValue> row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(readColumn(guard.stmt, c));
        result.m_rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        throw fail(sqlite3_errmsg(m_db));
    return result;
}

void RuleDatabase::OpenQuery(const std::string& sql, QueryResult& slot) const
{
    // Built apart first, so a failing query leaves the slot's old rows alone.
    slot = query(sql);
}

bool RuleDatabase::hasTable(std::string_view name) const
{
    StatementGuard guard;
    const char* sql = "SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = ?1 COLLATE NOCASE";
    if (sqlite3_prepare_v2(m_db, sql, -1, &guard.stmt, nullptr) != SQLITE_OK)
        return false;
    sqlite3_bind_text(guard.stmt, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    return sqlite3_step(guard.stmt) == SQLITE_ROW;
}

// ---------------------------------------------------------------- quoting

std::string QuoteText(std::string_view value)
{
    return doubled(value, '\'');
}

std::string QuoteIdentifier(std::string_view name)
{
    return "\"" + doubled(name, '"') + "\"";
}

}  // namespace tamrik::ruledb
