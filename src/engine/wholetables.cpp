#include "wholetables.h"

#include "rulenames.h"
#include "ruleschema.h"
#include "yeartext.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace tamrik {

using ruledb::DbError;
using ruledb::RowCursor;
using ruledb::RuleDatabase;

namespace {

// The rule tables' whole reads, each by the key its schema gives it, through
// the same column list its faculty-by-faculty read uses, with the key in it.
struct TableRead {
    std::string table;
    std::string keyColumn;
    std::string query;
};

TableRead wholeRead(const char* table)
{
    const ruledb::TableSchema& schema = ruledb::ruleTable(table);
    return {schema.name, schema.key(), "SELECT " + ruledb::selectedColumns(table, true) + " FROM " + schema.name + ";"};
}

const TableRead RuleTableReads[] = {wholeRead(kTableSUM), wholeRead(kTableCRT),     wholeRead(kFacsubj),
                                    wholeRead(kTable12),  wholeRead(kSubjectTable), wholeRead(kTb6174)};

// Streams the query and calls `each(key, row)` for every row, in stored
// order. False when the key column or the column `alsoNeeded` is missing, or
// a key is not stored as text.
template <typename Each>
bool forEachKeyedRow(const RuleDatabase& db, const std::string& sql, std::string_view keyColumn, Each each,
                     std::string_view alsoNeeded = {})
{
    const auto usable = [&](const std::vector<std::string>& columns) {
        return columnPlace(columns, keyColumn) && (alsoNeeded.empty() || columnPlace(columns, alsoNeeded));
    };
    std::optional<std::size_t> key;
    bool byText = true;
    const std::vector<std::string> columns = db.forEachRow(sql, [&](const RowCursor& row) {
        if (!key) {
            if (!usable(row.columns()))
                return false;
            key = columnPlace(row.columns(), keyColumn);
        }
        if (row.kind(*key) != ruledb::DbValue::Kind::Text) {
            byText = false;
            return false;
        }
        each(row.textAt(*key), row);
        return true;
    });
    return byText && usable(columns);
}

}  // namespace

SUNameFaculties::SUNameFaculties(const RuleDatabase& db)
{
    std::optional<std::size_t> code, university, name;
    bool first = true;
    db.forEachRow("SELECT * FROM " + std::string(kSUName) + ";", [&](const RowCursor& row) {
        if (first) {
            code = columnPlace(row.columns(), kFacCode);
            university = columnPlace(row.columns(), kUName);
            name = columnPlace(row.columns(), kFacName);
            first = false;
        }
        const auto textOf = [&](const std::optional<std::size_t>& at) {
            return at ? row.textOrNull(*at).value_or(std::string()) : std::string();
        };
        std::string facCode = textOf(code);
        if (m_places.try_emplace(facCode, m_names.size()).second)
            m_names.push_back({std::move(facCode), textOf(university), textOf(name)});
        return true;
    });
}

std::optional<std::size_t> SUNameFaculties::placeOf(std::string_view facCode)
{
    for (const std::size_t at : {m_last, m_last + 1}) {
        if (at < m_names.size() && m_names[at].facCode == facCode)
            return m_last = at;
    }
    const auto found = m_places.find(std::string(facCode));
    if (found == m_places.end())
        return std::nullopt;
    return m_last = found->second;
}

WholeRuleTables::WholeRuleTables(const RuleDatabase& db, SUNameFaculties& faculties)
    : m_faculties(faculties), m_fallback(db)
{
    for (const TableRead& read : RuleTableReads) {
        Table table{read.table, read.keyColumn, {}, {}, {}};
        const bool byFaculty = table.keyColumn == kFacCode;
        if (byFaculty)
            table.rowOf.assign(faculties.names().size(), kNone);
        std::string number;
        const auto keep = [&](const RowCursor& r) {
            if (!table.rows)
                table.rows = std::make_shared<RuleRow::Table>(r.columns(), byFaculty ? table.rowOf.size() : 1);
            for (std::size_t c = 0; c < r.columns().size(); ++c)
                table.rows->addCell(r.textView(c, number));
            return table.rows->rowCount() - 1;
        };
        try {
            const bool whole = forEachKeyedRow(db, read.query, read.keyColumn, [&](std::string_view key,
                                                                                   const RowCursor& r) {
                if (!byFaculty) {
                    if (table.rowOfKey.find(std::string(key)) == table.rowOfKey.end())
                        table.rowOfKey.emplace(key, keep(r));
                } else if (const auto faculty = faculties.placeOf(key); faculty && table.rowOf[*faculty] == kNone) {
                    table.rowOf[*faculty] = keep(r);
                }
            });
            if (whole)
                m_tables.push_back(std::move(table));
        } catch (const DbError&) {
            // Asked faculty by faculty: each load then fails with its own message.
        } catch (const std::length_error&) {
            // Too large to keep whole: asked faculty by faculty too.
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
    std::size_t row = kNone;
    if (t->rowOf.empty()) {
        const auto found = t->rowOfKey.find(std::string(key));
        if (found != t->rowOfKey.end())
            row = found->second;
    } else if (const auto faculty = m_faculties.placeOf(key)) {
        row = t->rowOf[*faculty];
    }
    if (row == kNone)
        return std::nullopt;
    return RuleRow(t->rows, row);
}

RangeTables::RangeTables(const RuleDatabase& db, const std::string& lastYearTable, SUNameFaculties& faculties)
    : m_db(db), m_faculties(faculties)
{
    std::vector<std::string> names = rangeTableNames(db);
    m_years = names.size();
    m_last = static_cast<std::size_t>(std::find(names.begin(), names.end(), lastYearTable) - names.begin());
    if (m_last == m_years)
        names.push_back(lastYearTable);
    const std::size_t count = faculties.names().size();
    for (std::string& name : names) {
        Table table;
        table.year = yearText(name);
        table.name = std::move(name);
        table.ranges.resize(count);
        std::vector<bool> seen(count);
        // The columns of the range, found once: every row has the same.
        std::optional<std::optional<std::size_t>> maxAt, minAt;
        try {
            table.whole = forEachKeyedRow(
                db, "SELECT * FROM " + ruledb::quoteIdentifier(table.name) + ";", kFacCode,
                [&](std::string_view key, const RowCursor& r) {
                    const auto faculty = faculties.placeOf(key);
                    if (!faculty || seen[*faculty])
                        return;
                    seen[*faculty] = true;
                    if (!maxAt) {
                        maxAt = columnPlace(r.columns(), kScMax);
                        minAt = columnPlace(r.columns(), kScMin);
                    }
                    if (!*maxAt || !*minAt)
                        return;
                    const auto max = ruledb::storedNumber(r.at(**maxAt));
                    const auto min = ruledb::storedNumber(r.at(**minAt));
                    if (max && min)
                        table.ranges[*faculty] = YearRange{table.year, *min, *max};
                });
        } catch (const DbError&) {
            table.unreadable = true;
        }
        m_tables.push_back(std::move(table));
    }
}

std::optional<YearRange> RangeTables::rangeOf(const Table& table, std::size_t faculty) const
{
    if (table.unreadable)
        return std::nullopt;
    if (table.whole)
        return table.ranges[faculty];
    const std::string& facCode = m_faculties.names()[faculty].facCode;
    const auto range = ruledb::lookupLastYearRange(m_db, table.name, facCode);
    return range ? std::optional<YearRange>(YearRange{table.year, range->ScMin, range->ScMax}) : std::nullopt;
}

std::optional<YearRange> RangeTables::lastYear(std::size_t faculty) const
{
    return rangeOf(m_tables[m_last], faculty);
}

std::vector<YearRange> RangeTables::years(std::size_t faculty) const
{
    std::vector<YearRange> years;
    years.reserve(m_years);
    for (std::size_t y = 0; y < m_years; ++y) {
        if (auto range = rangeOf(m_tables[y], faculty))
            years.push_back(std::move(*range));
    }
    return years;
}

std::vector<std::string> rangeTableNames(const RuleDatabase& db)
{
    std::vector<std::string> names;
    ruledb::QueryResult rows = db.query("SELECT name FROM sqlite_master WHERE type = 'table';");
    for (; !rows.EOF_(); rows.MoveNext()) {
        const std::string name = rows.field("name").toText();
        if (ruledb::isYearRangeTable(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

ProbLookup loadProbTable(const RuleDatabase& db)
{
    auto table = std::make_shared<std::unordered_map<std::string, std::optional<double>>>();
    bool byKey = false;
    try {
        byKey = forEachKeyedRow(
            db, "SELECT * FROM " + std::string(kZi2Prob) + ";", kZi,
            [&](std::string_view key, const RowCursor& r) {
                if (table->find(std::string(key)) == table->end())
                    table->emplace(key, ruledb::storedNumber(r.field(kProb)));
            },
            kProb);
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
            return ruledb::lookupProb(*source, key);
        };
    }
    return [table](const std::string& key) {
        const auto found = table->find(key);
        return found == table->end() ? std::nullopt : found->second;
    };
}

}  // namespace tamrik
