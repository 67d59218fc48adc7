#pragma once
// The rule database's tables, described once: each table the program reads,
// its columns with their types, the index behind the key it selects rows by,
// and what makes a table one of last year's range. The start-up's check of
// the tables, the whole-table reads, and the data tool's typing of CSV files,
// build, check, export and diff all take the tables from here. The names
// themselves are core's (rulenames.h), which the rule load reads by.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik::ruledb {

// Codes and names are texts, so "0001" keeps its zeros; counts and scores
// are numbers.
enum class ColumnType { Text, Integer, Real, Blob };

struct ColumnSchema {
    std::string name;
    ColumnType type;
    // False for the entries of tableCRT and tableSUM: they are read only as
    // far as NumSub counts, so a table without the last ones still serves
    // every faculty that does not reach them.
    bool required = true;
    // How the data folder writes the column's numbers ("0.00" for a range
    // table's scores); nullptr for the shortest text that reads back the same.
    const char* pattern = nullptr;
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
    std::vector<IndexSchema> indexes;  // the first is the key

    // The column the program selects the table's rows by; empty without one.
    const std::string& key() const;
    std::vector<std::string> columnNames() const;
};

// Every table the program needs, in this order: SUName, the six tables of a
// faculty's rule (Table12, Facsubj, SubjectTable, tableCRT, tableSUM, tb6174)
// and the normal table Zi2Prob.
const std::vector<TableSchema>& ruleTables();
// One of ruleTables() by its name as spelt there; nullptr for any other.
const TableSchema* findRuleTable(std::string_view name);
// The same for a name that is one of them (the names of rulenames.h).
const TableSchema& ruleTable(std::string_view name);

// A table of last year's range, one a year; param.opt names the one the
// summary compares with. With `columns` (a file's header), its columns in
// that order: FacCode, ScMax and ScMin typed, any other kept as text, which
// the rule load never reads.
TableSchema rangeTableSchema(const std::string& name, const std::vector<std::string>& columns = {});
// Whether the columns make a range table: FacCode, ScMax and ScMin, others
// beside them allowed; names without regard to case.
bool isRangeTable(const std::vector<std::string>& columns);
// Whether the name is a year's range table, "maxminScQor" and two digits:
// the tables whose years the program lists (yearText gives the year).
bool isYearRangeTable(std::string_view name);

// The table the data tool adds about each build (buildinfo.h reads it).
const TableSchema& buildInfoTable();

// The place of the column a row is known by in a message: FacCode, SubCod
// or Zi, the first of them the columns hold; nothing when none is there.
std::optional<std::size_t> rowKeyColumn(const std::vector<std::string>& columns);

// The column of the table the program knows by that name (a rule table, or
// a range table when the columns make one), by its name without regard to
// case; nullptr for any other.
const ColumnSchema* knownColumn(std::string_view table, const std::vector<std::string>& columns,
                                std::string_view column);

// A column type as a table's declaration writes it, and as one read back
// from a declaration: INT in it makes a whole number, then REAL, FLOA or
// DOUB a number, then BLOB bytes; anything else is text.
const char* declaredType(ColumnType type);
ColumnType typeOfDeclared(std::string_view declared);

}  // namespace tamrik::ruledb
