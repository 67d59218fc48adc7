#include "tableschema.h"

#include "buildinfo.h"

#include <algorithm>
#include <cstdio>

namespace ruledbtool {

namespace {

std::vector<ColumnSchema> numbered(const std::string& prefix, int count, const char* format, ColumnType type)
{
    std::vector<ColumnSchema> columns;
    for (int k = 1; k <= count; ++k) {
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, format, k);
        columns.push_back({prefix + suffix, type});
    }
    return columns;
}

std::vector<ColumnSchema> joined(std::vector<ColumnSchema> a, const std::vector<ColumnSchema>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// tableCRT and tableSUM: a count, then nine codes and nine scores.
std::vector<ColumnSchema> ruleEntries()
{
    return joined(joined({{"FacCode", ColumnType::Text}, {"NumSub", ColumnType::Integer}},
                         numbered("SubCod", 9, "%02d", ColumnType::Text)),
                  numbered("Sco", 9, "%02d", ColumnType::Integer));
}

TableSchema rangeTable(const std::string& name)
{
    return {name,
            {{"FacCode", ColumnType::Text}, {"ScMax", ColumnType::Real}, {"ScMin", ColumnType::Real}},
            {{"FacCode", true}}};
}

}  // namespace

const std::vector<TableSchema>& CsvTables()
{
    static const std::vector<TableSchema> tables = {
        {"SUName",
         {{"UName", ColumnType::Text}, {"FacName", ColumnType::Text}, {"FacCode", ColumnType::Text}},
         // UName alone, not (UName, FacName): equal keys then come back in
         // stored order, which the faculty list shows.
         {{"FacCode", true}, {"UName", false}}},
        {"Table12", {{"FacCode", ColumnType::Text}, {"NumSub", ColumnType::Integer}}, {{"FacCode", true}}},
        {"Facsubj",
         joined({{"FacCode", ColumnType::Text}, {"NumSubj", ColumnType::Integer}},
                numbered("Sub", 8, "%d", ColumnType::Text)),
         {{"FacCode", true}}},
        {"SubjectTable",
         {{"SubCod", ColumnType::Text}, {"SubName", ColumnType::Text}, {"SubTyp", ColumnType::Integer}},
         {{"SubCod", true}}},
        {"tableCRT", ruleEntries(), {{"FacCode", true}}},
        {"tableSUM", joined(ruleEntries(), {{"TotSco", ColumnType::Integer}}), {{"FacCode", true}}},
        {"tb6174", {{"FacCode", ColumnType::Text}, {"SubCod", ColumnType::Text}}, {{"FacCode", false}}},
    };
    return tables;
}

std::optional<TableSchema> TableForCsv(const std::string& tableName, const std::vector<std::string>& header)
{
    for (const TableSchema& table : CsvTables()) {
        if (table.name == tableName)
            return table;
    }
    if (tableName == Zi2ProbTable().name)
        return Zi2ProbTable();
    if (tableName == BuildInfoTable().name)
        return std::nullopt;
    if (header == std::vector<std::string>{"FacCode", "ScMax", "ScMin"})
        return rangeTable(tableName);
    return std::nullopt;
}

const TableSchema& Zi2ProbTable()
{
    static const TableSchema table = {
        "Zi2Prob", {{"Zi", ColumnType::Text}, {"Prob", ColumnType::Real}}, {{"Zi", true}}};
    return table;
}

const TableSchema& BuildInfoTable()
{
    using namespace tamrik::ruledb;
    static const TableSchema table = {kBuildInfoTable,
                                    {{kBuildDateColumn, ColumnType::Text},
                                     {kAdmissionYearColumn, ColumnType::Text},
                                     {kInputHashColumn, ColumnType::Text},
                                     {kSampleColumn, ColumnType::Text},
                                     {kContentHashColumn, ColumnType::Text}},
                                    {}};
    return table;
}

}  // namespace ruledbtool
