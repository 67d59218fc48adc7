#include "rulecheck.h"

#include "checkstate.h"

namespace ruledbtool {

using namespace tamrik;  // the table and column names

CheckState::CheckState(const DataSet& data, const tamrik::ScoringParams& params, bool paramGiven)
    : data(data), params(params), paramGiven(paramGiven), source(data)
{
}

void CheckState::add(const std::string& table, const std::string& row, const std::string& column,
                     const std::string& message)
{
    problems.push_back({table, row.empty() ? "-" : row, column, message});
}

std::string textOf(const Table& t, const Row& row, const std::string& column)
{
    return DataSetValueRow(t, row).text(column);
}

std::optional<double> numberOf(const Table& t, const Row& row, const std::string& column)
{
    return DataSetValueRow(t, row).number(column);
}

namespace {

std::string summary(const CheckState& s)
{
    std::set<std::string> universities;
    if (const Table* t = s.data.find(kSUName)) {
        for (const Row& row : t->rows)
            universities.insert(textOf(*t, row, kUName));
    }
    std::string ranges;
    for (const std::string& name : s.rangeNames)
        ranges += (ranges.empty() ? "" : ", ") + name;
    return std::to_string(s.facultyRow.size()) + " faculties of " + std::to_string(universities.size())
           + " universities, " + std::to_string(s.subjectMain.size()) + " subjects, range tables "
           + (ranges.empty() ? "none" : ranges) + ", " + std::to_string(s.normalKeys)
           + " normal-table keys for mean " + s.params.ParamMeanGpa + " and SD " + s.params.ParamSD;
}

}  // namespace

std::string problemLine(const Problem& problem)
{
    return problem.table + ":" + problem.row + ":" + problem.column + ": " + problem.message;
}

CheckReport checkRuleData(const DataSet& data, const tamrik::ScoringParams& params, bool paramGiven)
{
    CheckState s(data, params, paramGiven);
    if (checkTablesPresent(s)) {
        checkSubjects(s);
        checkFaculties(s);
        checkFacultyRules(s);
    }
    checkRangeTables(s);
    checkNormalTable(s);
    checkValues(s);
    return {std::move(s.problems), summary(s)};
}

}  // namespace ruledbtool
