#pragma once
// What the check of a data set (rulecheck.h) keeps while its steps run: the
// problems found so far and what a later step needs of an earlier one. The
// steps: the tables, subjects and faculties (checkfaculties.cpp), each
// faculty's rule (checkrules.cpp), the range tables, the normal table and
// every value (checkvalues.cpp).

#include "datasetrulesource.h"
#include "rulecheck.h"
#include "rulenames.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ruledbtool {

// The tables with one row for each faculty.
inline constexpr const char* kFacultyTables[] = {tamrik::kTable12, tamrik::kFacsubj, tamrik::kTableCRT,
                                                 tamrik::kTableSUM};

struct CheckState {
    using Rows = std::vector<const Row*>;

    CheckState(const DataSet& data, const tamrik::ScoringParams& params, bool paramGiven);
    // `row` empty stands for none.
    void add(const std::string& table, const std::string& row, const std::string& column, const std::string& message);
    // A table checkTablesPresent found.
    const Table& table(const char* name) const { return *data.find(name); }

    const DataSet& data;
    const tamrik::ScoringParams& params;
    const bool paramGiven;
    DataSetRuleSource source;  // the program's rule load over the data
    std::vector<Problem> problems;
    std::map<std::string, bool> subjectMain;                    // code -> SubTyp 0
    std::map<std::string, std::string> facultyRow;              // code -> its SUName row
    std::map<std::string, std::map<std::string, Rows>> rowsOf;  // table -> faculty -> rows
    std::set<std::string> pairUsed;                             // faculties whose tableSUM names the pair
    std::set<std::string> lostZeros;                            // faculties a row names without its zeros
    std::vector<std::string> rangeNames;
    std::size_t normalKeys = 0;
};

// A faculty code that lost its leading zeros in a spreadsheet ("1" for
// "0001"): the code it stood for, or nothing.
std::optional<std::string> codeWithZeros(const std::string& code);
// Names once, with the cause, the rows of `table` whose FacCode lost its
// zeros: their places and codes as they stand.
using LostZeroRows = std::vector<std::pair<std::string, std::string>>;
void addLostZeros(CheckState& s, const std::string& table, const LostZeroRows& rows);

// A value of a row as the program reads it.
std::string textOf(const Table& t, const Row& row, const std::string& column);
std::optional<double> numberOf(const Table& t, const Row& row, const std::string& column);

// The steps, in the order they run; each adds the problems it finds. The
// faculties' rules are checked only when every rule table is there.
bool checkTablesPresent(CheckState& s);
void checkSubjects(CheckState& s);
void checkFaculties(CheckState& s);
void checkFacultyRules(CheckState& s);
void checkRangeTables(CheckState& s);
void checkNormalTable(CheckState& s);
void checkValues(CheckState& s);

}  // namespace ruledbtool
