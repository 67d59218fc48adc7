#pragma once
// The rule database's tables read whole, once each, keeping the first row of
// every key, as a lookup by key gives it. A table that cannot be read so (a
// missing key column, a key not stored as text, which the database compares
// by rules of its own, or a failing read) is asked key by key instead, so
// that every answer is the one a lookup would give.

#include "evaluation.h"
#include "ruledatabase.h"
#include "ruletables.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tamrik {

// Answers the rule load from the six rule tables read whole.
class WholeRuleTables : public RuleSource {
public:
    explicit WholeRuleTables(const ruledb::RuleDatabase& db);

    std::optional<RuleRow> firstRow(std::string_view table, std::string_view keyColumn,
                                    std::string_view key) override;

private:
    struct Table {
        std::string_view name, keyColumn;
        std::unordered_map<std::string, RuleRow> rows;  // the first of each key
    };
    ruledb::DatabaseRuleSource m_fallback;
    std::vector<Table> m_tables;  // those read whole
};

// Every year's range table and the one param.opt names, read whole.
class RangeTables {
public:
    RangeTables(const ruledb::RuleDatabase& db, const std::string& lastYearTable);

    std::optional<YearRange> lastYear(const std::string& facCode) const;
    // Oldest first, the years with a usable row.
    std::vector<YearRange> years(const std::string& facCode) const;

private:
    struct Table {
        std::string name, year;
        bool unreadable = false;  // no range from it
        bool byKey = false;       // read whole; otherwise asked faculty by faculty
        std::unordered_map<std::string, std::optional<YearRange>> rows;  // the first of each faculty
    };
    std::optional<YearRange> rangeOf(const Table& table, const std::string& facCode) const;

    const ruledb::RuleDatabase& m_db;
    std::vector<Table> m_tables;  // every year's, oldest first, then the one param.opt names if not among them
    std::size_t m_years = 0;
    std::size_t m_last = 0;
};

// SUName's faculties in stored order, each code once; a missing column or a
// null reads as an empty text.
struct FacultyNames {
    std::string facCode, university, name;
};
std::vector<FacultyNames> readFacultyNames(const ruledb::RuleDatabase& db);

// The normal table read whole into memory, answering as LookupProb does;
// several threads may ask at once.
ProbLookup LoadProbTable(const ruledb::RuleDatabase& db);

// Names of the range tables, one per year ("maxminScQor" + two digits), in
// the order of their years.
std::vector<std::string> RangeTableNames(const ruledb::RuleDatabase& db);

}  // namespace tamrik
