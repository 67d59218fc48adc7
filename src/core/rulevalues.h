#pragma once
// What the engine needs of each rule value it computes with. A count outside
// its range, a minimum that is text or past 100 %, a full score of 0, a
// probability past 1: the rule load would read each as some number (Val
// reads "abc" as 0) and give figures without a word. tamrik-ruledb check
// names every such value; the program refuses a database holding one at
// start-up, through these same rules.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// One row as the checks read it, from a database or a data set alike.
class ValueRow {
public:
    virtual ~ValueRow() = default;
    // A stored number, or a text that is a number as a whole; nothing for a
    // missing column, a null or any other text.
    virtual std::optional<double> number(std::string_view column) const = 0;
    // The value as text; empty for a missing column or a null.
    virtual std::string text(std::string_view column) const = 0;
};

struct ValueFault {
    std::string column;
    std::string message;
};

// Whether ruleValueFaults has rules for the table: Table12, Facsubj,
// SubjectTable, tableCRT, tableSUM, Zi2Prob, or a range table (a table of
// last year's range: src/ruledb's ruleschema.h tells one).
bool hasValueRules(std::string_view table, bool rangeTable);

// Every value of one row that the engine cannot use. `rangeTable`: the row
// is one of a table of last year's range.
std::vector<ValueFault> ruleValueFaults(std::string_view table, bool rangeTable, const ValueRow& row);

}  // namespace tamrik
