#pragma once
// Every faculty's rule in one pass per table. The rule tables are read whole
// once, and BuildFacultyRule builds each faculty's rule from those rows
// through an in-memory RuleSource, so a rule built here is the rule page 2
// would show. A table whose whole read fails is asked faculty by faculty
// instead, so each faculty then gets the load error page 1 would show.

#include "evaluation.h"
#include "ruledatabase.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tamrik::ruledb {

struct AllFacultyRules {
    std::vector<FacultyRecord> faculties;  // in SUName's order
    std::vector<std::string> rangeTables;  // every year's range table, oldest first
};

// Reads SUName, the six rule tables, every range table (maxminScQor + two
// digits) and the table `lastYearTable` names (param.opt's first line).
// Throws DbError only when SUName cannot be read. `threads` share the reading
// and the building; the result is the same for any number.
AllFacultyRules LoadAllFacultyRules(const RuleDatabase& db, const std::string& lastYearTable, unsigned threads = 1);

// Takes the records of one thread's share of the faculties as they are built.
class FacultyTaker {
public:
    virtual ~FacultyTaker() = default;
    virtual void take(std::size_t index, FacultyRecord&& record) = 0;
};

// What LoadAllFacultyRules reads and builds, without keeping it: each record
// goes to a taker as soon as it is built, on the thread that built it, so
// that a caller needing one answer per faculty never holds every rule at
// once. `expect(count)` comes first, with the number of faculties; then each
// building thread makes a taker with `newTaker()` and hands it its share
// (indexes in SUName's order). Returns the range tables, oldest first.
std::vector<std::string> BuildEachFacultyRule(const RuleDatabase& db, const std::string& lastYearTable,
                                              unsigned threads, const std::function<void(std::size_t count)>& expect,
                                              const std::function<std::unique_ptr<FacultyTaker>()>& newTaker);

// The normal table read whole into memory, answering as LookupProb does;
// several threads may ask at once.
ProbLookup LoadProbTable(const RuleDatabase& db);

// One faculty's range in every range table that has a usable row for it,
// oldest first, as its record from LoadAllFacultyRules holds them.
std::vector<YearRange> FacultyYears(const RuleDatabase& db, const std::string& facCode);

// Names of the range tables, one per year ("maxminScQor" + two digits), in
// the order of their years.
std::vector<std::string> RangeTableNames(const RuleDatabase& db);

}  // namespace tamrik::ruledb
