#pragma once
// What the program asks of a rule database's content before it shows a
// figure, beyond the tables and columns RequireRuleTables names: no view
// (only real tables are read, and a view may compute rows without end),
// every rule value one the engine can use (rulevalues.h), and the content
// its build recorded. SQLite keeps no checksum of its own: a flipped bit in a
// page passes its checks and turns into another figure.

#include "buildinfo.h"
#include "ruledatabase.h"

#include <string>

namespace tamrik::ruledb {

// SHA-256 of the content as the program reads it: every table but TamrikInfo
// and SQLite's own, in name order, with its column names, its rows in stored
// order (a number as the double read, a text as its UTF-8) and the entries of
// its indexes, which single-row lookups go through; then the admission year
// and the sample mark of `info`. Independent of SQLite's page layout: export
// then build gives the same digest.
std::string ContentDigest(const RuleDatabase& db, const BuildInfo& info);

// Throws DbError naming the first view of the database.
void RequireNoViews(const RuleDatabase& db);

// Throws DbError when TamrikInfo records a digest that the content no longer
// matches; nothing to compare for a database built without one.
void RequireRecordedContent(const RuleDatabase& db);

// RequireRecordedContent and every row of the tables with value rules, read
// in one pass; throws DbError naming the first value the engine cannot use.
void RequireUsableContent(const RuleDatabase& db);

}  // namespace tamrik::ruledb
