#pragma once
// A rule data set held in memory, whether it came from a folder of CSV files
// (csvfolder.cpp, each field typed by csvtyping.cpp) or from a database
// (databasefile.cpp): every table with its columns and typed rows. Each row
// knows where it came from (its CSV line, or its key in a database), so a
// problem can name the place to mend.

#include "csvfile.h"
#include "ruleschema.h"
#include "storedvalue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ruledbtool {

// A file that cannot be read or written, named: "FILE: message" or
// "FILE:LINE:COLUMN: message", as the CSV reader names its faults.
using tamrik::FileError;
using tamrik::ruledb::ColumnSchema;
using tamrik::ruledb::ColumnType;
using tamrik::ruledb::IndexSchema;
using tamrik::ruledb::TableSchema;

// A typed value of a table: as SQLite stores it.
using Value = tamrik::ruledb::StoredValue;

struct Row {
    std::string where;  // the CSV line, or the row's key in a database
    std::vector<Value> values;
};

struct Table {
    TableSchema schema;
    std::vector<Row> rows;

    // Index of the column, matched without regard to case; -1 when none.
    int column(const std::string& name) const;
    std::vector<std::string> columnNames() const;
};

struct DataSet {
    std::vector<Table> tables;
    std::string inputHash;  // SHA-256 of the files a folder's data set was read from
    std::vector<std::string> convertedFiles;  // read as Windows-874
    bool sample = false;  // made-up data: the folder's marker file, or TamrikInfo's record of it

    const Table* find(const std::string& name) const;
    // Tables of last year's range, in name order.
    std::vector<const Table*> rangeTables() const;
};

// A text field as the column's type wants it: empty is NULL; a number column
// takes a finite decimal number only ("nan" and "inf" are not numbers).
// Nothing, with the reason in `why`, for a text that does not fit.
std::optional<Value> typedValue(const std::string& text, ColumnType type, std::string& why);

// The table a CSV file fills, found by its name without ".csv": one of the
// rule tables (ruleschema.h), or a table of last year's range (any other
// name whose header makes one; its name is what the parameter file points
// at).
std::optional<TableSchema> tableForCsv(const std::string& tableName, const std::vector<std::string>& header);

// Every .csv file of the folder, one table each, typed by the schema. Each
// fault is one "FILE:LINE:COLUMN: message" in `faults`; the tables that read
// without a fault are returned. Zi2Prob is computed when there is no file of it.
DataSet readDataFolder(const std::string& folder, std::vector<std::string>& faults);

// Every table of a SQLite file but SQLite's own. Throws FileError when the
// file cannot be read as a database.
DataSet readDatabaseFile(const std::string& path);

// Names each row of a database table by its key (FacCode, SubCod or Zi), or
// by its number when the table has none of them.
void nameRowsByKey(Table& table);

// A folder or a database file, by what the path is.
DataSet readDataSet(const std::string& path, std::vector<std::string>& faults);

// The admission year of the data: "25" and the last two digits of the newest
// range table named maxminScQor + two digits, or empty when there is none.
std::string admissionYear(const DataSet& data);

}  // namespace ruledbtool
