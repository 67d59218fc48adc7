#pragma once
// What changed between two years' rule data, faculty by faculty: added,
// removed, renamed, weights, minimums, subjects and their names, the either-of
// pair, last year's range in each range table both sides hold. Both sides are
// read with the program's own rule load, so a change shows as the page would
// show it.

#include "dataset.h"

#include <string>
#include <vector>

namespace ruledbtool {

struct Change {
    std::string facCode;
    std::string faculty;  // "FacName, UName" of the newer side (the older for a removed faculty)
    std::string what;     // added, removed, name, university, subjects, weights, minimums, pair, rule,
                          // or a range table's name
    std::string before;
    std::string after;
};

std::vector<Change> DiffRuleData(const DataSet& older, const DataSet& newer);

// One block per faculty, "  what: before -> after"; a closing count.
std::string DiffText(const std::vector<Change>& changes);
// FacCode,Faculty,Change,Old,New
std::string DiffCsv(const std::vector<Change>& changes);

}  // namespace ruledbtool
