#include "wholetables.h"

#include "yeartext.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <mutex>
#include <regex>
#include <unordered_set>

namespace tamrik {

using ruledb::DbError;
using ruledb::RowCursor;
using ruledb::RuleDatabase;

namespace {

// The rule tables' whole reads; Facsubj through the same column list its
// faculty-by-faculty read uses, with the key in front.
struct TableRead {
    const char* table;
    const char* keyColumn;
    std::string query;
};
const TableRead RuleTableReads[] = {
    {"tableSUM", "FacCode", "SELECT * FROM tableSUM;"},
    {"tableCRT", "FacCode", "SELECT * FROM tableCRT;"},
    {"Facsubj", "FacCode", "SELECT FacCode," + std::string(ruledb::kFacsubjColumns) + " FROM Facsubj;"},
    {"Table12", "FacCode", "SELECT * FROM Table12;"},
    {"SubjectTable", "SubCod", "SELECT * FROM SubjectTable;"},
    {"tb6174", "FacCode", "SELECT * FROM tb6174;"},
};

// The place of `column` among `columns` (the first one, in any case), or
// nothing when it is missing.
std::optional<std::size_t> placeOf(const std::vector<std::string>& columns, std::string_view column)
{
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (SameColumnName(columns[c], column))
            return c;
    }
    return std::nullopt;
}

// Streams the query and calls `first(key, row)` for the first row of each
// key, in stored order, into `rows`. False when the key column or the column
// `alsoNeeded` is missing, or a key is not stored as text.
template <typename Value, typename First>
bool readFirstRows(const RuleDatabase& db, const std::string& sql, std::string_view keyColumn,
                   std::unordered_map<std::string, Value>& rows, First first, std::string_view alsoNeeded = {})
{
    const auto usable = [&](const std::vector<std::string>& columns) {
        return placeOf(columns, keyColumn) && (alsoNeeded.empty() || placeOf(columns, alsoNeeded));
    };
    std::optional<std::size_t> key;
    bool byText = true;
    const std::vector<std::string> columns = db.ForEachRow(sql, [&](const RowCursor& row) {
        if (!key) {
            if (!usable(row.columns()))
                return false;
            key = placeOf(row.columns(), keyColumn);
        }
        if (row.kind(*key) != ruledb::DbValue::Kind::Text) {
            byText = false;
            return false;
        }
        const auto [at, added] = rows.try_emplace(std::string(row.textAt(*key)));
        if (added)
            at->second = first(row);
        return true;
    });
    return byText && usable(columns);
}

}  // namespace

WholeRuleTables::WholeRuleTables(const RuleDatabase& db) : m_fallback(db)
{
    for (const TableRead& read : RuleTableReads) {
        Table table{read.table, read.keyColumn, {}};
        std::shared_ptr<const RuleRow::Columns> names;
        std::string number;
        try {
            const bool whole = readFirstRows(db, read.query, read.keyColumn, table.rows, [&](const RowCursor& r) {
                if (!names) {
                    auto columns = std::make_shared<RuleRow::Columns>();
                    for (std::size_t c = 0; c < r.columns().size(); ++c)
                        columns->set(r.columns()[c], c);  // a name given twice: the last one, as set() keeps it
                    names = columns;
                }
                RuleRow::Values values;
                values.reserve(r.columns().size());
                for (std::size_t c = 0; c < r.columns().size(); ++c) {
                    const auto text = r.textView(c, number);
                    values.push_back(text ? std::optional<std::string>(*text) : std::nullopt);
                }
                return RuleRow(names, std::move(values));
            });
            if (whole)
                m_tables.push_back(std::move(table));
        } catch (const DbError&) {
            // Asked faculty by faculty: each load then fails with its own message.
        }
    }
}

std::optional<RuleRow> WholeRuleTables::firstRow(std::string_view table, std::string_view keyColumn,
                                                 std::string_view key)
{
    const auto t = std::find_if(m_tables.begin(), m_tables.end(),
                                [&](const Table& read) { return read.name == table && read.keyColumn == keyColumn; });
    if (t == m_tables.end())
        return m_fallback.firstRow(table, keyColumn, key);
    const auto row = t->rows.find(std::string(key));
    if (row == t->rows.end())
        return std::nullopt;
    return row->second;
}

RangeTables::RangeTables(const RuleDatabase& db, const std::string& lastYearTable) : m_db(db)
{
    std::vector<std::string> names = RangeTableNames(db);
    m_years = names.size();
    m_last = static_cast<std::size_t>(std::find(names.begin(), names.end(), lastYearTable) - names.begin());
    if (m_last == m_years)
        names.push_back(lastYearTable);
    for (std::string& name : names) {
        Table table;
        table.year = YearText(name);
        table.name = std::move(name);
        const auto range = [&](const RowCursor& r) -> std::optional<YearRange> {
            if (!r.hasColumn("ScMax") || !r.hasColumn("ScMin"))
                return std::nullopt;
            const auto max = ruledb::StoredNumber(r.field("ScMax"));
            const auto min = ruledb::StoredNumber(r.field("ScMin"));
            if (!max || !min)
                return std::nullopt;
            return YearRange{table.year, *min, *max};
        };
        try {
            table.byKey = readFirstRows(db, "SELECT * FROM " + ruledb::QuoteIdentifier(table.name) + ";", "FacCode",
                                        table.rows, range);
        } catch (const DbError&) {
            table.unreadable = true;
        }
        m_tables.push_back(std::move(table));
    }
}

std::optional<YearRange> RangeTables::rangeOf(const Table& table, const std::string& facCode) const
{
    if (table.unreadable)
        return std::nullopt;
    if (!table.byKey) {
        const auto range = ruledb::LookupLastYearRange(m_db, table.name, facCode);
        return range ? std::optional<YearRange>(YearRange{table.year, range->ScMin, range->ScMax}) : std::nullopt;
    }
    const auto found = table.rows.find(facCode);
    return found == table.rows.end() ? std::nullopt : found->second;
}

std::optional<YearRange> RangeTables::lastYear(const std::string& facCode) const
{
    return rangeOf(m_tables[m_last], facCode);
}

std::vector<YearRange> RangeTables::years(const std::string& facCode) const
{
    std::vector<YearRange> years;
    for (std::size_t y = 0; y < m_years; ++y) {
        if (auto range = rangeOf(m_tables[y], facCode))
            years.push_back(std::move(*range));
    }
    return years;
}

std::vector<FacultyNames> readFacultyNames(const RuleDatabase& db)
{
    std::optional<std::size_t> code, university, name;
    bool first = true;
    std::unordered_set<std::string> seen;
    std::vector<FacultyNames> names;
    db.ForEachRow("SELECT * FROM SUName;", [&](const RowCursor& row) {
        if (first) {
            code = placeOf(row.columns(), "FacCode");
            university = placeOf(row.columns(), "UName");
            name = placeOf(row.columns(), "FacName");
            first = false;
        }
        const auto textOf = [&](const std::optional<std::size_t>& at) {
            return at ? row.textOrNull(*at).value_or(std::string()) : std::string();
        };
        std::string facCode = textOf(code);
        if (seen.insert(facCode).second)
            names.push_back({std::move(facCode), textOf(university), textOf(name)});
        return true;
    });
    return names;
}

std::vector<std::string> RangeTableNames(const RuleDatabase& db)
{
    static const std::regex yearTable("maxminScQor[0-9][0-9]");
    std::vector<std::string> names;
    ruledb::QueryResult rows = db.query("SELECT name FROM sqlite_master WHERE type = 'table';");
    for (; !rows.EOF_(); rows.MoveNext()) {
        const std::string name = rows.field("name").toText();
        if (std::regex_match(name, yearTable))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

ProbLookup LoadProbTable(const RuleDatabase& db)
{
    auto table = std::make_shared<std::unordered_map<std::string, std::optional<double>>>();
    bool byKey = false;
    try {
        byKey = readFirstRows(
            db, "SELECT * FROM Zi2Prob;", "Zi", *table,
            [](const ruledb::RowCursor& r) { return ruledb::StoredNumber(r.field("Prob")); }, "Prob");
    } catch (const ruledb::DbError&) {
        // Asked key by key instead: a missing table is then no row, as on
        // the faculty page, and a damaged one a fault reported when asked,
        // never a GPA share of 0 passed off as an answer.
    }
    if (!byKey) {
        // Batch threads share the lookup, and so the one connection: one
        // question at a time.
        const RuleDatabase* source = &db;
        auto lock = std::make_shared<std::mutex>();
        return [source, lock](const std::string& key) {
            const std::lock_guard<std::mutex> hold(*lock);
            return ruledb::LookupProb(*source, key);
        };
    }
    return [table](const std::string& key) {
        const auto found = table->find(key);
        return found == table->end() ? std::nullopt : found->second;
    };
}

}  // namespace tamrik
