#pragma once
// A small SQLite file made for one test from an SQL script, in a fresh
// temporary folder, plus a writable look at it from outside the code under test.

#include "tempfolder.h"

#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace tamrik::test {

// Runs a script on the file (created when missing) with a read-write
// connection of its own; throws with SQLite's message on failure.
inline void RunScript(const std::filesystem::path& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string why = message ? message : "";
    sqlite3_free(message);
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("test script failed: " + why);
}

class ScratchDb {
public:
    explicit ScratchDb(const std::string& script) : m_file(m_folder.path() / "ScoreRule.mdb")
    {
        RunScript(m_file, script);
    }
    std::string path() const { return m_file.string(); }
    const std::filesystem::path& folder() const { return m_folder.path(); }

private:
    TempFolder m_folder;
    std::filesystem::path m_file;
};

}  // namespace tamrik::test
