#include "rulediff.h"

#include "csvtext.h"
#include "datasetrulesource.h"
#include "facultyrule.h"
#include "rulenames.h"
#include "ruleschema.h"
#include "buildinfo.h"
#include "gpapr.h"
#include "summary.h"

#include <algorithm>
#include <map>
#include <set>

namespace ruledbtool {

namespace {

struct Faculty {
    std::string name, university;
    std::map<std::string, std::string> aspects;  // what -> how it reads
};

std::string joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

// The aspects a maintainer compares, each as one readable text.
std::map<std::string, std::string> aspectsOf(const tamrik::RuleLoadResult& loaded)
{
    if (!loaded.ok())
        return {{"rule", "does not load: " + loaded.error}};
    const tamrik::FacultyRule& rule = *loaded.rule;
    std::vector<std::string> mains, specials, weights{"main " + rule.WMain}, minimums;
    for (const auto& row : rule.MainRows) {
        mains.push_back(row.SubCod + " " + row.SubName);
        if (row.MinPercent != "0")
            minimums.push_back(row.SubCod + " > " + row.MinPercent + " %");
    }
    for (const auto& row : rule.SpecRows) {
        specials.push_back(row.SubCod + " " + row.SubName);
        weights.push_back(row.SubCod + " " + row.Weight);
        if (row.MinPercent != "0")
            minimums.push_back(row.SubCod + " > " + row.MinPercent + " %");
    }
    if (rule.Rule0102)
        minimums.push_back("01 + 02 > 30 %");
    const std::string pair = rule.PairGroup
                                 ? rule.PairGroup->CodeA + " or " + rule.PairGroup->CodeB + ", weight "
                                       + rule.PairGroup->WeightText
                                 : "none";
    // The full scores as page 4 shows them, from the weights the rule gives.
    const std::string share = tamrik::fullShareText(rule.ScorePerPercent);
    const tamrik::SummaryTexts summary = tamrik::buildSummary({0, 0, 0, 0, rule.MaxMain, rule.MaxSP, share, share, {}, {}});
    const auto& full = summary.LabelMaxScore;
    return {{"subjects", "main " + joined(mains, ", ") + "; special " + (specials.empty() ? "none" : joined(specials, ", "))},
            {"weights", joined(weights, ", ")},
            {"full scores", "main " + full[0] + ", special " + full[1] + ", GPA " + full[2] + ", PR " + full[3]
                                + ", total " + summary.Label_total_score[1]},
            {"minimums", minimums.empty() ? "none" : joined(minimums, ", ")},
            {"pair", pair}};
}

// Each faculty's "ScMin to ScMax" in a range table, from its first row as the
// program reads it.
std::map<std::string, std::string> rangesOf(const Table& table)
{
    std::map<std::string, std::string> ranges;
    const int code = table.column(tamrik::kFacCode), low = table.column(tamrik::kScMin), high = table.column(tamrik::kScMax);
    for (const Row& row : table.rows)
        ranges.emplace(row.values[static_cast<std::size_t>(code)].toText(),
                       row.values[static_cast<std::size_t>(low)].toText() + " to "
                           + row.values[static_cast<std::size_t>(high)].toText());
    return ranges;
}

// The range tables both sides hold: a year's table new on one side is no
// change of any one faculty.
std::vector<std::string> sharedRangeTables(const DataSet& older, const DataSet& newer)
{
    std::vector<std::string> shared;
    for (const Table* table : newer.rangeTables()) {
        const Table* other = older.find(table->schema.name);
        if (other && tamrik::ruledb::isRangeTable(other->columnNames()))
            shared.push_back(table->schema.name);
    }
    return shared;
}

std::map<std::string, Faculty> facultiesOf(const DataSet& data, const std::vector<std::string>& rangeTables)
{
    std::map<std::string, Faculty> faculties;
    std::map<std::string, std::map<std::string, std::string>> ranges;
    for (const std::string& table : rangeTables)
        ranges[table] = rangesOf(*data.find(table));
    const Table* names = data.find(tamrik::kSUName);
    if (!names)
        return faculties;
    const int code = names->column(tamrik::kFacCode), name = names->column(tamrik::kFacName),
              university = names->column(tamrik::kUName);
    if (code < 0 || name < 0 || university < 0)
        return faculties;
    DataSetRuleSource source(data);
    for (const Row& row : names->rows) {
        const std::string fac = row.values[static_cast<std::size_t>(code)].toText();
        if (faculties.count(fac))
            continue;
        Faculty& faculty = faculties[fac];
        faculty = {row.values[static_cast<std::size_t>(name)].toText(),
                   row.values[static_cast<std::size_t>(university)].toText(),
                   aspectsOf(tamrik::buildFacultyRule(source, fac, fac))};
        for (const auto& [table, rows] : ranges) {
            const auto found = rows.find(fac);
            faculty.aspects[table] = found == rows.end() ? "none" : found->second;
        }
    }
    return faculties;
}

std::string rowCount(const Table& table)
{
    return std::to_string(table.rows.size()) + (table.rows.size() == 1 ? " row" : " rows");
}

// Read faculty by faculty: their changes show as the faculties' own.
bool comparedByFaculty(const Table& table)
{
    return (tamrik::ruledb::findRuleTable(table.schema.name) && table.schema.name != tamrik::kZi2Prob)
           || tamrik::ruledb::isRangeTable(table.columnNames());
}

// Tables added or removed, changed columns, and the content of the tables
// no faculty shows: Zi2Prob and those the program does not read.
std::vector<Change> tableChanges(const DataSet& older, const DataSet& newer)
{
    std::vector<std::string> names;
    for (const DataSet* data : {&older, &newer}) {
        for (const Table& table : data->tables) {
            if (table.schema.name != tamrik::ruledb::buildInfoTable().name
                && std::find(names.begin(), names.end(), table.schema.name) == names.end())
                names.push_back(table.schema.name);
        }
    }
    std::vector<Change> changes;
    for (const std::string& name : names) {
        const Table* was = older.find(name);
        const Table* is = newer.find(name);
        const Table& shown = is ? *is : *was;
        const bool known = tamrik::ruledb::findRuleTable(name) || tamrik::ruledb::isRangeTable(shown.columnNames());
        const std::string label = "table " + name, unread = known ? "" : " (a table the program does not read)";
        if (!was) {
            changes.push_back({"", label, "added", "", rowCount(*is) + unread});
            continue;
        }
        if (!is) {
            changes.push_back({"", label, "removed", rowCount(*was) + unread, ""});
            continue;
        }
        if (was->columnNames() != is->columnNames())
            changes.push_back({"", label, "columns", joined(was->columnNames(), ", "), joined(is->columnNames(), ", ")});
        if (comparedByFaculty(*was) && comparedByFaculty(*is))
            continue;
        std::size_t changed = 0;
        for (std::size_t r = 0; r < std::min(was->rows.size(), is->rows.size()); ++r)
            changed += was->rows[r].values != is->rows[r].values;
        if (was->rows.size() != is->rows.size() || changed > 0)
            changes.push_back({"", label, "rows", rowCount(*was),
                               rowCount(*is) + (changed ? ", " + std::to_string(changed) + " of them changed" : "")});
    }
    return changes;
}

}  // namespace

std::vector<Change> diffRuleData(const DataSet& older, const DataSet& newer)
{
    const std::vector<std::string> rangeTables = sharedRangeTables(older, newer);
    const std::map<std::string, Faculty> before = facultiesOf(older, rangeTables),
                                         after = facultiesOf(newer, rangeTables);
    std::vector<std::string> aspects{"rule", "subjects", "weights", "full scores", "minimums", "pair"};
    aspects.insert(aspects.end(), rangeTables.begin(), rangeTables.end());
    std::set<std::string> codes;
    for (const auto& entry : before)
        codes.insert(entry.first);
    for (const auto& entry : after)
        codes.insert(entry.first);

    std::vector<Change> changes = tableChanges(older, newer);
    for (const std::string& code : codes) {
        const auto was = before.find(code);
        const auto is = after.find(code);
        const Faculty& shown = is != after.end() ? is->second : was->second;
        const std::string label = shown.name + ", " + shown.university;
        if (was == before.end()) {
            changes.push_back({code, label, "added", "", label});
            continue;
        }
        if (is == after.end()) {
            changes.push_back({code, label, "removed", label, ""});
            continue;
        }
        if (was->second.name != is->second.name)
            changes.push_back({code, label, "name", was->second.name, is->second.name});
        if (was->second.university != is->second.university)
            changes.push_back({code, label, "university", was->second.university, is->second.university});
        for (const std::string& what : aspects) {
            const auto a = was->second.aspects.find(what);
            const auto b = is->second.aspects.find(what);
            const std::string oldText = a == was->second.aspects.end() ? "" : a->second;
            const std::string newText = b == is->second.aspects.end() ? "" : b->second;
            if (oldText != newText)
                changes.push_back({code, label, what, oldText, newText});
        }
    }
    return changes;
}

std::string diffText(const std::vector<Change>& changes)
{
    if (changes.empty())
        return "no changes\n";
    std::string text, current;
    std::set<std::string> faculties, tables;
    for (const Change& change : changes) {
        const bool table = change.facCode.empty();
        const std::string heading = table ? change.faculty : change.facCode + " " + change.faculty;
        if (heading != current) {
            current = heading;
            (table ? tables : faculties).insert(heading);
            text += heading + "\n";
        }
        if (table && change.what == "added")
            text += "  added: " + change.after + "\n";
        else if (table && change.what == "removed")
            text += "  removed: " + change.before + "\n";
        else if (change.what == "added" || change.what == "removed")
            text += "  " + change.what + "\n";
        else
            text += "  " + change.what + ": " + change.before + " -> " + change.after + "\n";
    }
    text += std::to_string(changes.size()) + " changes in " + std::to_string(faculties.size()) + " faculties";
    if (!tables.empty())
        text += " and " + std::to_string(tables.size()) + (tables.size() == 1 ? " table" : " tables");
    return text + "\n";
}

std::string diffCsv(const std::vector<Change>& changes)
{
    std::string text = "FacCode,Faculty,Change,Old,New\n";
    for (const Change& change : changes)
        text += tamrik::csvLine({change.facCode, change.faculty, change.what, change.before, change.after}) + "\n";
    return text;
}

}  // namespace ruledbtool
