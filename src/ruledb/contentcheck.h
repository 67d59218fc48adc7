#pragma once
// What the program asks of a rule database's content before it shows a
// figure, beyond the tables and columns requireRuleTables names: no view
// (only real tables are read, and a view may compute rows without end),
// every rule value one the engine can use (rulevalues.h), and the content
// its build recorded. SQLite keeps no checksum of its own: a flipped bit in a
// page passes its checks and turns into another figure.

#include "buildinfo.h"
#include "ruledatabase.h"

#include <string>

namespace tamrik::ruledb {

// The digest the build records: CRC-64 (crc64.h) of the file's bytes, read
// through the connection, but for the page holding TamrikInfo's row and the
// header's fields that hold no content (counters every write moves, labels);
// then the admission year and the sample mark of `info`, which that page
// holds. 16 hex digits. Cheaper than reading every value: checking it is most
// of what start-up spends on the content.
std::string contentDigest(const RuleDatabase& db, const BuildInfo& info);

// The digest a build records for this content: contentDigest when every rule
// value is one the engine can use, empty otherwise. The program checks the
// values only of a database without a digest, so a digest vouches for them.
std::string recordableDigest(const RuleDatabase& db, const BuildInfo& info);

// Throws DbError naming the first view of the database.
void requireNoViews(const RuleDatabase& db);

// Throws DbError when TamrikInfo records a digest that the content no longer
// matches. True when it matches; false when there is none to compare.
bool requireRecordedContent(const RuleDatabase& db);

// Every row of the tables with value rules; throws DbError naming the first
// value the engine cannot use.
void requireUsableValues(const RuleDatabase& db);

}  // namespace tamrik::ruledb
