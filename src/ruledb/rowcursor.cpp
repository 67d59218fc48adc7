#include "statement.h"

#include "numtext.h"
#include "rulesource.h"

#include <algorithm>

namespace tamrik::ruledb {

namespace {

void checkSize(sqlite3_stmt* stmt, int col, std::size_t size)
{
    if (size > RuleDatabase::MaxTextBytes) {
        const char* name = sqlite3_column_name(stmt, col);
        throw ColumnFault{"ค่าในคอลัมน์ " + inQuotes(name ? name : "?") + " ยาวเกิน "
                          + std::to_string(RuleDatabase::MaxTextBytes) + " ไบต์ (a damaged value of "
                          + std::to_string(size) + " bytes)"};
    }
}

}  // namespace

std::string_view readText(sqlite3* db, sqlite3_stmt* stmt, int col)
{
    // As text: SQLite converts a UTF-16 database's text to UTF-8.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
    // A null pointer is an empty value, or memory ran out on the way.
    if (!text && sqlite3_errcode(db) == SQLITE_NOMEM)
        throw ColumnFault{sqlite3_errstr(SQLITE_NOMEM)};
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, col));
    checkSize(stmt, col, size);
    return text ? std::string_view(text, size) : std::string_view();
}

DbValue readColumn(sqlite3* db, sqlite3_stmt* stmt, int col)
{
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return DbValue::number(sqlite3_column_double(stmt, col));
    case SQLITE_NULL:
        return DbValue();
    default:
        return DbValue::text(std::string(readText(db, stmt, col)));
    }
}

bool RowCursor::hasColumn(std::string_view column) const
{
    return std::any_of(m_columns->begin(), m_columns->end(),
                       [&](const std::string& name) { return sameColumnName(name, column); });
}

DbValue RowCursor::field(std::string_view column) const
{
    const auto found = std::find_if(m_columns->begin(), m_columns->end(),
                                    [&](const std::string& name) { return sameColumnName(name, column); });
    if (found == m_columns->end())
        throw DbError("ผลการค้นไม่มีคอลัมน์ " + inQuotes(column));
    return at(static_cast<std::size_t>(found - m_columns->begin()));
}

DbValue RowCursor::at(std::size_t index) const
{
    if (index >= m_columns->size())
        throw DbError("ไม่พบแถวหรือคอลัมน์ที่ขออ่าน (no such row or column)");
    return readColumn(m_db, m_stmt, static_cast<int>(index));
}

DbValue::Kind RowCursor::kind(std::size_t index) const
{
    if (index >= m_columns->size())
        throw DbError("ไม่พบแถวหรือคอลัมน์ที่ขออ่าน (no such row or column)");
    switch (sqlite3_column_type(m_stmt, static_cast<int>(index))) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return DbValue::Kind::Number;
    case SQLITE_NULL:
        return DbValue::Kind::Null;
    default:
        return DbValue::Kind::Text;
    }
}

std::string_view RowCursor::textAt(std::size_t index) const
{
    if (kind(index) != DbValue::Kind::Text)
        throw DbError("ค่าที่ขออ่านไม่ใช่ข้อความ (not a text value)");
    return readText(m_db, m_stmt, static_cast<int>(index));
}

std::optional<std::string> RowCursor::textOrNull(std::size_t index) const
{
    switch (kind(index)) {
    case DbValue::Kind::Null:
        return std::nullopt;
    case DbValue::Kind::Number:
        return numberText(sqlite3_column_double(m_stmt, static_cast<int>(index)));
    case DbValue::Kind::Text:
        break;
    }
    return std::string(readText(m_db, m_stmt, static_cast<int>(index)));
}

std::optional<std::string_view> RowCursor::textView(std::size_t index, std::string& number) const
{
    if (index >= m_columns->size())
        throw DbError("ไม่พบแถวหรือคอลัมน์ที่ขออ่าน (no such row or column)");
    const int col = static_cast<int>(index);
    switch (sqlite3_column_type(m_stmt, col)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
        assignNumberText(number, sqlite3_column_int64(m_stmt, col));
        return std::string_view(number);
    case SQLITE_FLOAT:
        number = numberText(sqlite3_column_double(m_stmt, col));
        return std::string_view(number);
    default:
        return readText(m_db, m_stmt, col);
    }
}

StoredValue RowCursor::stored(std::size_t index) const
{
    if (index >= m_columns->size())
        throw DbError("ไม่พบแถวหรือคอลัมน์ที่ขออ่าน (no such row or column)");
    const int col = static_cast<int>(index);
    switch (sqlite3_column_type(m_stmt, col)) {
    case SQLITE_INTEGER:
        return StoredValue::ofInteger(sqlite3_column_int64(m_stmt, col));
    case SQLITE_FLOAT:
        return StoredValue::ofReal(sqlite3_column_double(m_stmt, col));
    case SQLITE_NULL:
        return {};
    case SQLITE_BLOB: {
        const void* bytes = sqlite3_column_blob(m_stmt, col);
        const auto size = static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, col));
        if (!bytes && sqlite3_errcode(m_db) == SQLITE_NOMEM)
            throw ColumnFault{sqlite3_errstr(SQLITE_NOMEM)};
        return StoredValue::ofBlob(bytes ? std::string(static_cast<const char*>(bytes), size) : std::string());
    }
    default:
        return StoredValue::ofText(std::string(readText(m_db, m_stmt, col)));
    }
}

}  // namespace tamrik::ruledb
