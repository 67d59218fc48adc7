#include "checkstate.h"

#include "gpapr.h"
#include "ruleschema.h"
#include "rulevalues.h"

namespace ruledbtool {

using namespace tamrik;  // the table and column names

namespace {

// A few keys one by one, more as their first and last.
std::string keyList(const std::set<std::string>& keys)
{
    if (keys.size() > 5)
        return *keys.begin() + " to " + *keys.rbegin();
    std::string list;
    for (const std::string& key : keys)
        list += (list.empty() ? "" : ", ") + key;
    return list;
}

}  // namespace

void checkRangeTables(CheckState& s)
{
    const bool faculties = s.data.find(kSUName) != nullptr;
    for (const Table* t : s.data.rangeTables()) {
        const std::string& name = t->schema.name;
        s.rangeNames.push_back(name);
        std::map<std::string, std::string> seen;
        LostZeroRows lost;
        for (const Row& row : t->rows) {
            std::string code = textOf(*t, row, kFacCode);
            const auto padded = codeWithZeros(code);
            if (faculties && !s.facultyRow.count(code) && padded && s.facultyRow.count(*padded)) {
                lost.emplace_back(row.where, code);
                code = *padded;
            } else if (faculties && !s.facultyRow.count(code)) {
                s.add(name, row.where, kFacCode, "faculty \"" + code + "\" is not in SUName");
            }
            if (!seen.emplace(code, row.where).second)
                s.add(name, row.where, kFacCode, "faculty " + code + " again (first at " + seen[code] + ")");
        }
        addLostZeros(s, name, lost);
    }
    if (s.paramGiven && !s.data.find(s.params.ParamDbMaxMin))
        s.add("param.opt", "1", "-", "the range table " + s.params.ParamDbMaxMin + " is not in the data");
}

void checkNormalTable(CheckState& s)
{
    const Table* t = s.data.find(kZi2Prob);
    if (!t || t->column(kZi) < 0 || t->column(kProb) < 0) {
        s.add(kZi2Prob, "-", "-", "no table Zi2Prob with the columns Zi and Prob");
        return;
    }
    std::map<std::string, const Row*> rows;
    for (const Row& row : t->rows)
        rows.emplace(textOf(*t, row, kZi), &row);
    // Every key the GPA share can ask for, found by asking it.
    std::set<std::string> asked, missing;
    const tamrik::ProbLookup lookup = [&](const std::string& key) -> std::optional<double> {
        asked.insert(key);
        const auto found = rows.find(key);
        if (found == rows.end()) {
            missing.insert(key);
            return std::nullopt;
        }
        return numberOf(*t, *found->second, kProb);
    };
    for (int hundredths = 1; hundredths <= 400; ++hundredths)
        tamrik::GpaToProb(static_cast<float>(hundredths / 100.0), s.params.ParamMeanGpa, s.params.ParamSD, lookup);
    if (asked.empty())
        s.add("param.opt", "2", "-", "the mean " + s.params.ParamMeanGpa + " and SD " + s.params.ParamSD
                                       + " must both be above 0");
    if (!missing.empty())
        s.add(kZi2Prob, "-", kZi,
            std::to_string(missing.size()) + " keys the GPA share asks for under mean " + s.params.ParamMeanGpa
                + " and SD " + s.params.ParamSD + " have no row (" + keyList(missing)
                + "): the table is the standard normal distribution, Prob = P(Z <= Zi) for Zi "
                + "at three decimals; tamrik-ruledb normal-table --to " + *missing.rbegin()
                + " -o Zi2Prob.csv writes every row up to that key: put the file in the data folder and build it");
    s.normalKeys = asked.size();
}

// Every row, as the program checks every row at start-up: a value it
// cannot use in a row the rule load never reads still stops it.
void checkValues(CheckState& s)
{
    for (const Table& t : s.data.tables) {
        const bool range = tamrik::ruledb::isRangeTable(t.columnNames());
        if (!tamrik::hasValueRules(t.schema.name, range))
            continue;
        for (const Row& row : t.rows) {
            for (const tamrik::ValueFault& fault : tamrik::ruleValueFaults(t.schema.name, range, DataSetValueRow(t, row)))
                s.add(t.schema.name, row.where, fault.column, fault.message);
        }
    }
}

}  // namespace ruledbtool
