#pragma once
// What the rule database's own files share about a SQLite statement:
// finalizing it on every way out, and reading a column of the row it stands
// on. Not for use outside src/ruledb.

#include "ruledatabase.h"

#include <sqlite3.h>

#include <string>
#include <string_view>

namespace tamrik::ruledb {

// A text between double quotes, for a message.
inline std::string inQuotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// Finalizes the statement on every way out of a query.
struct StatementGuard {
    sqlite3_stmt* stmt = nullptr;
    ~StatementGuard() { sqlite3_finalize(stmt); }
};

// A column that cannot be read; the query turns it into its DbError.
struct ColumnFault {
    std::string why;
};

// A column's value as text, valid until the statement steps on. Throws
// ColumnFault for one longer than RuleDatabase::MaxTextBytes.
std::string_view readText(sqlite3* db, sqlite3_stmt* stmt, int col);
DbValue readColumn(sqlite3* db, sqlite3_stmt* stmt, int col);

}  // namespace tamrik::ruledb
