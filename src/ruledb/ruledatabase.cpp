#include "ruledatabase.h"

#include "numtext.h"
#include "rulesource.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace tamrik::ruledb {

namespace {


std::string inQuotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// The text with every `mark` written twice, as SQL quoting wants it.
std::string doubled(std::string_view text, char mark)
{
    std::string out;
    out.reserve(text.size() + 2);
    for (char ch : text) {
        out += ch;
        if (ch == mark)
            out += mark;
    }
    return out;
}

bool onlyBlanksAndSemicolons(const char* text)
{
    for (; text && *text; ++text) {
        if (*text != ';' && !std::isspace(static_cast<unsigned char>(*text)))
            return false;
    }
    return true;
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

void checkSize(sqlite3_stmt* stmt, int col, std::size_t size)
{
    if (size > RuleDatabase::MaxTextBytes) {
        const char* name = sqlite3_column_name(stmt, col);
        throw ColumnFault{"ค่าในคอลัมน์ " + inQuotes(name ? name : "?") + " ยาวเกิน "
                          + std::to_string(RuleDatabase::MaxTextBytes) + " ไบต์ (a damaged value of "
                          + std::to_string(size) + " bytes)"};
    }
}

// A column's value as text, valid until the statement steps on; longer
// than MaxTextBytes only when `limited` is false.
std::string_view readText(sqlite3* db, sqlite3_stmt* stmt, int col, bool limited = true)
{
    // As text: SQLite converts a UTF-16 database's text to UTF-8.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
    // A null pointer is an empty value, or memory ran out on the way.
    if (!text && sqlite3_errcode(db) == SQLITE_NOMEM)
        throw ColumnFault{sqlite3_errstr(SQLITE_NOMEM)};
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, col));
    if (limited)
        checkSize(stmt, col, size);
    return text ? std::string_view(text, size) : std::string_view();
}

DbValue readColumn(sqlite3* db, sqlite3_stmt* stmt, int col)
{
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return DbValue::number(sqlite3_column_double(stmt, col));
    case SQLITE_NULL:
        return DbValue();
    default:
        return DbValue::text(std::string(readText(db, stmt, col)));
    }
}

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

// ---------------------------------------------------------------- DbValue

DbValue DbValue::text(std::string s)
{
    DbValue v;
    v.m_kind = Kind::Text;
    v.m_text = std::move(s);
    return v;
}

DbValue DbValue::number(double d)
{
    DbValue v;
    v.m_kind = Kind::Number;
    v.m_number = d;
    return v;
}

std::string DbValue::toText() const
{
    switch (m_kind) {
    case Kind::Text:
        return m_text;
    case Kind::Number:
        return NumberText(m_number);
    case Kind::Null:
        break;
    }
    throw DbError("ค่าในฐานข้อมูลว่าง (Null) จึงอ่านเป็นข้อความไม่ได้");
}

double DbValue::toNumber() const
{
    switch (m_kind) {
    case Kind::Text:
        return Val(m_text);
    case Kind::Number:
        return m_number;
    case Kind::Null:
        break;
    }
    throw DbError("ค่าในฐานข้อมูลว่าง (Null) จึงอ่านเป็นตัวเลขไม่ได้");
}

bool DbValue::equals(std::string_view text) const
{
    return !isNull() && toText() == text;
}

// ---------------------------------------------------------------- QueryResult

bool QueryResult::EOF_() const
{
    return m_pos >= m_rows.size();
}

void QueryResult::MoveNext()
{
    if (EOF_())
        throw DbError("ไม่มีแถวปัจจุบัน: เลื่อนเลยแถวสุดท้ายของผลการค้นไปแล้ว");
    ++m_pos;
}

void QueryResult::MoveFirst()
{
    m_pos = 0;
}

bool QueryResult::hasColumn(std::string_view column) const
{
    for (const auto& name : m_columns) {
        if (SameColumnName(name, column))
            return true;
    }
    return false;
}

DbValue QueryResult::field(std::string_view column) const
{
    std::size_t index = 0;
    while (index < m_columns.size() && !SameColumnName(m_columns[index], column))
        ++index;
    if (index == m_columns.size())
        throw DbError("ผลการค้นไม่มีคอลัมน์ " + inQuotes(column));
    if (EOF_())
        throw DbError("ไม่พบแถวข้อมูลสำหรับอ่านคอลัมน์ " + inQuotes(column));
    return m_rows[m_pos][index];
}

const DbValue& QueryResult::at(std::size_t index) const
{
    if (EOF_() || index >= m_columns.size())
        throw DbError("ไม่พบแถวหรือคอลัมน์ที่ขออ่าน (no such row or column)");
    return m_rows[m_pos][index];
}

// ---------------------------------------------------------------- RowCursor

bool RowCursor::hasColumn(std::string_view column) const
{
    return std::any_of(m_columns->begin(), m_columns->end(),
                       [&](const std::string& name) { return SameColumnName(name, column); });
}

DbValue RowCursor::field(std::string_view column) const
{
    const auto found = std::find_if(m_columns->begin(), m_columns->end(),
                                    [&](const std::string& name) { return SameColumnName(name, column); });
    if (found == m_columns->end())
        throw DbError("ผลการค้นไม่มีคอลัมน์ " + inQuotes(column));
    return at(static_cast<std::size_t>(found - m_columns->begin()));
}

DbValue RowCursor::at(std::size_t index) const
{
    if (index >= m_columns->size())
        throw DbError("ไม่พบแถวหรือคอลัมน์ที่ขออ่าน (no such row or column)");
    return readColumn(m_db, m_stmt, static_cast<int>(index));
}

DbValue::Kind RowCursor::kind(std::size_t index) const
{
    if (index >= m_columns->size())
        throw DbError("ไม่พบแถวหรือคอลัมน์ที่ขออ่าน (no such row or column)");
    switch (sqlite3_column_type(m_stmt, static_cast<int>(index))) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return DbValue::Kind::Number;
    case SQLITE_NULL:
        return DbValue::Kind::Null;
    default:
        return DbValue::Kind::Text;
    }
}

std::string_view RowCursor::textAt(std::size_t index) const
{
    if (kind(index) != DbValue::Kind::Text)
        throw DbError("ค่าที่ขออ่านไม่ใช่ข้อความ (not a text value)");
    return readText(m_db, m_stmt, static_cast<int>(index));
}

std::string_view RowCursor::wholeTextAt(std::size_t index) const
{
    if (kind(index) != DbValue::Kind::Text)
        throw DbError("ค่าที่ขออ่านไม่ใช่ข้อความ (not a text value)");
    return readText(m_db, m_stmt, static_cast<int>(index), false);
}

std::optional<std::string> RowCursor::textOrNull(std::size_t index) const
{
    switch (kind(index)) {
    case DbValue::Kind::Null:
        return std::nullopt;
    case DbValue::Kind::Number:
        return NumberText(sqlite3_column_double(m_stmt, static_cast<int>(index)));
    case DbValue::Kind::Text:
        break;
    }
    return std::string(readText(m_db, m_stmt, static_cast<int>(index)));
}

std::optional<std::string_view> RowCursor::textView(std::size_t index, std::string& number) const
{
    switch (kind(index)) {
    case DbValue::Kind::Null:
        return std::nullopt;
    case DbValue::Kind::Number:
        number = NumberText(sqlite3_column_double(m_stmt, static_cast<int>(index)));
        return std::string_view(number);
    case DbValue::Kind::Text:
        break;
    }
    return readText(m_db, m_stmt, static_cast<int>(index));
}

RowCursor::Storage RowCursor::storage(std::size_t index) const
{
    if (index >= m_columns->size())
        throw DbError("ไม่พบแถวหรือคอลัมน์ที่ขออ่าน (no such row or column)");
    switch (sqlite3_column_type(m_stmt, static_cast<int>(index))) {
    case SQLITE_INTEGER:
        return Storage::Integer;
    case SQLITE_FLOAT:
        return Storage::Real;
    case SQLITE_NULL:
        return Storage::Null;
    case SQLITE_BLOB:
        return Storage::Blob;
    default:
        return Storage::Text;
    }
}

std::int64_t RowCursor::integerAt(std::size_t index) const
{
    if (storage(index) != Storage::Integer)
        throw DbError("ค่าที่ขออ่านไม่ใช่จำนวนเต็ม (not a whole number)");
    return sqlite3_column_int64(m_stmt, static_cast<int>(index));
}

std::string_view RowCursor::blobAt(std::size_t index) const
{
    if (storage(index) != Storage::Blob)
        throw DbError("ค่าที่ขออ่านไม่ใช่ข้อมูลไบนารี (not a blob)");
    const int col = static_cast<int>(index);
    const void* bytes = sqlite3_column_blob(m_stmt, col);
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, col));
    if (!bytes && sqlite3_errcode(m_db) == SQLITE_NOMEM)
        throw ColumnFault{sqlite3_errstr(SQLITE_NOMEM)};
    return bytes ? std::string_view(static_cast<const char*>(bytes), size) : std::string_view();
}

// ---------------------------------------------------------------- RuleDatabase

RuleDatabase::RuleDatabase(const std::string& path, Check check) : m_path(path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(fs::path(path), ec);
    if (!fs::exists(status))
        throw DbError("ไม่พบแฟ้มฐานข้อมูล " + inQuotes(path) + " (the file does not exist)");
    if (fs::is_directory(status))
        throw DbError(inQuotes(path) + " เป็นโฟลเดอร์ ไม่ใช่แฟ้มฐานข้อมูล (a folder, not a database file)");
    // A FIFO or a device would keep open() or the first read waiting for ever.
    if (!fs::is_regular_file(status))
        throw DbError(inQuotes(path) + " ไม่ใช่แฟ้มข้อมูลธรรมดา (not a regular file: a pipe or a device)");
    m_identity = identityOf(path);

    // Each connection would first take memory for 20 pages at once, more
    // than the few the checks below keep; pages are then taken one by one.
    // Only possible before SQLite's first use in the process: refused (and
    // harmless) after it.
    static const int pageCacheConfig = sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
    (void)pageCacheConfig;

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
        if (check == Check::WholeFile)
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

void RuleDatabase::checkWholeFile() const
{
    // quick_check reads every page once, so a damaged page is refused here
    // instead of turning into a figure of 0 later. Kept in the page cache
    // (2 MB by default), the pages would stay the largest part of the heap
    // for the whole run; a few are enough for the check, and the queries get
    // the usual cache back.
    if (m_checked)
        return;
    const int cacheSize = pragmaNumber("PRAGMA cache_size", -2000);
    sqlite3_exec(m_db, "PRAGMA cache_size=8", nullptr, nullptr, nullptr);
    struct Restore {
        sqlite3* db;
        std::string pragma;
        ~Restore() { sqlite3_exec(db, pragma.c_str(), nullptr, nullptr, nullptr); }
    } restore{m_db, "PRAGMA cache_size=" + std::to_string(cacheSize)};  // also when the check throws
    quickCheck();
}

int RuleDatabase::pragmaNumber(const char* pragma, int fallback) const
{
    StatementGuard guard;
    if (sqlite3_prepare_v2(m_db, pragma, -1, &guard.stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(guard.stmt) == SQLITE_ROW)
        return sqlite3_column_int(guard.stmt, 0);
    return fallback;
}

void RuleDatabase::quickCheck() const
{
    const auto damaged = [this](const std::string& what) {
        return DbError("แฟ้มฐานข้อมูล " + inQuotes(m_path) + " เสียหาย (the database is damaged: " + what + ")");
    };
    StatementGuard quick;
    if (sqlite3_prepare_v2(m_db, "PRAGMA quick_check", -1, &quick.stmt, nullptr) != SQLITE_OK)
        throw damaged(sqlite3_errmsg(m_db));
    // One row "ok" when sound, otherwise one row per fault found.
    const int step = sqlite3_step(quick.stmt);
    if (step != SQLITE_ROW)
        throw damaged(sqlite3_errmsg(m_db));
    const auto* first = reinterpret_cast<const char*>(sqlite3_column_text(quick.stmt, 0));
    if (!first)
        throw damaged(sqlite3_errmsg(m_db));
    std::string_view report(first);
    if (report == "ok") {
        m_checked = true;
        return;
    }
    // The first fault is enough to act on; the rest (often a hundred lines)
    // follows from it.
    if (report.rfind("*** ", 0) == 0 && report.find('\n') != std::string_view::npos)
        report.remove_prefix(report.find('\n') + 1);
    throw damaged(std::string(report.substr(0, report.find('\n'))));
}

RuleDatabase::FileIdentity RuleDatabase::identityOf(const std::string& path)
{
#ifdef _WIN32
    // stat() there has no inode and whole seconds only: the volume, the file's
    // index on it and the last write in 100 ns steps tell files apart.
    const HANDLE file = CreateFileW(std::filesystem::u8path(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!known)
        return {};
    const auto wide = [](DWORD high, DWORD low) { return (static_cast<unsigned long long>(high) << 32) | low; };
    return {info.dwVolumeSerialNumber, wide(info.nFileIndexHigh, info.nFileIndexLow),
            wide(info.nFileSizeHigh, info.nFileSizeLow),
            static_cast<long long>(wide(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
            static_cast<unsigned long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
#endif
}

std::unique_ptr<RuleDatabase> RuleDatabase::openAnother() const
{
    auto other = std::make_unique<RuleDatabase>(m_path, Check::Later);
    // Only the file this connection opened (and perhaps checked) may be read
    // on as the same database.
    if (!(other->m_identity == m_identity))
        throw DbError("แฟ้มฐานข้อมูล " + inQuotes(m_path) + " ถูกเปลี่ยนระหว่างอ่าน (the file changed while it was read)");
    other->m_checked = m_checked;
    return other;
}

RuleDatabase::~RuleDatabase()
{
    sqlite3_close_v2(m_db);
}

std::vector<std::string> RuleDatabase::ForEachRow(const std::string& sql,
                                                  const std::function<bool(const RowCursor& row)>& each) const
{
    const auto fail = [&](const std::string& why) {
        return DbError("ค้นข้อมูลในแฟ้ม " + inQuotes(m_path) + " ไม่สำเร็จ: " + why + "\nคำสั่ง: " + sql);
    };

    StatementGuard guard;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), static_cast<int>(sql.size()), &guard.stmt, &tail) != SQLITE_OK)
        throw fail(sqlite3_errmsg(m_db));
    if (!guard.stmt)
        throw fail("no statement in the query text");
    // One read-only statement and nothing after it: a text put together from
    // outside values can never run a second statement or change the file.
    if (!onlyBlanksAndSemicolons(tail))
        throw fail("more than one statement in the query text");
    if (!sqlite3_stmt_readonly(guard.stmt))
        throw fail("the rule database is only read; this statement would change it");

    std::vector<std::string> names;
    const int columns = sqlite3_column_count(guard.stmt);
    for (int c = 0; c < columns; ++c) {
        const char* name = sqlite3_column_name(guard.stmt, c);
        if (!name)
            throw fail(sqlite3_errstr(SQLITE_NOMEM));  // the only way a name is missing
        names.emplace_back(name);
    }
    const RowCursor cursor(m_db, guard.stmt, names);
    int rc;
    while ((rc = sqlite3_step(guard.stmt)) == SQLITE_ROW) {
        try {
            if (!each(cursor))
                return names;
        } catch (const ColumnFault& fault) {
            throw fail(fault.why);
        }
    }
    if (rc != SQLITE_DONE)
        throw fail(sqlite3_errmsg(m_db));
    return names;
}

QueryResult RuleDatabase::query(const std::string& sql) const
{
    QueryResult result;
    result.m_columns = ForEachRow(sql, [&](const RowCursor& cursor) {
        std::vector<DbValue> row;
        row.reserve(cursor.columns().size());
        for (std::size_t c = 0; c < cursor.columns().size(); ++c)
            row.push_back(cursor.at(c));
        result.m_rows.push_back(std::move(row));
        return true;
    });
    return result;
}

void RuleDatabase::OpenQuery(const std::string& sql, QueryResult& slot) const
{
    // Built apart first, so a failing query leaves the slot's old rows alone.
    slot = query(sql);
}

const std::vector<std::string>& RuleDatabase::tableColumns(std::string_view table) const
{
    // The file is opened immutable, so its tables are asked for once.
    std::string key(table);
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char ch) { return std::tolower(ch); });
    if (const auto known = m_tableColumns.find(key); known != m_tableColumns.end())
        return known->second;
    const auto fail = [&] {
        return DbError("อ่านรายการตารางของแฟ้ม " + inQuotes(m_path) + " ไม่สำเร็จ (" + sqlite3_errmsg(m_db) + ")");
    };
    // Only real tables: a view could compute rows without end.
    const char* sql = "SELECT p.name FROM sqlite_master AS m, pragma_table_info(m.name) AS p"
                      " WHERE m.type = 'table' AND m.name = ?1 COLLATE NOCASE";
    StatementGuard guard;
    if (sqlite3_prepare_v2(m_db, sql, -1, &guard.stmt, nullptr) != SQLITE_OK)
        throw fail();
    if (sqlite3_bind_text(guard.stmt, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        throw fail();
    std::vector<std::string> columns;
    int rc;
    while ((rc = sqlite3_step(guard.stmt)) == SQLITE_ROW) {
        const auto* column = reinterpret_cast<const char*>(sqlite3_column_text(guard.stmt, 0));
        if (!column && sqlite3_errcode(m_db) == SQLITE_NOMEM)
            throw fail();
        columns.emplace_back(column ? column : "");
    }
    if (rc != SQLITE_DONE)
        throw fail();
    return m_tableColumns.emplace(std::move(key), std::move(columns)).first->second;
}

bool RuleDatabase::hasTable(std::string_view name) const
{
    return !tableColumns(name).empty();
}

bool RuleDatabase::hasColumns(std::string_view table, std::initializer_list<std::string_view> columns) const
{
    const std::vector<std::string>& present = tableColumns(table);
    if (present.empty())
        return false;
    for (std::string_view wanted : columns) {
        if (std::none_of(present.begin(), present.end(),
                         [&](const std::string& name) { return SameColumnName(name, wanted); }))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------- quoting

std::string QuoteText(std::string_view value)
{
    return doubled(value, '\'');
}

std::string QuoteIdentifier(std::string_view name)
{
    return "\"" + doubled(name, '"') + "\"";
}

}  // namespace tamrik::ruledb
