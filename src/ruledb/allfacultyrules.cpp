#include "allfacultyrules.h"

#include "numtext.h"
#include "ruletables.h"
#include "yeartext.h"

#include <algorithm>
#include <memory>
#include <regex>
#include <unordered_map>
#include <unordered_set>

namespace tamrik::ruledb {

namespace {

const char* const RequiredTables[] = {"SUName", "Table12", "Facsubj", "SubjectTable",
                                      "tableCRT", "tableSUM", "tb6174"};

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

// A stored number, or a text that is a number as a whole; nothing else.
std::optional<double> storedNumber(const DbValue& value)
{
    if (value.kind() == DbValue::Kind::Number)
        return value.toNumber();
    if (value.kind() == DbValue::Kind::Text)
        return WholeNumber(value.toText());
    return std::nullopt;
}

// Calls `each(key, rows)` for the first row of every key, in stored order.
// False when a key is not stored as text: a number or null key compares by
// the database's own rules, so such a table is asked key by key instead.
template <typename Each>
bool forFirstRowOfEachKey(QueryResult& rows, std::string_view keyColumn, Each each)
{
    const std::vector<std::string>& columns = rows.columns();
    const RuleRow::NoCaseLess less;
    std::size_t key = 0;
    while (key < columns.size() && (less(columns[key], keyColumn) || less(keyColumn, columns[key])))
        ++key;
    if (key == columns.size())
        throw DbError("ผลการค้นไม่มีคอลัมน์ " + std::string(keyColumn));
    std::unordered_set<std::string> done;
    done.reserve(rows.rowCount());
    for (rows.MoveFirst(); !rows.EOF_(); rows.MoveNext()) {
        const DbValue& value = rows.at(key);
        if (value.kind() != DbValue::Kind::Text)
            return false;
        std::string text = value.toText();
        if (done.insert(text).second)
            each(text, rows);
    }
    return true;
}

// Answers the rule load from whole tables read once; a table that could not
// be read that way is asked through the database, faculty by faculty.
class TablesRuleSource : public RuleSource {
public:
    explicit TablesRuleSource(const RuleDatabase& db) : m_fallback(db)
    {
        for (const TableRead& read : RuleTableReads) {
            try {
                QueryResult rows = db.query(read.query);
                auto index = std::make_unique<Index>();
                index->reserve(rows.rowCount());
                auto names = std::make_shared<RuleRow::Columns>();
                for (std::size_t c = 0; c < rows.columns().size(); ++c)
                    (*names)[rows.columns()[c]] = c;  // a name given twice: the last one, as set() keeps it
                const std::shared_ptr<const RuleRow::Columns> shared = names;
                const bool ok = forFirstRowOfEachKey(rows, read.keyColumn, [&](const std::string& key, auto& r) {
                    RuleRow::Values values;
                    values.reserve(r.columns().size());
                    for (std::size_t c = 0; c < r.columns().size(); ++c) {
                        const DbValue& value = r.at(c);
                        values.push_back(value.isNull() ? std::nullopt : std::optional<std::string>(value.toText()));
                    }
                    index->emplace(key, RuleRow(shared, std::move(values)));
                });
                if (ok)
                    m_tables.push_back(Table{read.table, read.keyColumn, std::move(index)});
            } catch (const DbError&) {
                // Asked faculty by faculty: each load then fails with its own message.
            }
        }
    }

    std::optional<RuleRow> firstRow(std::string_view table, std::string_view keyColumn,
                                    std::string_view key) override
    {
        const auto t = std::find_if(m_tables.begin(), m_tables.end(), [&](const Table& read) {
            return read.table == table && read.keyColumn == keyColumn;
        });
        if (t == m_tables.end())
            return m_fallback.firstRow(table, keyColumn, key);
        const auto row = t->rows->find(std::string(key));
        if (row == t->rows->end())
            return std::nullopt;
        return row->second;
    }

private:
    using Index = std::unordered_map<std::string, RuleRow>;
    struct Table {
        std::string_view table;
        std::string_view keyColumn;
        std::unique_ptr<Index> rows;
    };
    DatabaseRuleSource m_fallback;
    std::vector<Table> m_tables;  // the six of them, read whole
};

std::optional<YearRange> rangeOf(const std::string& year, const QueryResult& rows)
{
    if (rows.EOF_() || !rows.hasColumn("ScMax") || !rows.hasColumn("ScMin"))
        return std::nullopt;
    const auto max = storedNumber(rows.field("ScMax"));
    const auto min = storedNumber(rows.field("ScMin"));
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
            QueryResult rows = m_db.query("SELECT * FROM " + QuoteIdentifier(m_name) + ";");
            m_byKey = rows.hasColumn("FacCode")
                      && forFirstRowOfEachKey(rows, "FacCode", [&](const std::string& key, const QueryResult& r) {
                             m_ranges.emplace(key, rangeOf(m_year, r));
                         });
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

std::string textOf(const QueryResult& rows, std::string_view column)
{
    if (!rows.hasColumn(column))
        return {};
    const DbValue value = rows.field(column);
    return value.isNull() ? std::string() : value.toText();
}

}  // namespace

void RequireRuleTables(const RuleDatabase& db)
{
    for (const char* table : RequiredTables) {
        if (!db.hasTable(table))
            throw DbError("ไม่พบตาราง " + std::string(table) + " ในฐานข้อมูล " + db.path());
    }
}

std::vector<std::string> RangeTableNames(const RuleDatabase& db)
{
    static const std::regex yearTable("maxminScQor[0-9][0-9]");
    std::vector<std::string> names;
    QueryResult rows = db.query("SELECT name FROM sqlite_master WHERE type IN ('table','view');");
    for (; !rows.EOF_(); rows.MoveNext()) {
        const std::string name = rows.field("name").toText();
        if (std::regex_match(name, yearTable))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

AllFacultyRules LoadAllFacultyRules(const RuleDatabase& db, const std::string& lastYearTable)
{
    AllFacultyRules all;
    QueryResult faculties = db.query("SELECT * FROM SUName;");
    all.rangeTables = RangeTableNames(db);

    TablesRuleSource source(db);
    std::vector<RangeTable> years;
    for (const std::string& name : all.rangeTables)
        years.emplace_back(db, name);
    const auto lastYear = std::find(all.rangeTables.begin(), all.rangeTables.end(), lastYearTable);
    std::optional<RangeTable> ownLastYear;
    if (lastYear == all.rangeTables.end())
        ownLastYear.emplace(db, lastYearTable);
    const RangeTable& last = ownLastYear ? *ownLastYear : years[lastYear - all.rangeTables.begin()];

    std::unordered_map<std::string, bool> seen;
    for (; !faculties.EOF_(); faculties.MoveNext()) {
        FacultyRecord record;
        record.facCode = textOf(faculties, "FacCode");
        if (!seen.emplace(record.facCode, true).second)
            continue;
        record.university = textOf(faculties, "UName");
        record.name = textOf(faculties, "FacName");
        record.load = BuildFacultyRule(source, record.facCode, record.facCode);
        record.lastYear = last.of(record.facCode);
        for (const RangeTable& year : years) {
            if (auto range = year.of(record.facCode))
                record.years.push_back(std::move(*range));
        }
        all.faculties.push_back(std::move(record));
    }
    return all;
}

ProbLookup LoadProbTable(const RuleDatabase& db)
{
    auto table = std::make_shared<std::unordered_map<std::string, std::optional<double>>>();
    bool byKey = false;
    try {
        QueryResult rows = db.query("SELECT * FROM Zi2Prob;");
        byKey = rows.hasColumn("Zi") && rows.hasColumn("Prob")
                && forFirstRowOfEachKey(rows, "Zi", [&](const std::string& key, const QueryResult& r) {
                       table->emplace(key, storedNumber(r.field("Prob")));
                   });
    } catch (const DbError&) {
        return [](const std::string&) { return std::optional<double>(); };
    }
    if (!byKey) {
        const RuleDatabase* source = &db;
        return [source](const std::string& key) { return LookupProb(*source, key); };
    }
    return [table](const std::string& key) {
        const auto found = table->find(key);
        return found == table->end() ? std::nullopt : found->second;
    };
}

}  // namespace tamrik::ruledb
