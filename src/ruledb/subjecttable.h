#pragma once
// Every subject of SubjectTable, in code order, for a view that lists them all.

#include "ruledatabase.h"

#include <string>
#include <vector>

namespace tamrik::ruledb {

struct SubjectName {
    std::string code;  // "01" to "51"
    std::string name;
};

// Throws DbError when the table cannot be read; a row without a code is left out.
std::vector<SubjectName> readSubjectTable(const RuleDatabase& db);

}  // namespace tamrik::ruledb
