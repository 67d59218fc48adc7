#include "rulecheck.h"

#include "datasetrulesource.h"
#include "facultyrule.h"
#include "gpapr.h"
#include "numtext.h"
#include "rulenames.h"
#include "rulevalues.h"
#include "subjectcheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

namespace ruledbtool {

namespace {

using tamrik::kFirstPairCode;
using tamrik::kFirstSpecialCode;
using namespace tamrik;  // the table and column names
constexpr const char* kFacultyTables[] = {kTable12, kFacsubj, kTableCRT, kTableSUM};

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

bool isWhole(double v, double low, double high)
{
    return v >= low && v <= high && std::floor(v) == v;
}

class Checker {
public:
    Checker(const DataSet& data, const tamrik::ScoringParams& params, bool paramGiven)
        : m_data(data), m_params(params), m_paramGiven(paramGiven), m_source(data)
    {
    }

    CheckReport run()
    {
        if (haveTables()) {
            checkSubjects();
            checkFaculties();
            for (const std::string& code : m_codes)
                checkFaculty(code);
            checkPairRows();
        }
        checkRangeTables();
        checkNormalTable();
        checkValues();
        return {std::move(m_problems), summary()};
    }

private:
    using Rows = std::vector<const Row*>;

    void add(const std::string& table, const std::string& row, const std::string& column, const std::string& message)
    {
        m_problems.push_back({table, row.empty() ? "-" : row, column, message});
    }

    const Table& table(const char* name) const { return *m_data.find(name); }

    static std::string text(const Table& t, const Row& row, const std::string& column)
    {
        return DataSetValueRow(t, row).text(column);
    }

    static std::optional<double> number(const Table& t, const Row& row, const std::string& column)
    {
        return DataSetValueRow(t, row).number(column);
    }

    bool haveTables()
    {
        bool all = true;
        // Zi2Prob apart: checkNormalTable names what the GPA share misses in it.
        for (const TableSchema& schema : tamrik::ruledb::ruleTables()) {
            if (schema.name == kZi2Prob)
                continue;
            const Table* found = m_data.find(schema.name);
            if (!found) {
                add(schema.name, "-", "-", "no table " + schema.name);
                all = false;
                continue;
            }
            for (const ColumnSchema& column : schema.columns) {
                if (found->column(column.name) < 0) {
                    add(schema.name, "-", column.name, "no column " + column.name);
                    all = false;
                }
            }
        }
        return all;
    }

    void checkSubjects()
    {
        const Table& t = table(kSubjectTable);
        std::map<std::size_t, std::string> seen;  // by score slot: "1" and "01" share one
        for (const Row& row : t.rows) {
            const std::string code = text(t, row, kSubCod);
            const auto slot = tamrik::ScoreSlot(code);
            if (!slot) {
                add(kSubjectTable, row.where, kSubCod, "subject code \"" + code + "\" is not 01 to 51");
                continue;
            }
            if (!seen.emplace(*slot, row.where).second) {
                add(kSubjectTable, row.where, kSubCod, "subject " + code + " again (first at " + seen[*slot] + ")");
                continue;
            }
            if (text(t, row, kSubName).empty())
                add(kSubjectTable, row.where, kSubName, "subject " + code + " has no name");
            const auto type = number(t, row, kSubTyp);
            if (!type || (*type != 0 && *type != 1))
                continue;  // named by checkValues
            // The rows follow SubTyp, the criteria and weights the code: both must agree.
            const bool mainCode = static_cast<double>(*slot + 1) < kFirstSpecialCode;
            if ((*type == 0) != mainCode)
                add(kSubjectTable, row.where, kSubTyp,
                    "subject " + code + " has SubTyp " + tamrik::NumberText(*type) + ", but codes below 16 are main "
                        + "and the others special in tableCRT and tableSUM");
            m_subjectMain[code] = *type == 0;
        }
    }

    void checkFaculties()
    {
        const Table& t = table(kSUName);
        std::map<std::string, std::string> codeAt, universityAt;
        std::map<std::pair<std::string, std::string>, std::string> nameAt;
        std::string previous;
        if (t.rows.empty())
            add(kSUName, "-", "-", "no faculty: the program needs one at least");
        for (const Row& row : t.rows) {
            const std::string code = text(t, row, kFacCode);
            const std::string university = text(t, row, kUName);
            const std::string faculty = text(t, row, kFacName);
            if (!isFacultyCode(code))
                add(kSUName, row.where, kFacCode, "faculty code \"" + code + "\" is not four digits");
            else if (!codeAt.emplace(code, row.where).second)
                add(kSUName, row.where, kFacCode, "faculty " + code + " again (first at " + codeAt[code] + ")");
            else
                m_facultyRow[code] = row.where;
            if (university.empty())
                add(kSUName, row.where, kUName, "no university name");
            if (faculty.empty())
                add(kSUName, row.where, kFacName, "no faculty name");
            // Page 1 lists a university once for each run of its rows.
            if (university != previous && universityAt.count(university))
                add(kSUName, row.where, kUName,
                    university + ": its faculties are not together (also at " + universityAt[university] + ")");
            universityAt.emplace(university, row.where);
            previous = university;
            // A pick from the list finds the first row of the name only.
            if (!nameAt.emplace(std::make_pair(university, faculty), row.where).second)
                add(kSUName, row.where, kFacName,
                    faculty + " twice in " + university + " (first at " + nameAt[{university, faculty}] + ")");
        }
        // A typed code is checked against the row count, not the codes.
        const std::size_t count = t.rows.size();
        for (const auto& [code, where] : m_facultyRow) {
            if (std::stoul(code) == 0 || std::stoul(code) > count)
                add(kSUName, where, kFacCode,
                    "faculty " + code + " is outside 0001 to " + fourDigits(count) + ", the row count");
        }
        for (std::size_t n = 1; n <= count; ++n) {
            if (!m_facultyRow.count(fourDigits(n)))
                add(kSUName, "-", kFacCode, "no faculty " + fourDigits(n) + ": codes run from 0001 without gaps");
        }
        for (const auto& entry : m_facultyRow)
            m_codes.push_back(entry.first);

        for (const char* name : kFacultyTables)
            m_rowsOf[name] = rowsByFaculty(name);
        m_rowsOf[kTb6174] = rowsByFaculty(kTb6174);
    }

    std::map<std::string, Rows> rowsByFaculty(const char* name)
    {
        const Table& t = table(name);
        std::map<std::string, Rows> rows;
        for (const Row& row : t.rows) {
            const std::string code = text(t, row, kFacCode);
            if (!m_facultyRow.count(code))
                add(name, row.where, kFacCode, "faculty \"" + code + "\" is not in SUName");
            rows[code].push_back(&row);
        }
        return rows;
    }

    void checkFaculty(const std::string& fac)
    {
        const std::size_t before = m_problems.size();
        for (const char* name : kFacultyTables) {
            const Rows& rows = m_rowsOf[name][fac];
            if (rows.empty())
                add(name, fac, kFacCode, "no row for faculty " + fac);
            for (std::size_t i = 1; i < rows.size(); ++i)
                add(name, rows[i]->where, kFacCode,
                    "a second row for faculty " + fac + "; the program reads only the first (" + rows[0]->where + ")");
        }
        if (m_problems.size() != before)
            return;
        const std::vector<std::string> subjects = checkSubjectList(fac);
        checkCriteria(fac, subjects);
        const std::optional<double> special = checkCalculation(fac, subjects);
        if (m_problems.size() != before || !special)
            return;

        // What the user's Next would meet, through the program's own rule load.
        const tamrik::RuleLoadResult loaded = tamrik::BuildFacultyRule(m_source, fac, fac);
        if (!loaded.ok()) {
            add(kSUName, m_facultyRow[fac], kFacCode, "the program cannot load the rule: " + loaded.error);
            return;
        }
        const Table& sum = table(kTableSUM);
        const Row& row = *m_rowsOf[kTableSUM][fac].front();
        const double total = *number(sum, row, kTotSco);
        const double full = tamrik::Val(loaded.rule->MaxMain) + *special;
        if (std::fabs(total - 10 * full) > 1e-9 * std::max(1.0, total))
            add(kTableSUM, row.where, kTotSco,
                "TotSco " + tamrik::NumberText(total) + " is not ten times the full scores it adds up ("
                    + tamrik::NumberText(10 * full) + ")");
    }

    std::vector<std::string> checkSubjectList(const std::string& fac)
    {
        const Table& t = table(kFacsubj);
        const Row& row = *m_rowsOf[kFacsubj][fac].front();
        std::vector<std::string> subjects;
        const auto n = number(t, row, kNumSubj);
        if (!n || !isWhole(*n, 1, tamrik::kMaxFacultySubjects))
            return subjects;  // named by checkValues
        std::size_t mains = 0, specials = 0;
        for (int k = 1; k <= *n; ++k) {
            const std::string column = subjectColumn(k).str();
            const std::string code = text(t, row, column);
            if (!tamrik::ScoreSlot(code))
                add(kFacsubj, row.where, column, "subject code \"" + code + "\" is not 01 to 51");
            else if (!m_subjectMain.count(code))
                add(kFacsubj, row.where, column, "subject " + code + " is not in SubjectTable");
            else if (std::count(subjects.begin(), subjects.end(), code))
                add(kFacsubj, row.where, column, "subject " + code + " twice");
            else {
                subjects.push_back(code);
                ++(m_subjectMain[code] ? mains : specials);
            }
        }
        if (mains > tamrik::kMaxMainRows)
            add(kFacsubj, row.where, kNumSubj, std::to_string(mains) + " main subjects; the page holds 7");
        if (specials > tamrik::kMaxSpecRows)
            add(kFacsubj, row.where, kNumSubj, std::to_string(specials) + " special subjects; the page holds 3");
        return subjects;
    }

    // -1 when the count is no use (checkValues names it).
    int entryCount(const Table& t, const Row& row, int least)
    {
        const auto n = number(t, row, kNumSub);
        return n && isWhole(*n, least, tamrik::kMaxListEntries) ? static_cast<int>(*n) : -1;
    }

    void checkCriteria(const std::string& fac, const std::vector<std::string>& subjects)
    {
        const Table& t = table(kTableCRT);
        const Row& row = *m_rowsOf[kTableCRT][fac].front();
        const int n = entryCount(t, row, 0);
        for (int k = 1; k <= n; ++k) {
            const std::string codeColumn = entryCodeColumn(k).str();
            const std::string code = text(t, row, codeColumn);
            if (std::find(subjects.begin(), subjects.end(), code) == subjects.end())
                add(kTableCRT, row.where, codeColumn,
                    "a minimum for subject \"" + code + "\", which is not one of the faculty's subjects");
        }
    }

    // The full points of the special entries, or nothing when the list is broken.
    std::optional<double> checkCalculation(const std::string& fac, const std::vector<std::string>& subjects)
    {
        const Table& t = table(kTableSUM);
        const Row& row = *m_rowsOf[kTableSUM][fac].front();
        const std::size_t before = m_problems.size();
        const int n = entryCount(t, row, 1);
        if (n < 0)
            return std::nullopt;  // the entries cannot be read, so neither can what they count
        std::vector<std::string> counted;
        double specialPoints = 0;
        bool specialSeen = false;
        bool unusable = false;  // a value checkValues names
        for (int k = 1; k <= n; ++k) {
            const std::string codeColumn = entryCodeColumn(k).str();
            const std::string code = text(t, row, codeColumn);
            const auto value = tamrik::WholeNumber(code);
            const bool pair = value && *value >= kFirstPairCode && code.size() == 2;
            if (!pair && !tamrik::ScoreSlot(code)) {
                add(kTableSUM, row.where, codeColumn,
                    "\"" + code + "\" is neither a subject code 01 to 51 nor a pair code 61 or more");
                continue;
            }
            if (*value < kFirstSpecialCode) {
                if (specialSeen)
                    add(kTableSUM, row.where, codeColumn,
                        "main subject " + code + " after a special entry: main entries come first");
                counted.push_back(code);
                continue;
            }
            specialSeen = true;
            const auto score = number(t, row, entryScoreColumn(k).str());
            if (!score || !(*score > 0))
                unusable = true;
            else
                specialPoints += *score / 100;
            if (!pair) {
                counted.push_back(code);
            } else if (k == tamrik::kMaxListEntries) {
                add(kTableSUM, row.where, codeColumn, "the either-of pair cannot be the ninth entry: it fills two slots");
            } else {
                for (const std::string& half : pairCodes(fac, code))
                    counted.push_back(half);
            }
        }
        for (const std::string& code : subjects) {
            const auto times = std::count(counted.begin(), counted.end(), code);
            if (times != 1)
                add(kTableSUM, row.where, kNumSub,
                    "subject " + code + " of Facsubj is counted " + std::to_string(times) + " times, not once");
        }
        for (const std::string& code : std::set<std::string>(counted.begin(), counted.end())) {
            if (std::find(subjects.begin(), subjects.end(), code) == subjects.end())
                add(kTableSUM, row.where, kNumSub, "subject " + code + " is counted but is not in Facsubj");
        }
        const auto total = number(t, row, kTotSco);
        if (!total || !(*total > 0) || !std::isfinite(*total))
            unusable = true;
        if (m_problems.size() != before || unusable)
            return std::nullopt;
        return specialPoints;
    }

    std::vector<std::string> pairCodes(const std::string& fac, const std::string& entry)
    {
        m_pairUsed.insert(fac);
        const Rows& rows = m_rowsOf[kTb6174][fac];
        if (rows.empty()) {
            add(kTb6174, fac, kFacCode, "no row for faculty " + fac + ", whose tableSUM names the pair " + entry);
            return {};
        }
        const std::string codes = text(table(kTb6174), *rows.front(), kSubCod);
        if (codes.size() != 4 || !tamrik::ScoreSlot(codes.substr(0, 2)) || !tamrik::ScoreSlot(codes.substr(2))) {
            add(kTb6174, rows.front()->where, kSubCod, "\"" + codes + "\" is not two subject codes");
            return {};
        }
        return {codes.substr(0, 2), codes.substr(2)};
    }

    void checkPairRows()
    {
        for (const auto& [fac, rows] : m_rowsOf[kTb6174]) {
            if (!m_facultyRow.count(fac))
                continue;
            if (!m_pairUsed.count(fac))
                add(kTb6174, rows.front()->where, kFacCode,
                    "faculty " + fac + " has no pair entry in tableSUM: this row is never read");
            for (std::size_t i = 1; i < rows.size(); ++i)
                add(kTb6174, rows[i]->where, kFacCode,
                    "a second row for faculty " + fac + "; the program reads only the first");
        }
    }

    void checkRangeTables()
    {
        const bool faculties = m_data.find(kSUName) != nullptr;
        for (const Table* t : m_data.rangeTables()) {
            const std::string& name = t->schema.name;
            m_rangeNames.push_back(name);
            std::map<std::string, std::string> seen;
            for (const Row& row : t->rows) {
                const std::string code = text(*t, row, kFacCode);
                if (faculties && !m_facultyRow.count(code))
                    add(name, row.where, kFacCode, "faculty \"" + code + "\" is not in SUName");
                if (!seen.emplace(code, row.where).second)
                    add(name, row.where, kFacCode, "faculty " + code + " again (first at " + seen[code] + ")");
            }
        }
        if (m_paramGiven && !m_data.find(m_params.ParamDbMaxMin))
            add("param.opt", "1", "-", "the range table " + m_params.ParamDbMaxMin + " is not in the data");
    }

    void checkNormalTable()
    {
        const Table* t = m_data.find(kZi2Prob);
        if (!t || t->column(kZi) < 0 || t->column(kProb) < 0) {
            add(kZi2Prob, "-", "-", "no table Zi2Prob with the columns Zi and Prob");
            return;
        }
        std::map<std::string, const Row*> rows;
        for (const Row& row : t->rows)
            rows.emplace(text(*t, row, kZi), &row);
        // Every key the GPA share can ask for, found by asking it.
        std::set<std::string> asked, missing;
        const tamrik::ProbLookup lookup = [&](const std::string& key) -> std::optional<double> {
            asked.insert(key);
            const auto found = rows.find(key);
            if (found == rows.end()) {
                missing.insert(key);
                return std::nullopt;
            }
            return number(*t, *found->second, kProb);
        };
        for (int hundredths = 1; hundredths <= 400; ++hundredths)
            tamrik::GpaToProb(static_cast<float>(hundredths / 100.0), m_params.ParamMeanGpa, m_params.ParamSD, lookup);
        if (asked.empty())
            add("param.opt", "2", "-", "the mean " + m_params.ParamMeanGpa + " and SD " + m_params.ParamSD
                                           + " must both be above 0");
        if (!missing.empty())
            add(kZi2Prob, "-", kZi,
                std::to_string(missing.size()) + " keys the GPA share asks for under mean " + m_params.ParamMeanGpa
                    + " and SD " + m_params.ParamSD + " have no row (" + *missing.begin() + " to "
                    + *missing.rbegin() + ")");
        m_normalKeys = asked.size();
    }

    // Every row, as the program checks every row at start-up: a value it
    // cannot use in a row the rule load never reads still stops it.
    void checkValues()
    {
        for (const Table& t : m_data.tables) {
            const bool range = tamrik::ruledb::IsRangeTable(t.columnNames());
            if (!tamrik::HasValueRules(t.schema.name, range))
                continue;
            for (const Row& row : t.rows) {
                for (const tamrik::ValueFault& fault : tamrik::RuleValueFaults(t.schema.name, range, DataSetValueRow(t, row)))
                    add(t.schema.name, row.where, fault.column, fault.message);
            }
        }
    }

    std::string summary() const
    {
        std::set<std::string> universities;
        if (const Table* t = m_data.find(kSUName)) {
            for (const Row& row : t->rows)
                universities.insert(text(*t, row, kUName));
        }
        std::string ranges;
        for (const std::string& name : m_rangeNames)
            ranges += (ranges.empty() ? "" : ", ") + name;
        return std::to_string(m_codes.size()) + " faculties of " + std::to_string(universities.size())
               + " universities, " + std::to_string(m_subjectMain.size()) + " subjects, range tables "
               + (ranges.empty() ? "none" : ranges) + ", " + std::to_string(m_normalKeys)
               + " normal-table keys for mean " + m_params.ParamMeanGpa + " and SD " + m_params.ParamSD;
    }

    const DataSet& m_data;
    const tamrik::ScoringParams& m_params;
    const bool m_paramGiven;
    DataSetRuleSource m_source;
    std::vector<Problem> m_problems;
    std::map<std::string, bool> m_subjectMain;       // code -> SubTyp 0
    std::map<std::string, std::string> m_facultyRow;  // code -> its SUName row
    std::vector<std::string> m_codes;
    std::map<std::string, std::map<std::string, Rows>> m_rowsOf;  // table -> faculty -> rows
    std::set<std::string> m_pairUsed;
    std::vector<std::string> m_rangeNames;
    std::size_t m_normalKeys = 0;
};

}  // namespace

std::string ProblemLine(const Problem& problem)
{
    return problem.table + ":" + problem.row + ":" + problem.column + ": " + problem.message;
}

CheckReport CheckRuleData(const DataSet& data, const tamrik::ScoringParams& params, bool paramGiven)
{
    return Checker(data, params, paramGiven).run();
}

}  // namespace ruledbtool
