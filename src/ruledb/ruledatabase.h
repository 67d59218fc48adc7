#pragma once
// The read-only rule database: one SQLite file opened once and checked
// (ruledatabase.cpp), SELECTs run with their values bound as parameters
// (rulequery.cpp), their rows held in memory as a result slot
// (queryresult.cpp) or handed over one at a time (rowcursor.cpp).

#include "storedvalue.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tamrik::ruledb {

// Any failure of the database: open, query or field read. what() says what
// went wrong in words a user can act on, naming the file and, for a fault of
// SQLite (damaged page, I/O, out of memory), what SQLite said.
class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A field's value: null, text or number.
class DbValue {
public:
    enum class Kind { Null, Text, Number };
    DbValue() = default;
    static DbValue text(std::string s);
    static DbValue number(double d);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    // The value as text; a number is written as numberText writes it. A null
    // value cannot be turned into text: throws DbError.
    std::string toText() const;
    // The value as a number: a number as it is, a text through Val. A null
    // value throws DbError.
    double toNumber() const;
    // Exact comparison with a text (a null equals nothing).
    bool equals(std::string_view text) const;

private:
    Kind m_kind = Kind::Null;
    std::string m_text;
    double m_number = 0;
};

// The rows of one query, in the table's stored order, read whole into memory,
// with a cursor that starts on the first row.
class QueryResult {
public:
    QueryResult() = default;
    bool EOF_() const;  // named so because EOF is a macro
    void MoveNext();
    void MoveFirst();
    // The current row's value of a column, matched without regard to case.
    // Throws DbError when there is no current row or no such column.
    DbValue field(std::string_view column) const;
    bool hasColumn(std::string_view column) const;
    // The current row's value in the column at `index` of columns(); throws
    // DbError past the last row or column.
    const DbValue& at(std::size_t index) const;
    // Column names as the database spells them, in the query's order.
    const std::vector<std::string>& columns() const { return m_columns; }
    std::size_t rowCount() const { return m_rows.size(); }

private:
    friend class RuleDatabase;
    std::vector<std::string> m_columns;
    std::vector<std::vector<DbValue>> m_rows;
    std::size_t m_pos = 0;
};

// The row a streamed query stands on, valid only inside the callback that
// gets it: values are read straight from the statement, nothing is kept.
class RowCursor {
public:
    const std::vector<std::string>& columns() const { return *m_columns; }
    bool hasColumn(std::string_view column) const;
    // As QueryResult's field and at: the value by name (without regard to
    // case) or by place in columns(); throws DbError for a missing column or
    // a text longer than MaxTextBytes.
    DbValue field(std::string_view column) const;
    DbValue at(std::size_t index) const;
    DbValue::Kind kind(std::size_t index) const;
    // The bytes of a text value without copying them (kind() Text only).
    std::string_view textAt(std::size_t index) const;
    // The value as DbValue::toText writes it, or nothing for null: one read
    // of the column where at() and toText() take two.
    std::optional<std::string> textOrNull(std::size_t index) const;
    // The same without a copy: the stored text in place, or a number written
    // out into `number`; valid until the next call or the next row.
    std::optional<std::string_view> textView(std::size_t index, std::string& number) const;
    // The value as SQLite stores it, whole numbers and blobs apart from other
    // numbers and texts (the data tool). A blob's bytes are as stored, never
    // converted from the database's text encoding, and of any length: no
    // rule value is a blob.
    StoredValue stored(std::size_t index) const;

private:
    friend class RuleDatabase;
    RowCursor(sqlite3* db, sqlite3_stmt* stmt, const std::vector<std::string>& columns)
        : m_db(db), m_stmt(stmt), m_columns(&columns)
    {
    }
    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
    const std::vector<std::string>* m_columns;
};

// For one thread at a time.
class RuleDatabase {
public:
    // Text values longer than this are refused: no name or rule field comes
    // near it, and a huge one would stall the window that shows it.
    static constexpr std::size_t MaxTextBytes = 4096;

    // Opens the file read-only and immutable (no journal is read, no side file
    // is made) and checks that it is a sound database, reading every page
    // once (SQLite's quick_check); a file whose content still matches the
    // digest its build recorded is the file that build checked, and only
    // TamrikInfo's page, which the digest leaves out, is checked again.
    // Throws DbError naming the file and what is
    // wrong (missing, not a regular file, unreadable, not a database, damaged,
    // no tables).
    explicit RuleDatabase(const std::string& path);
    // A database image in memory (a build not yet written out), checked as a
    // file is; `image` must outlive the object, and `name` stands for the
    // file in messages.
    static std::unique_ptr<RuleDatabase> fromImage(std::string_view image, const std::string& name);
    ~RuleDatabase();
    RuleDatabase(const RuleDatabase&) = delete;
    RuleDatabase& operator=(const RuleDatabase&) = delete;

    // The values of a statement's parameters ?1, ?2...: texts, bound as they
    // are and never written into the statement's text.
    using Params = std::initializer_list<std::string_view>;

    // Runs one SELECT and replaces the slot's previous result with its rows.
    // Throws DbError when the statement fails, takes another number of
    // parameters, or a text value is longer than MaxTextBytes.
    void OpenQuery(const std::string& sql, QueryResult& slot) const { OpenQuery(sql, {}, slot); }
    void OpenQuery(const std::string& sql, Params params, QueryResult& slot) const;
    QueryResult query(const std::string& sql, Params params = {}) const;
    // Runs one SELECT as query does, but hands each row to `each` as the
    // statement reaches it instead of keeping them; `each` returns false to
    // stop early. Returns the column names, known even when no row came.
    std::vector<std::string> forEachRow(const std::string& sql,
                                        const std::function<bool(const RowCursor& row)>& each) const
    {
        return forEachRow(sql, {}, each);
    }
    std::vector<std::string> forEachRow(const std::string& sql, Params params,
                                        const std::function<bool(const RowCursor& row)>& each) const;

    // Whether `name` is a real table (never a view), and whether it holds
    // every one of `columns`; names without regard to case. Throws DbError
    // when the database cannot answer.
    bool hasTable(std::string_view name) const;
    bool hasColumns(std::string_view table, std::initializer_list<std::string_view> columns) const;
    const std::string& path() const { return m_path; }

    // The file's bytes in order, a block at a time, read through this
    // connection's own handle (no second opening of the file). Throws DbError
    // when it cannot be read.
    void readFile(const std::function<void(std::string_view block)>& each) const;
    // Whether the open found the content matching the digest TamrikInfo
    // records (contentcheck.h); false without one, or when it differed.
    bool matchedRecordedContent() const { return m_matchedRecordedContent; }

private:
    RuleDatabase() = default;
    const std::vector<std::string>& tableColumns(std::string_view table) const;
    void checkHeader();
    void checkWholeFile();
    void quickCheck(const std::string& pragma) const;
    bool contentMatchesRecord() const;
    int pragmaNumber(const char* pragma, int fallback) const;

    std::string m_path;
    sqlite3* m_db = nullptr;
    bool m_matchedRecordedContent = false;
    mutable std::map<std::string, std::vector<std::string>> m_tableColumns;  // by lower-case name
};

// An identifier from a file, between double quotes with every " doubled.
std::string quoteIdentifier(std::string_view name);

}  // namespace tamrik::ruledb
