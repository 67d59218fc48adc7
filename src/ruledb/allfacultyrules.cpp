#include "allfacultyrules.h"

#include "ruletables.h"
#include "sharedwork.h"
#include "yeartext.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <mutex>
#include <regex>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace tamrik::ruledb {

namespace {

// The whole-table reads; Facsubj through the same column list its
// faculty-by-faculty read uses, with the key in front.
struct TableRead {
    const char* table;
    const char* keyColumn;
    const char* query;
};
const TableRead RuleTableReads[] = {
    {"Table12", "FacCode", "SELECT * FROM Table12;"},
    {"Facsubj", "FacCode", "SELECT FacCode,Numsubj,sub1,sub2,sub3,sub4,sub5,sub6,sub7,sub8 FROM Facsubj;"},
    {"SubjectTable", "SubCod", "SELECT * FROM SubjectTable;"},
    {"tableCRT", "FacCode", "SELECT * FROM tableCRT;"},
    {"tableSUM", "FacCode", "SELECT * FROM tableSUM;"},
    {"tb6174", "FacCode", "SELECT * FROM tb6174;"},
};

// Streams the query and calls `each(key, row)` for the first row of every
// key, in stored order, holding no row; `isFirst(key)` tells the first row of
// a key (true once per key). False when the key column or the
// column `alsoNeeded` is missing, or a key is not stored as text: a number or
// null key compares by the database's own rules, so such a table is asked
// key by key instead.
template <typename IsFirst, typename Each>
bool forFirstRowOfEachKey(const RuleDatabase& db, const std::string& sql, std::string_view keyColumn,
                          IsFirst isFirst, Each each, std::string_view alsoNeeded = {})
{
    const RuleRow::NoCaseLess less;
    const auto indexIn = [&](const std::vector<std::string>& columns, std::string_view name) {
        std::size_t at = 0;
        while (at < columns.size() && (less(columns[at], name) || less(name, columns[at])))
            ++at;
        return at;
    };
    const auto usable = [&](const std::vector<std::string>& columns) {
        return indexIn(columns, keyColumn) < columns.size()
               && (alsoNeeded.empty() || indexIn(columns, alsoNeeded) < columns.size());
    };
    std::size_t key = static_cast<std::size_t>(-1);
    bool byText = true;
    const std::vector<std::string> columns = db.ForEachRow(sql, [&](const RowCursor& row) {
        if (key == static_cast<std::size_t>(-1)) {
            if (!usable(row.columns()))
                return false;
            key = indexIn(row.columns(), keyColumn);
        }
        if (row.kind(key) != DbValue::Kind::Text) {
            byText = false;
            return false;
        }
        const std::string_view text = row.textAt(key);
        if (isFirst(text))
            each(text, row);
        return true;
    });
    return byText && usable(columns);
}

// The first row of every key of one rule table read whole, in stored order,
// and where each key is.
struct WholeTable {
    std::string_view table;
    std::string_view keyColumn;
    std::vector<std::pair<std::string, RuleRow>> rows;
    std::unordered_map<std::string, std::size_t> byKey;
};

constexpr std::size_t kRowsPerBlock = 512;

// Nothing when the table cannot be read that way.
std::shared_ptr<const WholeTable> readWholeTable(const RuleDatabase& db, const TableRead& read)
{
    try {
        auto index = std::make_shared<WholeTable>();
        index->table = read.table;
        index->keyColumn = read.keyColumn;
        auto block = std::make_shared<RuleRow::Block>();
        std::shared_ptr<const RuleRow::Columns> names;
        const auto isFirst = [&](std::string_view key) {
            return index->byKey.try_emplace(std::string(key), index->rows.size()).second;
        };
        std::string number;
        const bool ok = forFirstRowOfEachKey(db, read.query, read.keyColumn, isFirst, [&](std::string_view key,
                                                                                           const RowCursor& r) {
            const std::size_t count = r.columns().size();
            if (!names) {
                auto columns = std::make_shared<RuleRow::Columns>();
                for (std::size_t c = 0; c < count; ++c)
                    (*columns)[r.columns()[c]] = c;  // a name given twice: the last one, as set() keeps it
                names = columns;
            }
            // A block every so many rows: one block for a whole table grew by
            // copying itself over and over.
            if (index->rows.size() % kRowsPerBlock == 0 && block->size() > 0)
                block = std::make_shared<RuleRow::Block>();
            const std::size_t first = block->size();
            for (std::size_t c = 0; c < count; ++c)
                block->add(r.textView(c, number));
            index->rows.emplace_back(std::string(key), RuleRow(names, block, first, count));
        });
        if (ok)
            return index;
    } catch (const DbError&) {
        // Asked faculty by faculty: each load then fails with its own message.
    }
    return nullptr;
}

// Answers the rule load from whole tables read once; a table that could not
// be read that way is asked through the database, faculty by faculty. A copy
// shares the tables and may be used on another thread when every table was
// read whole.
class TablesRuleSource : public RuleSource {
public:
    TablesRuleSource(const RuleDatabase& db, const std::vector<std::shared_ptr<const WholeTable>>& tables)
        : m_fallback(db)
    {
        for (const auto& table : tables) {
            if (table)
                m_tables.push_back(Table{table, 0});
        }
    }

    bool whole() const { return m_tables.size() == std::size(RuleTableReads); }

    std::optional<RuleRow> firstRow(std::string_view table, std::string_view keyColumn,
                                    std::string_view key) override
    {
        const auto t = std::find_if(m_tables.begin(), m_tables.end(), [&](const Table& read) {
            return read.rows->table == table && read.rows->keyColumn == keyColumn;
        });
        if (t == m_tables.end())
            return m_fallback.firstRow(table, keyColumn, key);
        const WholeTable& index = *t->rows;
        // The load asks in SUName's order, which is mostly each table's own:
        // the row after the last one found is tried before the hash.
        std::size_t at = t->next;
        if (at >= index.rows.size() || index.rows[at].first != key) {
            const auto found = index.byKey.find(std::string(key));
            if (found == index.byKey.end())
                return std::nullopt;
            at = found->second;
        }
        t->next = at + 1;
        return index.rows[at].second;
    }

private:
    struct Table {
        std::shared_ptr<const WholeTable> rows;
        std::size_t next;
    };
    DatabaseRuleSource m_fallback;
    std::vector<Table> m_tables;  // those read whole
};

std::optional<YearRange> rangeOf(const std::string& year, const RowCursor& rows)
{
    if (!rows.hasColumn("ScMax") || !rows.hasColumn("ScMin"))
        return std::nullopt;
    const auto max = StoredNumber(rows.field("ScMax"));
    const auto min = StoredNumber(rows.field("ScMin"));
    if (!max || !min)
        return std::nullopt;
    return YearRange{year, *min, *max};
}

// One range table: the first usable row of each faculty, or nothing at all
// when the table cannot be read.
class RangeTable {
public:
    RangeTable(const RuleDatabase& db, std::string name) : m_db(db), m_name(std::move(name)), m_year(YearText(m_name))
    {
        try {
            decltype(m_ranges)::iterator at;
            m_byKey = forFirstRowOfEachKey(
                m_db, "SELECT * FROM " + QuoteIdentifier(m_name) + ";", "FacCode",
                [&](std::string_view key) {
                    bool first;
                    std::tie(at, first) = m_ranges.try_emplace(std::string(key));
                    return first;
                },
                [&](std::string_view, const RowCursor& r) { at->second = rangeOf(m_year, r); });
        } catch (const DbError&) {
            m_unreadable = true;
        }
    }

    std::optional<YearRange> of(const std::string& facCode) const
    {
        if (m_unreadable)
            return std::nullopt;
        if (!m_byKey) {
            const auto range = LookupLastYearRange(m_db, m_name, facCode);
            return range ? std::optional<YearRange>(YearRange{m_year, range->ScMin, range->ScMax}) : std::nullopt;
        }
        const auto found = m_ranges.find(facCode);
        return found == m_ranges.end() ? std::nullopt : found->second;
    }

private:
    const RuleDatabase& m_db;
    std::string m_name;
    std::string m_year;
    bool m_unreadable = false;
    bool m_byKey = false;
    std::unordered_map<std::string, std::optional<YearRange>> m_ranges;
};

// The place of `column` among `columns` (the first one, in any case), or
// nothing when it is missing.
std::optional<std::size_t> placeOf(const std::vector<std::string>& columns, std::string_view column)
{
    const RuleRow::NoCaseLess less;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!less(columns[c], column) && !less(column, columns[c]))
            return c;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> RangeTableNames(const RuleDatabase& db)
{
    static const std::regex yearTable("maxminScQor[0-9][0-9]");
    std::vector<std::string> names;
    QueryResult rows = db.query("SELECT name FROM sqlite_master WHERE type = 'table';");
    for (; !rows.EOF_(); rows.MoveNext()) {
        const std::string name = rows.field("name").toText();
        if (std::regex_match(name, yearTable))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

AllFacultyRules LoadAllFacultyRules(const RuleDatabase& db, const std::string& lastYearTable, unsigned threads)
{
    AllFacultyRules all;
    all.rangeTables = RangeTableNames(db);

    // One after the other: on one connection, two threads stepping
    // statements side by side wait on its lock (three times slower here).
    std::vector<std::string> yearNames = all.rangeTables;
    const auto lastYear = std::find(all.rangeTables.begin(), all.rangeTables.end(), lastYearTable);
    if (lastYear == all.rangeTables.end())
        yearNames.push_back(lastYearTable);
    constexpr std::size_t kRuleTables = std::size(RuleTableReads);
    std::vector<std::shared_ptr<const WholeTable>> tables(kRuleTables);
    std::vector<std::optional<RangeTable>> years(yearNames.size());
    for (std::size_t t = 0; t < kRuleTables; ++t)
        tables[t] = readWholeTable(db, RuleTableReads[t]);
    for (std::size_t y = 0; y < years.size(); ++y)
        years[y].emplace(db, yearNames[y]);
    const RangeTable& last = *years[static_cast<std::size_t>(lastYear - all.rangeTables.begin())];

    // A missing column or a null reads as an empty text.
    std::optional<std::size_t> code, university, name;
    std::unordered_set<std::string> seen;
    if (tables.front())
        all.faculties.reserve(tables.front()->rows.size());  // Table12: a row per faculty
    db.ForEachRow("SELECT * FROM SUName;", [&](const RowCursor& row) {
        if (seen.empty()) {
            code = placeOf(row.columns(), "FacCode");
            university = placeOf(row.columns(), "UName");
            name = placeOf(row.columns(), "FacName");
        }
        const auto textOf = [&](const std::optional<std::size_t>& at) {
            return at ? row.textOrNull(*at).value_or(std::string()) : std::string();
        };
        FacultyRecord& record = all.faculties.emplace_back();
        record.facCode = textOf(code);
        if (!seen.insert(record.facCode).second) {
            all.faculties.pop_back();
            return true;
        }
        record.university = textOf(university);
        record.name = textOf(name);
        record.lastYear = last.of(record.facCode);
        for (std::size_t y = 0; y < all.rangeTables.size(); ++y) {
            if (auto range = years[y]->of(record.facCode))
                record.years.push_back(std::move(*range));
        }
        return true;
    });

    // A table asked faculty by faculty goes through the one connection in turn.
    TablesRuleSource source(db, tables);
    ShareWork(all.faculties.size(), source.whole() ? threads : 1, [&](std::size_t begin, std::size_t end) {
        TablesRuleSource own = source;
        for (std::size_t i = begin; i < end; ++i)
            all.faculties[i].load = BuildFacultyRule(own, all.faculties[i].facCode, all.faculties[i].facCode);
    });
    return all;
}

ProbLookup LoadProbTable(const RuleDatabase& db)
{
    auto table = std::make_shared<std::unordered_map<std::string, std::optional<double>>>();
    bool byKey = false;
    try {
        decltype(table->begin()) at;
        byKey = forFirstRowOfEachKey(
            db, "SELECT * FROM Zi2Prob;", "Zi",
            [&](std::string_view key) {
                bool first;
                std::tie(at, first) = table->try_emplace(std::string(key));
                return first;
            },
            [&](std::string_view, const RowCursor& r) { at->second = StoredNumber(r.field("Prob")); }, "Prob");
    } catch (const DbError&) {
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
            return LookupProb(*source, key);
        };
    }
    return [table](const std::string& key) {
        const auto found = table->find(key);
        return found == table->end() ? std::nullopt : found->second;
    };
}

}  // namespace tamrik::ruledb
