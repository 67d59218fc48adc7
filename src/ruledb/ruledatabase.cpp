#include "statement.h"

#include "buildinfo.h"
#include "contentcheck.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tamrik::ruledb {

namespace {

// A file name as a file: URI. %, ? and # would otherwise end the path or
// start an escape.
std::string FileUri(const std::string& path)
{
    std::string uri = "file:";
    // UTF-8 both ways: Windows would otherwise read the name in its ANSI code page.
    const std::string absolute = std::filesystem::absolute(std::filesystem::u8path(path)).generic_u8string();
    if (absolute.rfind("//", 0) == 0)
        uri += "//";  // an empty authority, so the path is not read as a host
    else if (absolute.rfind('/', 0) != 0)
        uri += "///";  // C:/...: an empty authority, then the drive
    for (char ch : absolute) {
        if (ch == '%' || ch == '?' || ch == '#') {
            static const char hex[] = "0123456789ABCDEF";
            uri += '%';
            uri += hex[static_cast<unsigned char>(ch) >> 4];
            uri += hex[static_cast<unsigned char>(ch) & 0xf];
        } else {
            uri += ch;
        }
    }
    return uri + "?immutable=1";
}

}  // namespace

RuleDatabase::RuleDatabase(const std::string& path) : m_path(path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(fs::u8path(path), ec);  // UTF-8, not the ANSI code page
    if (!fs::exists(status))
        throw DbError("ไม่พบแฟ้มฐานข้อมูล " + inQuotes(path) + " (the file does not exist)");
    if (fs::is_directory(status))
        throw DbError(inQuotes(path) + " เป็นโฟลเดอร์ ไม่ใช่แฟ้มฐานข้อมูล (a folder, not a database file)");
    // A FIFO or a device would keep open() or the first read waiting for ever.
    if (!fs::is_regular_file(status))
        throw DbError(inQuotes(path) + " ไม่ใช่แฟ้มข้อมูลธรรมดา (not a regular file: a pipe or a device)");

    // Immutable: the program never writes the file, so SQLite need not look
    // for a journal beside it, lock it, or make -wal and -shm files.
    // No lock of SQLite's own: one thread at a time uses the connection, and
    // taking a lock on every cell read cost a tenth of reading every rule.
    const int rc = sqlite3_open_v2(FileUri(path).c_str(), &m_db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string detail = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw DbError("เปิดแฟ้มฐานข้อมูล " + inQuotes(path) + " ไม่ได้ (cannot read the file: " + detail + ")");
    }
    // Its 120 kB of small-allocation slots, every page of them touched as
    // they are laid out, buy nothing measurable here (the all-faculties
    // window and the rule loads time the same without them).
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_LOOKASIDE, nullptr, 0, 0);
    try {
        checkHeader();
        checkWholeFile();
    } catch (...) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw;
    }
}

std::unique_ptr<RuleDatabase> RuleDatabase::fromImage(std::string_view image, const std::string& name)
{
    std::unique_ptr<RuleDatabase> db(new RuleDatabase());
    db->m_path = name;
    auto* bytes = reinterpret_cast<unsigned char*>(const_cast<char*>(image.data()));
    const auto size = static_cast<sqlite3_int64>(image.size());
    // Read-only: SQLite never writes to nor frees the caller's bytes.
    if (sqlite3_open_v2(":memory:", &db->m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK
        || sqlite3_deserialize(db->m_db, "main", bytes, size, size, SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
        throw DbError("อ่านฐานข้อมูล " + inQuotes(name) + " ในหน่วยความจำไม่ได้ (" + sqlite3_errmsg(db->m_db) + ")");
    db->checkHeader();
    db->checkWholeFile();
    return db;
}

void RuleDatabase::checkHeader()
{
    // SQLite only reads the header at the first statement: check it now, so
    // that a wrong file is reported at start-up and not at the first query.
    StatementGuard guard;
    int check = sqlite3_prepare_v2(m_db, "SELECT count(*) FROM sqlite_master", -1, &guard.stmt, nullptr);
    int tables = 0;
    if (check == SQLITE_OK) {
        check = sqlite3_step(guard.stmt);
        if (check == SQLITE_ROW)
            tables = sqlite3_column_int(guard.stmt, 0);
    }
    if (check != SQLITE_ROW) {
        if ((sqlite3_errcode(m_db) & 0xff) == SQLITE_NOTADB)
            throw DbError("แฟ้ม " + inQuotes(m_path) + " ไม่ใช่ฐานข้อมูล (not a database)");
        throw DbError("อ่านแฟ้มฐานข้อมูล " + inQuotes(m_path) + " ไม่ได้ (cannot read the file: "
                      + sqlite3_errmsg(m_db) + ")");
    }
    // An empty file opens as an empty database; without a table it cannot be
    // the rule database, and saying so now beats a missing-table error later.
    if (tables == 0)
        throw DbError("แฟ้มฐานข้อมูล " + inQuotes(m_path) + " ไม่มีตารางข้อมูล (the database holds no tables)");
}

void RuleDatabase::checkWholeFile()
{
    // quick_check reads every page once, so a damaged page is refused here
    // instead of turning into a figure of 0 later. Kept in the page cache
    // (2 MB by default), the pages would stay the largest part of the heap
    // for the whole run; a few are enough for the check, and the queries get
    // the usual cache back.
    const int cacheSize = pragmaNumber("PRAGMA cache_size", -2000);
    sqlite3_exec(m_db, "PRAGMA cache_size=8", nullptr, nullptr, nullptr);
    struct Restore {
        sqlite3* db;
        std::string pragma;
        ~Restore() { sqlite3_exec(db, pragma.c_str(), nullptr, nullptr, nullptr); }
    } restore{m_db, "PRAGMA cache_size=" + std::to_string(cacheSize)};  // also when the check throws
    m_matchedRecordedContent = contentMatchesRecord();
    quickCheck(m_matchedRecordedContent ? "PRAGMA quick_check(" + std::string(kBuildInfoTable) + ")"
                                        : std::string("PRAGMA quick_check"));
}

bool RuleDatabase::contentMatchesRecord() const
{
    // Reading the digest costs half of what quick_check does; a file it
    // cannot be read from gets the whole check, which says what is wrong.
    try {
        const auto info = readBuildInfo(*this);
        return info && !info->ContentHash.empty() && contentDigest(*this, *info) == info->ContentHash;
    } catch (const DbError&) {
        return false;
    }
}

void RuleDatabase::readFile(const std::function<void(std::string_view block)>& each) const
{
    const auto unreadable = [this](int rc) {
        return DbError("อ่านแฟ้มฐานข้อมูล " + inQuotes(m_path) + " ไม่ได้ (cannot read the file: " + sqlite3_errstr(rc)
                       + ")");
    };
    sqlite3_file* file = nullptr;
    int rc = sqlite3_file_control(m_db, "main", SQLITE_FCNTL_FILE_POINTER, &file);
    if (rc != SQLITE_OK || !file || !file->pMethods)
        throw unreadable(rc == SQLITE_OK ? SQLITE_CANTOPEN : rc);
    sqlite3_int64 size = 0;
    if ((rc = file->pMethods->xFileSize(file, &size)) != SQLITE_OK)
        throw unreadable(rc);
    std::string block(std::size_t{1} << 16, '\0');
    for (sqlite3_int64 at = 0; at < size;) {
        const auto length = static_cast<int>(std::min<sqlite3_int64>(static_cast<sqlite3_int64>(block.size()), size - at));
        if ((rc = file->pMethods->xRead(file, block.data(), length, at)) != SQLITE_OK)
            throw unreadable(rc);
        each(std::string_view(block.data(), static_cast<std::size_t>(length)));
        at += length;
    }
}

int RuleDatabase::pragmaNumber(const char* pragma, int fallback) const
{
    StatementGuard guard;
    if (sqlite3_prepare_v2(m_db, pragma, -1, &guard.stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(guard.stmt) == SQLITE_ROW)
        return sqlite3_column_int(guard.stmt, 0);
    return fallback;
}

void RuleDatabase::quickCheck(const std::string& pragma) const
{
    const auto damaged = [this](const std::string& what) {
        return DbError("แฟ้มฐานข้อมูล " + inQuotes(m_path) + " เสียหาย (the database is damaged: " + what + ")");
    };
    StatementGuard quick;
    if (sqlite3_prepare_v2(m_db, pragma.c_str(), -1, &quick.stmt, nullptr) != SQLITE_OK)
        throw damaged(sqlite3_errmsg(m_db));
    // One row "ok" when sound, otherwise one row per fault found.
    const int step = sqlite3_step(quick.stmt);
    if (step != SQLITE_ROW)
        throw damaged(sqlite3_errmsg(m_db));
    const auto* first = reinterpret_cast<const char*>(sqlite3_column_text(quick.stmt, 0));
    if (!first)
        throw damaged(sqlite3_errmsg(m_db));
    std::string_view report(first);
    if (report == "ok")
        return;
    // The first fault is enough to act on; the rest (often a hundred lines)
    // follows from it.
    if (report.rfind("*** ", 0) == 0 && report.find('\n') != std::string_view::npos)
        report.remove_prefix(report.find('\n') + 1);
    throw damaged(std::string(report.substr(0, report.find('\n'))));
}

RuleDatabase::~RuleDatabase()
{
    sqlite3_close_v2(m_db);
}

}  // namespace tamrik::ruledb
