#include "ruletables.h"

#include "contentcheck.h"
#include "numtext.h"
#include "rulenames.h"
#include "ruleschema.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tamrik::ruledb {

namespace {

bool isPlainName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char ch) {
        return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
    });
}

std::optional<double> numberField(const QueryResult& rows, std::string_view column)
{
    if (rows.EOF_() || !rows.hasColumn(column))
        return std::nullopt;
    return storedNumber(rows.field(column));
}

}  // namespace

std::optional<double> storedNumber(const DbValue& value)
{
    switch (value.kind()) {
    case DbValue::Kind::Number:
        return value.toNumber();
    case DbValue::Kind::Text:
        return wholeNumber(value.toText());
    case DbValue::Kind::Null:
        break;
    }
    return std::nullopt;
}

std::string DatabaseRuleSource::queryText(std::string_view table, std::string_view keyColumn)
{
    if (!isPlainName(table) || !isPlainName(keyColumn))
        throw DbError("ชื่อตารางหรือคอลัมน์ไม่ถูกต้อง (not a plain name): " + std::string(table) + "."
                      + std::string(keyColumn));
    const std::string name(table);
    return "SELECT " + selectedColumns(name, false) + " FROM " + name + " WHERE " + name + "." + std::string(keyColumn)
           + "=?1 LIMIT 1;";
}

std::string selectedColumns(std::string_view table, bool withKey)
{
    if (table != kFacsubj)
        return "*";
    const TableSchema& schema = ruleTable(table);
    std::string list;
    for (const ColumnSchema& column : schema.columns) {
        if (withKey || column.name != schema.key())
            list += (list.empty() ? "" : ",") + column.name;
    }
    return list;
}

std::optional<tamrik::RuleRow> DatabaseRuleSource::firstRow(std::string_view table, std::string_view keyColumn,
                                                            std::string_view key)
{
    const QueryResult rows = m_db.query(queryText(table, keyColumn), {key});
    if (rows.EOF_())
        return std::nullopt;
    tamrik::RuleRow::Values values;
    for (const std::string& column : rows.columns()) {
        const DbValue value = rows.field(column);
        values.push_back(value.isNull() ? std::nullopt : std::optional<std::string>(value.toText()));
    }
    return tamrik::RuleRow(rows.columns(), std::move(values));
}

std::optional<double> lookupProb(const RuleDatabase& db, const std::string& key)
{
    // Without the table there is no row to find, as for a key beyond its end.
    if (!db.hasColumns(kZi2Prob, {kZi, kProb}))
        return std::nullopt;
    return numberField(db.query("SELECT Prob FROM Zi2Prob WHERE Zi2Prob.Zi=?1 LIMIT 1;", {key}), kProb);
}

std::optional<LastYearRange> lookupLastYearRange(const RuleDatabase& db, const std::string& tableName,
                                                 const std::string& facCode)
{
    if (!db.hasColumns(tableName, {kFacCode}))
        return std::nullopt;
    const std::string table = quoteIdentifier(tableName);
    const QueryResult rows = db.query("SELECT * FROM " + table + " WHERE " + table + ".FacCode=?1 LIMIT 1;", {facCode});
    const auto max = numberField(rows, kScMax);
    const auto min = numberField(rows, kScMin);
    if (!max || !min)
        return std::nullopt;
    return LastYearRange{*max, *min};
}

namespace {

void requireTables(const RuleDatabase& db)
{
    // The range table is not among them: without it a faculty has no range
    // to compare with, and says so. Without Zi2Prob every GPA share would be 0.
    const std::string file = "\"" + db.path() + "\"";
    for (const TableSchema& table : ruleTables()) {
        if (!db.hasTable(table.name))
            throw DbError("ไม่พบตาราง " + table.name + " ในฐานข้อมูล " + file + " (no such table; a view does not count)");
        for (const ColumnSchema& column : table.columns) {
            if (column.required && !db.hasColumns(table.name, {column.name}))
                throw DbError("ตาราง " + table.name + " ในฐานข้อมูล " + file + " ไม่มีคอลัมน์ " + column.name);
        }
    }
    for (const char* table : {kSUName, kZi2Prob}) {
        if (db.query("SELECT 1 FROM " + std::string(table) + " LIMIT 1;").EOF_())
            throw DbError("ตาราง " + std::string(table) + " ในฐานข้อมูล " + file + " ไม่มีข้อมูลเลย (no row: "
                          + (table == std::string(kSUName) ? "no faculty to choose" : "no GPA share") + ")");
    }
}

}  // namespace

void requireRuleTables(const RuleDatabase& db)
{
    requireTables(db);
    requireNoViews(db);
    // A build records its digest only when every value is usable: content
    // that still matches it needs no second look at the values.
    if (!requireRecordedContent(db))
        requireUsableValues(db);
}

}  // namespace tamrik::ruledb
