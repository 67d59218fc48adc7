#include "ruleschema.h"

#include "buildinfo.h"
#include "facultyrule.h"
#include "rulenames.h"
#include "rulesource.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace tamrik::ruledb {

namespace {

ColumnSchema text(const char* name) { return {name, ColumnType::Text}; }
ColumnSchema whole(const char* name) { return {name, ColumnType::Integer}; }

// The faculty's key, then a count, then `columns`.
std::vector<ColumnSchema> counted(const char* count, std::vector<ColumnSchema> columns)
{
    columns.insert(columns.begin(), {text(kFacCode), whole(count)});
    return columns;
}

// tableCRT and tableSUM: nine entries, their codes then their scores.
std::vector<ColumnSchema> entries()
{
    std::vector<ColumnSchema> columns;
    for (int k = 1; k <= kMaxListEntries; ++k)
        columns.push_back({entryCodeColumn(k).str(), ColumnType::Text, false});
    for (int k = 1; k <= kMaxListEntries; ++k)
        columns.push_back({entryScoreColumn(k).str(), ColumnType::Integer, false});
    return columns;
}

std::vector<ColumnSchema> facultySubjects()
{
    std::vector<ColumnSchema> columns;
    for (int k = 1; k <= kMaxFacultySubjects; ++k)
        columns.push_back({subjectColumn(k).str(), ColumnType::Text});
    return columns;
}

}  // namespace

const std::string& TableSchema::key() const
{
    static const std::string none;
    return indexes.empty() ? none : indexes.front().column;
}

std::vector<std::string> TableSchema::columnNames() const
{
    std::vector<std::string> names;
    for (const ColumnSchema& column : columns)
        names.push_back(column.name);
    return names;
}

const std::vector<TableSchema>& ruleTables()
{
    static const std::vector<TableSchema> tables = [] {
        std::vector<ColumnSchema> sum = counted(kNumSub, entries());
        sum.push_back(whole(kTotSco));
        return std::vector<TableSchema>{
            {kSUName,
             {text(kUName), text(kFacName), text(kFacCode)},
             // UName alone, not (UName, FacName): equal keys then come back in
             // stored order, which the faculty list shows.
             {{kFacCode, true}, {kUName, false}}},
            {kTable12, counted(kNumSub, {}), {{kFacCode, true}}},
            {kFacsubj, counted(kNumSubj, facultySubjects()), {{kFacCode, true}}},
            {kSubjectTable, {text(kSubCod), text(kSubName), whole(kSubTyp)}, {{kSubCod, true}}},
            {kTableCRT, counted(kNumSub, entries()), {{kFacCode, true}}},
            {kTableSUM, sum, {{kFacCode, true}}},
            {kTb6174, {text(kFacCode), text(kSubCod)}, {{kFacCode, false}}},
            {kZi2Prob, {text(kZi), {kProb, ColumnType::Real}}, {{kZi, true}}},
        };
    }();
    return tables;
}

const TableSchema* findRuleTable(std::string_view name)
{
    for (const TableSchema& table : ruleTables()) {
        if (table.name == name)
            return &table;
    }
    return nullptr;
}

const TableSchema& ruleTable(std::string_view name)
{
    if (const TableSchema* table = findRuleTable(name))
        return *table;
    throw std::logic_error("no rule table " + std::string(name));
}

TableSchema rangeTableSchema(const std::string& name, const std::vector<std::string>& columns)
{
    // Two decimals, as a year's results are published.
    const std::vector<ColumnSchema> known = {
        text(kFacCode), {kScMax, ColumnType::Real, true, "0.00"}, {kScMin, ColumnType::Real, true, "0.00"}};
    if (columns.empty())
        return {name, known, {{kFacCode, true}}};
    TableSchema table{name, {}, {}};
    for (const std::string& column : columns) {
        const auto found = std::find_if(known.begin(), known.end(),
                                        [&](const ColumnSchema& k) { return sameColumnName(column, k.name); });
        ColumnSchema typed = found == known.end() ? text("") : *found;
        typed.name = column;
        if (found != known.end() && found->name == kFacCode)
            table.indexes.push_back({column, true});
        table.columns.push_back(typed);
    }
    return table;
}

bool isRangeTable(const std::vector<std::string>& columns)
{
    const auto has = [&](std::string_view name) {
        return std::any_of(columns.begin(), columns.end(), [&](const std::string& c) { return sameColumnName(c, name); });
    };
    return has(kFacCode) && has(kScMax) && has(kScMin);
}

bool isYearRangeTable(std::string_view name)
{
    constexpr std::string_view prefix = "maxminScQor";
    return name.size() == prefix.size() + 2 && name.substr(0, prefix.size()) == prefix
           && std::isdigit(static_cast<unsigned char>(name[prefix.size()]))
           && std::isdigit(static_cast<unsigned char>(name[prefix.size() + 1]));
}

const TableSchema& buildInfoTable()
{
    static const TableSchema table = {
        kBuildInfoTable,
        {text(kBuildDateColumn), text(kAdmissionYearColumn), text(kInputHashColumn), text(kSampleColumn),
         text(kContentHashColumn)},
        {}};
    return table;
}

const ColumnSchema* knownColumn(std::string_view table, const std::vector<std::string>& columns,
                                std::string_view column)
{
    static const TableSchema range = rangeTableSchema({});
    const TableSchema* schema = findRuleTable(table);
    if (!schema && isRangeTable(columns))
        schema = &range;
    if (!schema)
        return nullptr;
    for (const ColumnSchema& known : schema->columns) {
        if (sameColumnName(known.name, column))
            return &known;
    }
    return nullptr;
}

std::optional<std::size_t> rowKeyColumn(const std::vector<std::string>& columns)
{
    for (const char* key : {kFacCode, kSubCod, kZi}) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (sameColumnName(columns[c], key))
                return c;
        }
    }
    return std::nullopt;
}

const char* declaredType(ColumnType type)
{
    switch (type) {
    case ColumnType::Text:
        return "TEXT";
    case ColumnType::Integer:
        return "INTEGER";
    case ColumnType::Real:
        return "REAL";
    case ColumnType::Blob:
        return "BLOB";
    }
    return "";
}

ColumnType typeOfDeclared(std::string_view declared)
{
    std::string type(declared);
    std::transform(type.begin(), type.end(), type.begin(), [](unsigned char ch) { return std::toupper(ch); });
    if (type.find("INT") != std::string::npos)
        return ColumnType::Integer;
    if (type.find("REAL") != std::string::npos || type.find("FLOA") != std::string::npos
        || type.find("DOUB") != std::string::npos)
        return ColumnType::Real;
    if (type.find("BLOB") != std::string::npos)
        return ColumnType::Blob;
    return ColumnType::Text;
}

}  // namespace tamrik::ruledb
