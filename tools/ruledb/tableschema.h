#pragma once
// The tables of the rule database as the data set stores them: their columns
// and types (codes and names are texts, so "0001" keeps its zeros; counts and
// scores are numbers) and the index behind every key the program selects by.

#include <optional>
#include <string>
#include <vector>

namespace ruledbtool {

enum class ColumnType { Text, Integer, Real, Blob };

struct ColumnSchema {
    std::string name;
    ColumnType type;
};

struct IndexSchema {
    std::string column;
    // A unique key also catches a doubled row when the file is built. Keys
    // that may repeat keep the table's stored order among equal rows.
    bool unique;
};

struct TableSchema {
    std::string name;
    std::vector<ColumnSchema> columns;
    std::vector<IndexSchema> indexes;
};

// The tables read from CSV files whose name is the table's (SUName.csv ...).
const std::vector<TableSchema>& CsvTables();

// The table a CSV file fills, found by its name without ".csv": one of
// CsvTables(), the normal table, or a table of last year's range (any other
// name whose header is FacCode,ScMax,ScMin; its name is what the parameter
// file points at).
std::optional<TableSchema> TableForCsv(const std::string& tableName, const std::vector<std::string>& header);

// The normal-distribution table: computed when the data set has no file of it.
const TableSchema& Zi2ProbTable();

// The table the build adds about itself (src/ruledb/buildinfo.h reads it).
const TableSchema& BuildInfoTable();

}  // namespace ruledbtool
