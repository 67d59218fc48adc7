#pragma once
// Changes a built rule database as the tool that builds it would: the SQL
// runs, then the new content's digest is recorded (when the file records
// one), so the change reaches the program instead of being refused as
// damage. Link SQLite::SQLite3 and tamrik_ruledb.

#include "contentcheck.h"

#include <sqlite3.h>

#include <string>

namespace tamrik::test {

// False when SQLite refuses the SQL or the digest cannot be recorded.
// `record` false: changed behind the build's back, as damage would.
inline bool ChangeRuleDb(const std::string& path, const std::string& sql, bool record = true)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK
              && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    std::string digest;
    try {
        if (!record)
            throw ruledb::DbError("left unrecorded");
        const ruledb::RuleDatabase changed(path);
        if (const auto info = ruledb::ReadBuildInfo(changed); info && !info->ContentHash.empty())
            digest = ruledb::ContentDigest(changed, *info);
    } catch (const ruledb::DbError&) {
        // Not a database the program would open: nothing to record.
    }
    if (!digest.empty())
        ok = ok && sqlite3_exec(db, ("UPDATE TamrikInfo SET ContentHash = '" + digest + "';").c_str(), nullptr,
                                nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

}  // namespace tamrik::test
