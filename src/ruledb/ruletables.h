#pragma once
// The rule tables as the rest of the program asks for them: the faculty rule's
// rows through the RuleSource interface, a normal-table probability and last
// year's score range. Each answer is one SELECT in the rule database's query
// forms; the value it selects by is a bound parameter, so a name with a
// single quote finds its row like any other.

#include "ruledatabase.h"
#include "rulesource.h"

#include <optional>
#include <string>
#include <string_view>

namespace tamrik::ruledb {

// Answers the rule load from the open rule database. Table and key column
// names are the program's own and must be plain names (letters, digits, "_");
// the key is a value and may hold anything.
class DatabaseRuleSource : public tamrik::RuleSource {
public:
    explicit DatabaseRuleSource(const RuleDatabase& db) : m_db(db) {}

    // Null values come back as empty optionals, numbers as their shortest
    // text. Only the first row is read. Throws DbError when the query fails
    // (a missing table, say).
    std::optional<tamrik::RuleRow> firstRow(std::string_view table, std::string_view keyColumn,
                                            std::string_view key) override;

    // The query text that firstRow runs, the key its one parameter.
    static std::string queryText(std::string_view table, std::string_view keyColumn);

private:
    const RuleDatabase& m_db;
};

// What a read of a rule table selects: Facsubj's columns by name (its key in
// front when `withKey`), as its query always named them; of any other table
// every column ("*").
std::string selectedColumns(std::string_view table, bool withKey);

// A stored number, or a text that is a number as a whole; nothing else (a
// null gives nullopt).
std::optional<double> storedNumber(const DbValue& value);

// Prob of the Zi2Prob row whose key is `key` (such as "1.960"); nullopt when
// there is none to read: no such table (a view does not count), no row, a null
// or non-numeric Prob. A fault of the database itself (a damaged page, I/O,
// out of memory) is no answer: it throws DbError.
std::optional<double> lookupProb(const RuleDatabase& db, const std::string& key);

struct LastYearRange {
    double ScMax = 0;
    double ScMin = 0;
};

// The first row of the range table `tableName` for the faculty `facCode`.
// nullopt when there is none to read: no such table (or a view), no FacCode
// column, no row, ScMax or ScMin missing, null or not a number. Throws DbError
// on a fault of the database itself, as lookupProb does. The table name comes
// from a hand-editable file, so it goes in as a quoted identifier: it can only
// ever name a table.
std::optional<LastYearRange> lookupLastYearRange(const RuleDatabase& db, const std::string& tableName,
                                                 const std::string& facCode);

// Checks that every table of ruleTables() (ruleschema.h) is a real table
// holding its required columns, that there is a faculty and a
// GPA share to read, and the content (contentcheck.h: no view, the content
// the build recorded, or without a record every value usable). Throws DbError naming the file and
// the table, column or value at fault.
void requireRuleTables(const RuleDatabase& db);

}  // namespace tamrik::ruledb
