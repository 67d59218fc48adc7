#include "ruletables.h"

#include "contentcheck.h"
#include "numtext.h"

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
    return StoredNumber(rows.field(column));
}

}  // namespace

std::optional<double> StoredNumber(const DbValue& value)
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

std::string DatabaseRuleSource::queryText(std::string_view table, std::string_view keyColumn, std::string_view key)
{
    if (!isPlainName(table) || !isPlainName(keyColumn))
        throw DbError("ชื่อตารางหรือคอลัมน์ไม่ถูกต้อง (not a plain name): " + std::string(table) + "."
                      + std::string(keyColumn));
    const std::string name(table);
    const std::string columns = name == "Facsubj" ? std::string(kFacsubjColumns) : "*";
    return "SELECT " + columns + " FROM " + name + " WHERE " + name + "." + std::string(keyColumn) + "='"
           + QuoteText(key) + "' LIMIT 1;";
}

std::optional<tamrik::RuleRow> DatabaseRuleSource::firstRow(std::string_view table, std::string_view keyColumn,
                                                            std::string_view key)
{
    const QueryResult rows = m_db.query(queryText(table, keyColumn, key));
    if (rows.EOF_())
        return std::nullopt;
    tamrik::RuleRow::Values values;
    for (const std::string& column : rows.columns()) {
        const DbValue value = rows.field(column);
        values.push_back(value.isNull() ? std::nullopt : std::optional<std::string>(value.toText()));
    }
    return tamrik::RuleRow(rows.columns(), std::move(values));
}

std::optional<double> LookupProb(const RuleDatabase& db, const std::string& key)
{
    // Without the table there is no row to find, as for a key beyond its end.
    if (!db.hasColumns("Zi2Prob", {"Zi", "Prob"}))
        return std::nullopt;
    return numberField(db.query("SELECT Prob FROM Zi2Prob WHERE Zi2Prob.Zi='" + QuoteText(key) + "' LIMIT 1;"),
                       "Prob");
}

std::optional<LastYearRange> LookupLastYearRange(const RuleDatabase& db, const std::string& tableName,
                                                 const std::string& facCode)
{
    if (!db.hasColumns(tableName, {"FacCode"}))
        return std::nullopt;
    const std::string table = QuoteIdentifier(tableName);
    const QueryResult rows =
        db.query("SELECT * FROM " + table + " WHERE " + table + ".FacCode='" + QuoteText(facCode) + "' LIMIT 1;");
    const auto max = numberField(rows, "ScMax");
    const auto min = numberField(rows, "ScMin");
    if (!max || !min)
        return std::nullopt;
    return LastYearRange{*max, *min};
}

namespace {

void requireTables(const RuleDatabase& db)
{
    struct Required {
        const char* table;
        std::vector<const char*> columns;
    };
    // The range table is left out: without it a faculty has no range to
    // compare with, and says so. Without Zi2Prob every GPA share would be 0.
    static const Required required[] = {
        {"SUName", {"UName", "FacName", "FacCode"}},
        {"Table12", {"FacCode", "NumSub"}},
        {"Facsubj", {"FacCode", "NumSubj", "Sub1", "Sub2", "Sub3", "Sub4", "Sub5", "Sub6", "Sub7", "Sub8"}},
        {"SubjectTable", {"SubCod", "SubTyp", "SubName"}},
        {"tableCRT", {"FacCode", "NumSub"}},
        {"tableSUM", {"FacCode", "NumSub", "TotSco"}},
        {"tb6174", {"FacCode", "SubCod"}},
        {"Zi2Prob", {"Zi", "Prob"}},
    };
    const std::string file = "\"" + db.path() + "\"";
    for (const Required& r : required) {
        if (!db.hasTable(r.table))
            throw DbError("ไม่พบตาราง " + std::string(r.table) + " ในฐานข้อมูล " + file
                          + " (no such table; a view does not count)");
        for (const char* column : r.columns) {
            if (!db.hasColumns(r.table, {column}))
                throw DbError("ตาราง " + std::string(r.table) + " ในฐานข้อมูล " + file + " ไม่มีคอลัมน์ " + column);
        }
    }
    for (const char* table : {"SUName", "Zi2Prob"}) {
        if (db.query("SELECT 1 FROM " + std::string(table) + " LIMIT 1;").EOF_())
            throw DbError("ตาราง " + std::string(table) + " ในฐานข้อมูล " + file + " ไม่มีข้อมูลเลย (no row: "
                          + (table == std::string("SUName") ? "no faculty to choose" : "no GPA share") + ")");
    }
}

}  // namespace

void RequireRuleTables(const RuleDatabase& db)
{
    requireTables(db);
    RequireNoViews(db);
    RequireUsableContent(db);
}

}  // namespace tamrik::ruledb
