#pragma once
// Faculty records from the rule database: every faculty, each table read
// once, or one faculty through the queries page 1 runs. Either way the rule
// comes from buildFacultyRule, so it is the rule page 2 would show, or the
// message page 1 would give.

#include "evaluation.h"
#include "ruledatabase.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tamrik {

// Every faculty of SUName in its order (a code once), with its rule, its
// range in `lastYearTable` (param.opt's first line) and in every year's range
// table. Throws ruledb::DbError when SUName cannot be read or the database
// fails on a faculty-by-faculty question; a rule table that cannot be read
// gives each faculty the load error page 1 would show.
std::vector<FacultyRecord> loadFaculties(const ruledb::RuleDatabase& db, const std::string& lastYearTable);
// The same, each handed over as soon as it is read: no more than one rule
// is whole at a time. `counted` learns how many there are before the first.
void forEachFaculty(const ruledb::RuleDatabase& db, const std::string& lastYearTable,
                    const std::function<void(std::size_t)>& counted, const std::function<void(FacultyRecord&&)>& each);

// The faculty with this code, as loadFaculties gives it; nothing when SUName
// has no such code.
std::optional<FacultyRecord> loadFaculty(const ruledb::RuleDatabase& db, const std::string& lastYearTable,
                                         const std::string& facCode);

// One faculty's range in every range table that has a usable row for it,
// oldest first.
std::vector<YearRange> facultyYears(const ruledb::RuleDatabase& db, const std::string& facCode);

}  // namespace tamrik
