#pragma once
// What changed between two years' rule data: tables added or removed (a
// year's range table, or one the program does not read) with their rows,
// changed columns, the rows of the tables no faculty shows (Zi2Prob and
// those the program does not read); then faculty by faculty: added, removed,
// renamed, weights with the full scores they lead to, minimums, subjects and
// their names, the either-of pair, last year's range in each range table
// both sides hold. Both sides are
// read with the program's own rule load, so a change shows as the page would
// show it.

#include "dataset.h"

#include <string>
#include <vector>

namespace ruledbtool {

struct Change {
    std::string facCode;  // empty for a change of a table
    std::string faculty;  // "FacName, UName" of the newer side (the older for a removed faculty), or
                          // "table NAME"
    std::string what;     // added, removed, name, university, subjects, weights, full scores, minimums,
                          // pair, rule, or a range table's name; of a table: added, removed, columns, rows
    std::string before;
    std::string after;
};

std::vector<Change> diffRuleData(const DataSet& older, const DataSet& newer);

// One block per table, then per faculty, "  what: before -> after"; a
// closing count.
std::string diffText(const std::vector<Change>& changes);
// FacCode,Faculty,Change,Old,New
std::string diffCsv(const std::vector<Change>& changes);

}  // namespace ruledbtool
