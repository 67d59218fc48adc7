#pragma once
// The rule database's tables read whole, once each, keeping the first row of
// every key, as a lookup by key gives it. A table that cannot be read so (a
// missing key column, a key not stored as text, which the database compares
// by rules of its own, or a failing read) is asked key by key instead, so
// that every answer is the one a lookup would give.

#include "evaluation.h"
#include "ruledatabase.h"
#include "ruletables.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tamrik {

// SUName's faculties in stored order, each code once; a missing column or a
// null reads as an empty text.
class SUNameFaculties {
public:
    struct Names {
        std::string facCode, university, name;
    };
    explicit SUNameFaculties(const ruledb::RuleDatabase& db);

    std::vector<Names>& names() { return m_names; }
    // Where a code stands. The tables mostly keep SUName's order, and the
    // rule load asks every table for one faculty in turn: the faculty found
    // last and the one after it are tried before the hash.
    std::optional<std::size_t> placeOf(std::string_view facCode);

private:
    std::vector<Names> m_names;
    std::unordered_map<std::string, std::size_t> m_places;
    std::size_t m_last = 0;
};

// Answers the rule load from the six rule tables read whole: the first row of
// each faculty of SUName (a row of any other code is never asked for), and of
// each subject.
class WholeRuleTables : public RuleSource {
public:
    WholeRuleTables(const ruledb::RuleDatabase& db, SUNameFaculties& faculties);

    std::optional<RuleRow> firstRow(std::string_view table, std::string_view keyColumn,
                                    std::string_view key) override;

private:
    struct Table {
        std::string_view name, keyColumn;
        std::shared_ptr<RuleRow::Table> rows;
        std::vector<std::size_t> rowOf;  // by faculty; kNone without a row
        std::unordered_map<std::string, std::size_t> rowOfKey;  // for a table not keyed by faculty
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    SUNameFaculties& m_faculties;
    ruledb::DatabaseRuleSource m_fallback;
    std::vector<Table> m_tables;  // those read whole
};

// Every year's range table and the one param.opt names, read whole: the
// first usable row of each faculty.
class RangeTables {
public:
    RangeTables(const ruledb::RuleDatabase& db, const std::string& lastYearTable, SUNameFaculties& faculties);

    std::optional<YearRange> lastYear(std::size_t faculty) const;
    // Oldest first, the years with a usable row.
    std::vector<YearRange> years(std::size_t faculty) const;

private:
    struct Table {
        std::string name, year;
        bool unreadable = false;  // no range from it
        bool whole = false;       // read whole; otherwise asked faculty by faculty
        std::vector<std::optional<YearRange>> ranges;  // by faculty
    };
    std::optional<YearRange> rangeOf(const Table& table, std::size_t faculty) const;

    const ruledb::RuleDatabase& m_db;
    SUNameFaculties& m_faculties;
    std::vector<Table> m_tables;  // every year's, oldest first, then the one param.opt names if not among them
    std::size_t m_years = 0;
    std::size_t m_last = 0;
};

// The normal table read whole into memory, answering as lookupProb does;
// several threads may ask at once.
ProbLookup loadProbTable(const ruledb::RuleDatabase& db);

// Names of the range tables, one per year ("maxminScQor" + two digits), in
// the order of their years.
std::vector<std::string> rangeTableNames(const ruledb::RuleDatabase& db);

}  // namespace tamrik
