#pragma once
// Changes a built rule database as the tool that builds it would: the SQL
// runs, then the digest a build would record for the new content is recorded
// (when the file records one): none when a value is unusable, so that the
// program checks the values and refuses it for them rather than as damage.
// Link SQLite::SQLite3 and tamrik_ruledb.

#include "contentcheck.h"

#include <sqlite3.h>

#include <optional>
#include <string>

namespace tamrik::test {

// False when SQLite refuses the SQL or the digest cannot be recorded.
// `record` false: changed behind the build's back, as damage would.
inline bool ChangeRuleDb(const std::string& path, const std::string& sql, bool record = true)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK
              && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    std::optional<std::string> digest;
    try {
        if (!record)
            throw ruledb::DbError("left unrecorded");
        const ruledb::RuleDatabase changed(path);
        if (const auto info = ruledb::readBuildInfo(changed); info && !info->ContentHash.empty())
            digest = ruledb::recordableDigest(changed, *info);
    } catch (const ruledb::DbError&) {
        // Not a database the program would open: nothing to record.
    }
    if (digest)
        ok = ok && sqlite3_exec(db, ("UPDATE TamrikInfo SET ContentHash = '" + *digest + "';").c_str(), nullptr,
                                nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

}  // namespace tamrik::test
