#include "statement.h"

#include "numtext.h"
#include "rulesource.h"

namespace tamrik::ruledb {

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
        return numberText(m_number);
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
        if (sameColumnName(name, column))
            return true;
    }
    return false;
}

DbValue QueryResult::field(std::string_view column) const
{
    std::size_t index = 0;
    while (index < m_columns.size() && !sameColumnName(m_columns[index], column))
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

}  // namespace tamrik::ruledb
