#pragma once
// A new rule database, built in memory and handed out as the bytes of its
// file: the data tool's build writes through here, reads the result back
// through RuleDatabase::fromImage, and puts the bytes on the disk itself.

#include "ruleschema.h"
#include "storedvalue.h"

#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tamrik::ruledb {

class RuleDbWriter {
public:
    // Throws DbError, as every step does when SQLite fails it.
    RuleDbWriter();
    ~RuleDbWriter();
    RuleDbWriter(const RuleDbWriter&) = delete;
    RuleDbWriter& operator=(const RuleDbWriter&) = delete;

    // Around a batch of changes: nothing to roll back to in a fresh
    // database, so a failure throws the whole of it away.
    void begin();
    void commit();
    // The table with the columns of its schema; its rows follow through
    // insert and its indexes through createIndexes, once the rows are in.
    void createTable(const TableSchema& table);
    void createIndexes(const TableSchema& table);
    // One row of `table`, its values in the order of the columns, bound as
    // they are. Empty when it went in, else SQLite's reason (a doubled key).
    std::string insert(const TableSchema& table, const std::vector<StoredValue>& values);

    // The database's file as it stands.
    std::string image() const;

private:
    void exec(const std::string& sql);

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;  // for m_insertTable
    std::string m_insertTable;
};

}  // namespace tamrik::ruledb
