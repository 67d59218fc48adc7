#include "allfacultyrules.h"

#include "firstrows.h"
#include "readqueue.h"

#include "rulenames.h"
#include "ruleschema.h"
#include "ruletables.h"
#include "sharedwork.h"
#include "yeartext.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace tamrik::ruledb {

namespace {

// The whole-table reads, the longest first (they are shared out in this
// order); Facsubj through the same column list its faculty-by-faculty read
// uses, with the key in front.
struct TableRead {
    const char* table;
    const char* keyColumn;
    std::string query;
};

TableRead wholeRead(const char* table)
{
    const TableSchema& schema = ruleTable(table);
    return {schema.name.c_str(), schema.key().c_str(),
            "SELECT " + selectedColumns(table, true) + " FROM " + schema.name + ";"};
}

const TableRead RuleTableReads[] = {wholeRead(kTableSUM), wholeRead(kTableCRT),     wholeRead(kFacsubj),
                                    wholeRead(kTable12),  wholeRead(kSubjectTable), wholeRead(kTb6174)};

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
    const auto usable = [&](const std::vector<std::string>& columns) {
        return placeOf(columns, keyColumn) && (alsoNeeded.empty() || placeOf(columns, alsoNeeded));
    };
    std::size_t key = static_cast<std::size_t>(-1);
    bool byText = true;
    const std::vector<std::string> columns = db.ForEachRow(sql, [&](const RowCursor& row) {
        if (key == static_cast<std::size_t>(-1)) {
            if (!usable(row.columns()))
                return false;
            key = *placeOf(row.columns(), keyColumn);
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

// The first row of every key of one rule table read whole: the cells of 512
// rows to a block, each row a place in one.
struct WholeTable {
    std::string_view table;
    std::string_view keyColumn;
    struct Place {
        std::uint32_t block = 0;
        std::uint32_t first = 0;
    };
    FirstRows<Place> rows;
    std::shared_ptr<const RuleRow::Columns> names;
    std::size_t width = 0;
    std::vector<std::shared_ptr<const RuleRow::Block>> blocks;

    // Valid while the table is: the rule load holds the tables to its end.
    RuleRow row(std::size_t at) const
    {
        const Place& place = rows.at(at);
        return RuleRow::Borrowing(*names, *blocks[place.block], place.first, width);
    }
};

constexpr std::size_t kRowsPerBlock = 512;

// Nothing when the table cannot be read that way.
std::shared_ptr<const WholeTable> readWholeTable(const RuleDatabase& db, const TableRead& read)
{
    try {
        auto whole = std::make_shared<WholeTable>();
        whole->table = read.table;
        whole->keyColumn = read.keyColumn;
        std::shared_ptr<RuleRow::Block> block;
        WholeTable::Place* place = nullptr;
        std::string number;
        const auto isFirst = [&](std::string_view key) { return (place = whole->rows.addFirst(key)) != nullptr; };
        const bool ok = forFirstRowOfEachKey(db, read.query, read.keyColumn, isFirst, [&](std::string_view,
                                                                                            const RowCursor& r) {
            if (!whole->names) {
                whole->width = r.columns().size();
                auto columns = std::make_shared<RuleRow::Columns>();
                for (std::size_t c = 0; c < whole->width; ++c)
                    columns->set(r.columns()[c], c);  // a name given twice: the last one, as set() keeps it
                whole->names = columns;
            }
            // A block every so many rows: one block for a whole table grew by
            // copying itself over and over.
            if (!block || block->size() >= kRowsPerBlock * whole->width) {
                block = std::make_shared<RuleRow::Block>();
                block->reserve(kRowsPerBlock * whole->width, 0);
                whole->blocks.push_back(block);
            }
            place->block = static_cast<std::uint32_t>(whole->blocks.size() - 1);
            place->first = static_cast<std::uint32_t>(block->size());
            for (std::size_t c = 0; c < whole->width; ++c)
                block->add(r.textView(c, number));
        });
        if (ok)
            return whole;
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
        const WholeTable& whole = *t->rows;
        // The load asks in SUName's order, which is mostly each table's own:
        // the row after the last one found is tried before the hash.
        std::size_t at = t->next;
        if (at >= whole.rows.size() || whole.rows.keyAt(at) != key) {
            const auto found = whole.rows.find(key);
            if (!found)
                return std::nullopt;
            at = *found;
        }
        t->next = at + 1;
        return whole.row(at);
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
// when the table cannot be read. Read on `reader`; a table that cannot be
// read whole is asked faculty by faculty through `fallback`.
class RangeTable {
public:
    RangeTable(const RuleDatabase& reader, const RuleDatabase& fallback, std::string name)
        : m_fallback(fallback), m_name(std::move(name)), m_year(YearText(m_name))
    {
        try {
            std::optional<YearRange>* range = nullptr;
            m_byKey = forFirstRowOfEachKey(
                reader, "SELECT * FROM " + QuoteIdentifier(m_name) + ";", "FacCode",
                [&](std::string_view key) { return (range = m_ranges.addFirst(key)) != nullptr; },
                [&](std::string_view, const RowCursor& r) { *range = rangeOf(m_year, r); });
        } catch (const DbError&) {
            m_unreadable = true;
        }
    }

    // Whether of() may be asked on several threads at once: it then never
    // goes to the database.
    bool readWhole() const { return m_byKey || m_unreadable; }

    std::optional<YearRange> of(const std::string& facCode) const
    {
        if (m_unreadable)
            return std::nullopt;
        if (!m_byKey) {
            const auto range = LookupLastYearRange(m_fallback, m_name, facCode);
            return range ? std::optional<YearRange>(YearRange{m_year, range->ScMin, range->ScMax}) : std::nullopt;
        }
        const auto found = m_ranges.find(facCode);
        return found ? m_ranges.at(*found) : std::nullopt;
    }

private:
    const RuleDatabase& m_fallback;
    std::string m_name;
    std::string m_year;
    bool m_unreadable = false;
    bool m_byKey = false;
    FirstRows<std::optional<YearRange>> m_ranges;
};


// SUName's faculties in stored order, each code once.
struct FacultyNames {
    std::string facCode, university, name;
};

std::vector<FacultyNames> readFacultyNames(const RuleDatabase& db)
{
    // A missing column or a null reads as an empty text.
    std::optional<std::size_t> code, university, name;
    bool first = true;
    FirstRows<bool> seen;
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
        if (seen.addFirst(facCode))
            names.push_back({std::move(facCode), textOf(university), textOf(name)});
        return true;
    });
    return names;
}

}  // namespace

std::vector<std::string> RangeTableNames(const RuleDatabase& db)
{
    std::vector<std::string> names;
    QueryResult rows = db.query("SELECT name FROM sqlite_master WHERE type = 'table';");
    for (; !rows.EOF_(); rows.MoveNext()) {
        const std::string name = rows.field("name").toText();
        if (isYearRangeTable(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<YearRange> FacultyYears(const RuleDatabase& db, const std::string& facCode)
{
    std::vector<YearRange> years;
    for (const std::string& table : RangeTableNames(db)) {
        if (const auto range = LookupLastYearRange(db, table, facCode))
            years.push_back({YearText(table), range->ScMin, range->ScMax});
    }
    return years;
}

std::vector<std::string> BuildEachFacultyRule(const RuleDatabase& db, const std::string& lastYearTable,
                                              unsigned threads, const std::function<void(std::size_t count)>& expect,
                                              const std::function<std::unique_ptr<FacultyTaker>()>& newTaker)
{
    const std::vector<std::string> rangeTables = RangeTableNames(db);
    std::vector<std::string> yearNames = rangeTables;
    const auto lastYear = std::find(rangeTables.begin(), rangeTables.end(), lastYearTable);
    if (lastYear == rangeTables.end())
        yearNames.push_back(lastYearTable);

    // Every table is read once, each on one connection; with two threads a
    // second connection reads beside the first (on one connection, statements
    // stepped side by side wait on its lock). The whole-file check, when left
    // to this load, runs on the first connection meanwhile: nothing read is
    // handed out before it has passed.
    constexpr std::size_t kRuleTables = std::size(RuleTableReads);
    std::vector<std::shared_ptr<const WholeTable>> tables(kRuleTables);
    std::vector<std::optional<RangeTable>> years(yearNames.size());
    std::vector<FacultyNames> names;
    ReadQueue reads;
    // The longest first, so that the last read to finish is a short one:
    // SUName and the range tables come between the rule tables by length.
    const auto readTable = [&](std::size_t t) {
        reads.add([&tables, t](const RuleDatabase& c) { tables[t] = readWholeTable(c, RuleTableReads[t]); });
    };
    readTable(0);
    reads.add([&names](const RuleDatabase& c) { names = readFacultyNames(c); });
    readTable(1);
    readTable(2);
    reads.add([&](const RuleDatabase& c) {
        for (std::size_t y = 0; y < years.size(); ++y)
            years[y].emplace(c, db, yearNames[y]);
    });
    for (std::size_t t = 3; t < kRuleTables; ++t)
        readTable(t);

    std::unique_ptr<RuleDatabase> second;
    if (threads > 1) {
        try {
            second = db.openAnother();
        } catch (const DbError&) {
            // Read on the one connection, as with one thread.
        }
    }
    std::thread beside;
    try {
        if (second)
            beside = std::thread([&] { reads.work(*second); });
    } catch (const std::system_error&) {
        // No thread to be had: the reads all go through this one.
    }
    std::exception_ptr damaged;
    try {
        db.checkWholeFile();
    } catch (...) {
        damaged = std::current_exception();  // thrown once the other thread is done
    }
    reads.work(db);
    if (beside.joinable())
        beside.join();
    if (damaged)
        std::rethrow_exception(damaged);
    reads.rethrow();  // only SUName's read lets a DbError out

    const RangeTable& last = *years[static_cast<std::size_t>(lastYear - rangeTables.begin())];
    const bool rangesWhole = std::all_of(years.begin(), years.end(), [](const auto& y) { return y->readWhole(); });
    expect(names.size());
    // A table or range asked faculty by faculty goes through the one
    // connection in turn.
    TablesRuleSource source(db, tables);
    ShareWork(names.size(), source.whole() && rangesWhole ? threads : 1, [&](std::size_t begin, std::size_t end) {
        TablesRuleSource own = source;
        const std::unique_ptr<FacultyTaker> taker = newTaker();
        for (std::size_t i = begin; i < end; ++i) {
            FacultyRecord record;
            record.facCode = std::move(names[i].facCode);
            record.university = std::move(names[i].university);
            record.name = std::move(names[i].name);
            record.lastYear = last.of(record.facCode);
            for (std::size_t y = 0; y < rangeTables.size(); ++y) {
                if (auto range = years[y]->of(record.facCode))
                    record.years.push_back(std::move(*range));
            }
            record.load = BuildFacultyRule(own, record.facCode, record.facCode);
            taker->take(i, std::move(record));
        }
    });
    return rangeTables;
}

AllFacultyRules LoadAllFacultyRules(const RuleDatabase& db, const std::string& lastYearTable, unsigned threads)
{
    struct Keeper : FacultyTaker {
        explicit Keeper(std::vector<FacultyRecord>& kept) : kept(kept) {}
        void take(std::size_t index, FacultyRecord&& record) override { kept[index] = std::move(record); }
        std::vector<FacultyRecord>& kept;
    };
    AllFacultyRules all;
    all.rangeTables = BuildEachFacultyRule(
        db, lastYearTable, threads, [&](std::size_t count) { all.faculties.resize(count); },
        [&] { return std::make_unique<Keeper>(all.faculties); });
    return all;
}

ProbLookup LoadProbTable(const RuleDatabase& db)
{
    auto table = std::make_shared<FirstRows<std::optional<double>>>();
    bool byKey = false;
    try {
        std::optional<double>* prob = nullptr;
        byKey = forFirstRowOfEachKey(
            db, "SELECT * FROM Zi2Prob;", "Zi", [&](std::string_view key) { return (prob = table->addFirst(key)) != nullptr; },
            [&](std::string_view, const RowCursor& r) { *prob = StoredNumber(r.field("Prob")); }, "Prob");
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
        return found ? table->at(*found) : std::nullopt;
    };
}

}  // namespace tamrik::ruledb
