#include "checkstate.h"

#include "facultyrule.h"
#include "numtext.h"
#include "subjectcheck.h"

#include <algorithm>
#include <cmath>

namespace ruledbtool {

using namespace tamrik;  // the table and column names

namespace {

using Rows = CheckState::Rows;

bool isWhole(double v, double low, double high)
{
    return v >= low && v <= high && std::floor(v) == v;
}

std::vector<std::string> checkSubjectList(CheckState& s, const std::string& fac)
{
    const Table& t = s.table(kFacsubj);
    const Row& row = *s.rowsOf[kFacsubj][fac].front();
    std::vector<std::string> subjects;
    const auto n = numberOf(t, row, kNumSubj);
    if (!n || !isWhole(*n, 1, tamrik::kMaxFacultySubjects))
        return subjects;  // named by checkValues
    std::size_t mains = 0, specials = 0;
    for (int k = 1; k <= *n; ++k) {
        const std::string column = subjectColumn(k).str();
        const std::string code = textOf(t, row, column);
        if (!tamrik::scoreSlot(code))
            s.add(kFacsubj, row.where, column, "subject code \"" + code + "\" is not 01 to 51");
        else if (!s.subjectMain.count(code))
            s.add(kFacsubj, row.where, column, "subject " + code + " is not in SubjectTable");
        else if (std::count(subjects.begin(), subjects.end(), code))
            s.add(kFacsubj, row.where, column, "subject " + code + " twice");
        else {
            subjects.push_back(code);
            ++(s.subjectMain[code] ? mains : specials);
        }
    }
    if (mains > tamrik::kMaxMainRows)
        s.add(kFacsubj, row.where, kNumSubj, std::to_string(mains) + " main subjects; the page holds 7");
    if (specials > tamrik::kMaxSpecRows)
        s.add(kFacsubj, row.where, kNumSubj, std::to_string(specials) + " special subjects; the page holds 3");
    return subjects;
}

// -1 when the count is no use (checkValues names it).
int entryCount(const Table& t, const Row& row, int least)
{
    const auto n = numberOf(t, row, kNumSub);
    return n && isWhole(*n, least, tamrik::kMaxListEntries) ? static_cast<int>(*n) : -1;
}

void checkCriteria(CheckState& s, const std::string& fac, const std::vector<std::string>& subjects)
{
    const Table& t = s.table(kTableCRT);
    const Row& row = *s.rowsOf[kTableCRT][fac].front();
    const int n = entryCount(t, row, 0);
    for (int k = 1; k <= n; ++k) {
        const std::string codeColumn = entryCodeColumn(k).str();
        const std::string code = textOf(t, row, codeColumn);
        if (std::find(subjects.begin(), subjects.end(), code) == subjects.end())
            s.add(kTableCRT, row.where, codeColumn,
                "a minimum for subject \"" + code + "\", which is not one of the faculty's subjects");
    }
}

std::vector<std::string> pairCodes(CheckState& s, const std::string& fac, const std::string& entry)
{
    s.pairUsed.insert(fac);
    const Rows& rows = s.rowsOf[kTb6174][fac];
    if (rows.empty()) {
        s.add(kTb6174, fac, kFacCode, "no row for faculty " + fac + ", whose tableSUM names the pair " + entry);
        return {};
    }
    const std::string codes = textOf(s.table(kTb6174), *rows.front(), kSubCod);
    if (codes.size() != 4 || !tamrik::scoreSlot(codes.substr(0, 2)) || !tamrik::scoreSlot(codes.substr(2))) {
        s.add(kTb6174, rows.front()->where, kSubCod, "\"" + codes + "\" is not two subject codes");
        return {};
    }
    return {codes.substr(0, 2), codes.substr(2)};
}

// The full points of the special entries, or nothing when the list is broken.
std::optional<double> checkCalculation(CheckState& s, const std::string& fac, const std::vector<std::string>& subjects)
{
    const Table& t = s.table(kTableSUM);
    const Row& row = *s.rowsOf[kTableSUM][fac].front();
    const std::size_t before = s.problems.size();
    const int n = entryCount(t, row, 1);
    if (n < 0)
        return std::nullopt;  // the entries cannot be read, so neither can what they count
    std::vector<std::string> counted;
    double specialPoints = 0;
    bool specialSeen = false;
    bool unusable = false;  // a value checkValues names
    for (int k = 1; k <= n; ++k) {
        const std::string codeColumn = entryCodeColumn(k).str();
        const std::string code = textOf(t, row, codeColumn);
        const auto value = tamrik::wholeNumber(code);
        const bool pair = value && *value >= kFirstPairCode && code.size() == 2;
        if (!pair && !tamrik::scoreSlot(code)) {
            s.add(kTableSUM, row.where, codeColumn,
                "\"" + code + "\" is neither a subject code 01 to 51 nor a pair code 61 or more");
            continue;
        }
        if (*value < kFirstSpecialCode) {
            if (specialSeen)
                s.add(kTableSUM, row.where, codeColumn,
                    "main subject " + code + " after a special entry: main entries come first");
            counted.push_back(code);
            continue;
        }
        specialSeen = true;
        const auto score = numberOf(t, row, entryScoreColumn(k).str());
        if (!score || !(*score > 0))
            unusable = true;
        else
            specialPoints += *score / 100;
        if (!pair) {
            counted.push_back(code);
        } else if (k == tamrik::kMaxListEntries) {
            s.add(kTableSUM, row.where, codeColumn, "the either-of pair cannot be the ninth entry: it fills two slots");
        } else {
            for (const std::string& half : pairCodes(s, fac, code))
                counted.push_back(half);
        }
    }
    for (const std::string& code : subjects) {
        const auto times = std::count(counted.begin(), counted.end(), code);
        if (times != 1)
            s.add(kTableSUM, row.where, kNumSub,
                "subject " + code + " of Facsubj is counted " + std::to_string(times) + " times, not once");
    }
    for (const std::string& code : std::set<std::string>(counted.begin(), counted.end())) {
        if (std::find(subjects.begin(), subjects.end(), code) == subjects.end())
            s.add(kTableSUM, row.where, kNumSub, "subject " + code + " is counted but is not in Facsubj");
    }
    const auto total = numberOf(t, row, kTotSco);
    if (!total || !(*total > 0) || !std::isfinite(*total))
        unusable = true;
    if (s.problems.size() != before || unusable)
        return std::nullopt;
    return specialPoints;
}

void checkFaculty(CheckState& s, const std::string& fac)
{
    const std::size_t before = s.problems.size();
    for (const char* name : kFacultyTables) {
        const Rows& rows = s.rowsOf[name][fac];
        if (rows.empty())
            s.add(name, fac, kFacCode, "no row for faculty " + fac);
        for (std::size_t i = 1; i < rows.size(); ++i)
            s.add(name, rows[i]->where, kFacCode,
                "a second row for faculty " + fac + "; the program reads only the first (" + rows[0]->where + ")");
    }
    // The program finds none of the rows whose code lost its zeros: their
    // table's one line says why.
    if (s.problems.size() != before || s.lostZeros.count(fac))
        return;
    const std::vector<std::string> subjects = checkSubjectList(s, fac);
    checkCriteria(s, fac, subjects);
    const std::optional<double> special = checkCalculation(s, fac, subjects);
    if (s.problems.size() != before || !special)
        return;

    // What the user's Next would meet, through the program's own rule load.
    const tamrik::RuleLoadResult loaded = tamrik::buildFacultyRule(s.source, fac, fac);
    if (!loaded.ok()) {
        s.add(kSUName, s.facultyRow[fac], kFacCode, "the program cannot load the rule: " + loaded.error);
        return;
    }
    const Table& sum = s.table(kTableSUM);
    const Row& row = *s.rowsOf[kTableSUM][fac].front();
    const double total = *numberOf(sum, row, kTotSco);
    const double full = tamrik::Val(loaded.rule->MaxMain) + *special;
    if (std::fabs(total - 10 * full) > 1e-9 * std::max(1.0, total))
        s.add(kTableSUM, row.where, kTotSco,
            "TotSco " + tamrik::numberText(total) + " is not ten times the full scores it adds up ("
                + tamrik::numberText(10 * full) + ")");
}

void checkPairRows(CheckState& s)
{
    for (const auto& [fac, rows] : s.rowsOf[kTb6174]) {
        if (!s.facultyRow.count(fac) || s.lostZeros.count(fac))
            continue;
        if (!s.pairUsed.count(fac))
            s.add(kTb6174, rows.front()->where, kFacCode,
                "faculty " + fac + " has no pair entry in tableSUM: this row is never read");
        for (std::size_t i = 1; i < rows.size(); ++i)
            s.add(kTb6174, rows[i]->where, kFacCode,
                "a second row for faculty " + fac + "; the program reads only the first");
    }
}

}  // namespace

void checkFacultyRules(CheckState& s)
{
    for (const auto& entry : s.facultyRow)
        checkFaculty(s, entry.first);
    checkPairRows(s);
}

}  // namespace ruledbtool
