#include "ruletables.h"

#include "numtext.h"

#include <algorithm>
#include <cctype>

namespace tamrik::ruledb {

namespace {

bool isPlainName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char ch) {
        return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
    });
}

// A stored number, or a text that is a number as a whole; nothing else.
std::optional<double> numberOf(const DbValue& value)
{
    switch (value.kind()) {
    case DbValue::Kind::Number:
        return value.toNumber();
    case DbValue::Kind::Text:
        return WholeNumber(value.toText());
    case DbValue::Kind::Null:
        break;
    }
    return std::nullopt;
}

std::optional<double> numberField(const QueryResult& rows, std::string_view column)
{
    if (rows.EOF_() || !rows.hasColumn(column))
        return std::nullopt;
    return numberOf(rows.field(column));
}

}  // namespace

std::string DatabaseRuleSource::queryText(std::string_view table, std::string_view keyColumn, std::string_view key)
{
    if (!isPlainName(table) || !isPlainName(keyColumn))
        throw DbError("ชื่อตารางหรือคอลัมน์ไม่ถูกต้อง (not a plain name): " + std::string(table) + "."
                      + std::string(keyColumn));
    const std::string name(table);
    // Facsubj is read through its column list: the rule needs only these.
    const std::string columns = name == "Facsubj" ? "Numsubj,sub1,sub2,sub3,sub4,sub5,sub6,sub7,sub8" : "*";
    return "SELECT " + columns + " FROM " + name + " WHERE " + name + "." + std::string(keyColumn) + "='"
           + QuoteText(key) + "';";
}

std::optional<tamrik::RuleRow> DatabaseRuleSource::firstRow(std::string_view table, std::string_view keyColumn,
                                                            std::string_view key)
{
    const QueryResult rows = m_db.query(queryText(table, keyColumn, key));
    if (rows.EOF_())
        return std::nullopt;
    tamrik::RuleRow row;
    for (const std::string& column : rows.columns()) {
        const DbValue value = rows.field(column);
        row.set(column, value.isNull() ? std::nullopt : std::optional<std::string>(value.toText()));
    }
    return row;
}

std::optional<double> LookupProb(const RuleDatabase& db, const std::string& key)
{
    try {
        return numberField(db.query("SELECT Prob FROM Zi2Prob WHERE Zi2Prob.Zi='" + QuoteText(key) + "';"), "Prob");
    } catch (const DbError&) {
        return std::nullopt;
    }
}

std::optional<LastYearRange> LookupLastYearRange(const RuleDatabase& db, const std::string& tableName,
                                                 const std::string& facCode)
{
    const std::string table = QuoteIdentifier(tableName);
    try {
        const QueryResult rows =
            db.query("SELECT * FROM " + table + " WHERE " + table + ".FacCode='" + QuoteText(facCode) + "';");
        const auto max = numberField(rows, "ScMax");
        const auto min = numberField(rows, "ScMin");
        if (!max || !min)
            return std::nullopt;
        return LastYearRange{*max, *min};
    } catch (const DbError&) {
        return std::nullopt;
    }
}

}  // namespace tamrik::ruledb
