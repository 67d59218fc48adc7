#include "checkstate.h"

#include "facultyrule.h"
#include "numtext.h"
#include "subjectcheck.h"

#include <algorithm>
#include <cstdio>

namespace ruledbtool {

using namespace tamrik;  // the table and column names

namespace {

using Rows = CheckState::Rows;

std::string fourDigits(std::size_t n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04zu", n);
    return text;
}

bool isFacultyCode(const std::string& code)
{
    return code.size() == 4 && std::all_of(code.begin(), code.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// Rows that lost their zeros are filed under the code they stand for, so
// that one line names them instead of one for each row and faculty.
std::map<std::string, CheckState::Rows> rowsByFaculty(CheckState& s, const char* name)
{
    const Table& t = s.table(name);
    std::map<std::string, Rows> rows;
    LostZeroRows lost;
    for (const Row& row : t.rows) {
        std::string code = textOf(t, row, kFacCode);
        if (!s.facultyRow.count(code)) {
            const auto padded = codeWithZeros(code);
            if (padded && s.facultyRow.count(*padded)) {
                lost.emplace_back(row.where, code);
                s.lostZeros.insert(*padded);
                code = *padded;
            } else {
                s.add(name, row.where, kFacCode, "faculty \"" + code + "\" is not in SUName");
            }
        }
        rows[code].push_back(&row);
    }
    addLostZeros(s, name, lost);
    return rows;
}

}  // namespace

std::optional<std::string> codeWithZeros(const std::string& code)
{
    const bool digits = std::all_of(code.begin(), code.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    if (code.empty() || code.size() >= 4 || !digits)
        return std::nullopt;
    return std::string(4 - code.size(), '0') + code;
}

void addLostZeros(CheckState& s, const std::string& table, const LostZeroRows& rows)
{
    if (rows.empty())
        return;
    const auto& [where, code] = rows.front();
    s.add(table, where, kFacCode,
        std::to_string(rows.size()) + " faculty code" + (rows.size() == 1 ? " has" : "s have")
            + " lost their leading zeros, \"" + code + "\" for \"" + *codeWithZeros(code)
            + "\" the first: the column was saved as numbers; save it as text");
}

bool checkTablesPresent(CheckState& s)
{
    bool all = true;
    // Zi2Prob apart: checkNormalTable names what the GPA share misses in it.
    for (const TableSchema& schema : tamrik::ruledb::ruleTables()) {
        if (schema.name == kZi2Prob)
            continue;
        const Table* found = s.data.find(schema.name);
        if (!found) {
            s.add(schema.name, "-", "-", "no table " + schema.name);
            all = false;
            continue;
        }
        for (const ColumnSchema& column : schema.columns) {
            if (found->column(column.name) < 0) {
                s.add(schema.name, "-", column.name, "no column " + column.name);
                all = false;
            }
        }
    }
    return all;
}

void checkSubjects(CheckState& s)
{
    const Table& t = s.table(kSubjectTable);
    std::map<std::size_t, std::string> seen;  // by score slot: "1" and "01" share one
    for (const Row& row : t.rows) {
        const std::string code = textOf(t, row, kSubCod);
        const auto slot = tamrik::scoreSlot(code);
        if (!slot) {
            s.add(kSubjectTable, row.where, kSubCod, "subject code \"" + code + "\" is not 01 to 51");
            continue;
        }
        if (!seen.emplace(*slot, row.where).second) {
            s.add(kSubjectTable, row.where, kSubCod, "subject " + code + " again (first at " + seen[*slot] + ")");
            continue;
        }
        if (textOf(t, row, kSubName).empty())
            s.add(kSubjectTable, row.where, kSubName, "subject " + code + " has no name");
        const auto type = numberOf(t, row, kSubTyp);
        if (!type || (*type != 0 && *type != 1))
            continue;  // named by checkValues
        // The rows follow SubTyp, the criteria and weights the code: both must agree.
        const bool mainCode = static_cast<double>(*slot + 1) < kFirstSpecialCode;
        if ((*type == 0) != mainCode)
            s.add(kSubjectTable, row.where, kSubTyp,
                "subject " + code + " has SubTyp " + tamrik::numberText(*type) + ", but codes below 16 are main "
                    + "and the others special in tableCRT and tableSUM");
        s.subjectMain[code] = *type == 0;
    }
}

void checkFaculties(CheckState& s)
{
    const Table& t = s.table(kSUName);
    std::map<std::string, std::string> codeAt, universityAt;
    std::map<std::pair<std::string, std::string>, std::string> nameAt;
    std::string previous;
    if (t.rows.empty())
        s.add(kSUName, "-", "-", "no faculty: the program needs one at least");
    LostZeroRows lost;
    for (const Row& row : t.rows) {
        std::string code = textOf(t, row, kFacCode);
        const std::string university = textOf(t, row, kUName);
        const std::string faculty = textOf(t, row, kFacName);
        if (const auto padded = codeWithZeros(code)) {
            lost.emplace_back(row.where, code);
            s.lostZeros.insert(*padded);
            code = *padded;
        }
        if (!isFacultyCode(code))
            s.add(kSUName, row.where, kFacCode, "faculty code \"" + code + "\" is not four digits");
        else if (!codeAt.emplace(code, row.where).second)
            s.add(kSUName, row.where, kFacCode, "faculty " + code + " again (first at " + codeAt[code] + ")");
        else
            s.facultyRow[code] = row.where;
        if (university.empty())
            s.add(kSUName, row.where, kUName, "no university name");
        if (faculty.empty())
            s.add(kSUName, row.where, kFacName, "no faculty name");
        // Page 1 lists a university once for each run of its rows.
        if (university != previous && universityAt.count(university))
            s.add(kSUName, row.where, kUName,
                university + ": its faculties are not together (also at " + universityAt[university] + ")");
        universityAt.emplace(university, row.where);
        previous = university;
        // A pick from the list finds the first row of the name only.
        if (!nameAt.emplace(std::make_pair(university, faculty), row.where).second)
            s.add(kSUName, row.where, kFacName,
                faculty + " twice in " + university + " (first at " + nameAt[{university, faculty}] + ")");
    }
    addLostZeros(s, kSUName, lost);
    // A typed code is checked against the row count, not the codes.
    const std::size_t count = t.rows.size();
    for (const auto& [code, where] : s.facultyRow) {
        if (std::stoul(code) == 0 || std::stoul(code) > count)
            s.add(kSUName, where, kFacCode,
                "faculty " + code + " is outside 0001 to " + fourDigits(count) + ", the row count");
    }
    for (std::size_t n = 1; n <= count; ++n) {
        if (!s.facultyRow.count(fourDigits(n)))
            s.add(kSUName, "-", kFacCode, "no faculty " + fourDigits(n) + ": codes run from 0001 without gaps");
    }

    for (const char* name : kFacultyTables)
        s.rowsOf[name] = rowsByFaculty(s, name);
    s.rowsOf[kTb6174] = rowsByFaculty(s, kTb6174);
}

}  // namespace ruledbtool
