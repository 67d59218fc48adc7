#include "contentcheck.h"

#include "numtext.h"
#include "rulesource.h"
#include "rulevalues.h"
#include "sha256.h"

#include <cstring>
#include <optional>

namespace tamrik::ruledb {

namespace {

std::string inQuotes(const std::string& text)
{
    return "\"" + text + "\"";
}

// Each piece tagged and sized, so that no two contents feed the same bytes;
// gathered and hashed a block at a time.
class DigestFeed {
public:
    void text(char tag, std::string_view bytes)
    {
        m_pending += tag;
        for (std::uint64_t size = bytes.size();; size >>= 7) {
            m_pending += static_cast<char>((size & 0x7f) | (size > 0x7f ? 0x80 : 0));
            if (size <= 0x7f)
                break;
        }
        m_pending.append(bytes);
        if (m_pending.size() >= kChunk)
            flush();
    }
    void number(double value)
    {
        char bytes[1 + sizeof value] = {'F'};
        std::memcpy(bytes + 1, &value, sizeof value);
        m_pending.append(bytes, sizeof bytes);
        if (m_pending.size() >= kChunk)
            flush();
    }
    void value(const RowCursor& row, std::size_t c)
    {
        switch (row.storage(c)) {
        case RowCursor::Storage::Null:
            m_pending += 'N';
            break;
        case RowCursor::Storage::Integer:
        case RowCursor::Storage::Real:
            number(row.at(c).toNumber());
            break;
        case RowCursor::Storage::Text:
            text('S', row.wholeTextAt(c));
            break;
        case RowCursor::Storage::Blob:
            text('B', row.blobAt(c));
            break;
        }
    }
    std::string hex()
    {
        flush();
        return m_sha.hex();
    }

private:
    static constexpr std::size_t kChunk = 1 << 16;
    void flush()
    {
        m_sha.add(m_pending);
        m_pending.clear();
    }
    Sha256 m_sha;
    std::string m_pending;
};

std::vector<std::string> names(const RuleDatabase& db, const std::string& sql)
{
    std::vector<std::string> found;
    db.ForEachRow(sql, [&](const RowCursor& row) {
        found.emplace_back(row.textOrNull(0).value_or(""));
        return true;
    });
    return found;
}

// Where a value sits, for the message: the row's key, or its place.
std::string rowName(const RowCursor& row, std::size_t number)
{
    for (const char* key : {"FacCode", "SubCod", "Zi"}) {
        if (row.hasColumn(key)) {
            if (const auto text = row.field(key); !text.isNull())
                return std::string(key) + " " + text.toText();
        }
    }
    return "row " + std::to_string(number);
}

// The row a scan stands on, read in place for the value checks.
class CursorValueRow : public tamrik::ValueRow {
public:
    CursorValueRow(const std::vector<std::string>& columns, const RowCursor& row) : m_columns(columns), m_row(row) {}

    std::optional<double> number(std::string_view column) const override
    {
        const auto place = tamrik::columnPlace(m_columns, column);
        if (!place)
            return std::nullopt;
        switch (m_row.kind(*place)) {
        case DbValue::Kind::Number:
            return m_row.at(*place).toNumber();
        case DbValue::Kind::Text:
            return tamrik::WholeNumber(m_row.textAt(*place));
        case DbValue::Kind::Null:
            break;
        }
        return std::nullopt;
    }
    std::string text(std::string_view column) const override
    {
        const auto place = tamrik::columnPlace(m_columns, column);
        return place ? m_row.textOrNull(*place).value_or("") : std::string();
    }

private:
    const std::vector<std::string>& m_columns;
    const RowCursor& m_row;
};

class ContentScan {
public:
    ContentScan(const RuleDatabase& db, bool values, const BuildInfo* digestOf)
        : m_db(db), m_values(values), m_digest(digestOf != nullptr)
    {
        const std::vector<std::string> tables =
            names(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"
                      " AND name <> '" + std::string(kBuildInfoTable) + "' COLLATE NOCASE ORDER BY name");
        for (const std::string& table : tables)
            scanTable(table);
        if (m_digest) {
            m_feed.text('Y', digestOf->AdmissionYear);
            m_feed.text('M', digestOf->Sample ? "1" : "0");
        }
    }

    std::string digest() { return m_feed.hex(); }

private:
    void scanTable(const std::string& table)
    {
        std::optional<std::vector<std::string>> columns;
        bool checked = false;
        bool range = false;
        std::size_t number = 0;
        const std::vector<std::string> names = m_db.ForEachRow(
            "SELECT * FROM " + QuoteIdentifier(table), [&](const RowCursor& row) {
                const std::size_t width = row.columns().size();
                if (!columns) {
                    columns = row.columns();
                    range = tamrik::IsRangeTable(row.columns());
                    checked = m_values && tamrik::HasValueRules(table, range);
                    if (!checked && !m_digest)
                        return false;
                    if (m_digest)
                        feedNames(table, row.columns());
                }
                ++number;
                for (std::size_t c = 0; m_digest && c < width; ++c)
                    m_feed.value(row, c);
                if (checked)
                    refuseFaults(table, range, CursorValueRow(*columns, row), row, number);
                return true;
            });
        if (!m_digest)
            return;
        if (!columns)
            feedNames(table, names);
        m_feed.text('E', {});
        feedIndexes(table);
    }

    void feedNames(const std::string& table, const std::vector<std::string>& columns)
    {
        m_feed.text('T', table);
        for (const std::string& column : columns)
            m_feed.text('C', column);
    }

    // A lookup by key reads the index, not the table: a changed entry would
    // give another faculty's row.
    void feedIndexes(const std::string& table)
    {
        const std::vector<std::string> indexes =
            names(m_db, "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = '" + QuoteText(table)
                            + "' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name");
        for (const std::string& index : indexes) {
            std::string keys;
            for (const std::string& column :
                 names(m_db, "SELECT name FROM pragma_index_info('" + QuoteText(index) + "') ORDER BY seqno"))
                keys += QuoteIdentifier(column) + ", ";
            m_feed.text('I', keys);
            m_db.ForEachRow("SELECT " + keys + "rowid FROM " + QuoteIdentifier(table) + " INDEXED BY "
                                + QuoteIdentifier(index) + " ORDER BY " + keys + "rowid",
                            [&](const RowCursor& row) {
                                for (std::size_t c = 0; c < row.columns().size(); ++c)
                                    m_feed.value(row, c);
                                return true;
                            });
        }
    }

    void refuseFaults(const std::string& table, bool range, const tamrik::ValueRow& values, const RowCursor& row,
                      std::size_t number) const
    {
        const std::vector<tamrik::ValueFault> faults = tamrik::RuleValueFaults(table, range, values);
        if (faults.empty())
            return;
        throw DbError("ฐานข้อมูล " + inQuotes(m_db.path()) + " มีค่าที่ใช้คำนวณไม่ได้ในตาราง " + table + " ("
                      + rowName(row, number) + ", " + faults.front().column + ": " + faults.front().message + ")");
    }

    const RuleDatabase& m_db;
    const bool m_values;
    const bool m_digest;
    DigestFeed m_feed;
};

void compareDigest(const RuleDatabase& db, const BuildInfo& info, std::string digest)
{
    if (digest != info.ContentHash)
        throw DbError("เนื้อหาของแฟ้มฐานข้อมูล " + inQuotes(db.path())
                      + " ไม่ตรงกับที่บันทึกไว้เมื่อสร้าง (the content no longer matches the digest its build "
                        "recorded: the file was changed or damaged since)");
}

}  // namespace

std::string ContentDigest(const RuleDatabase& db, const BuildInfo& info)
{
    return ContentScan(db, false, &info).digest();
}

void RequireNoViews(const RuleDatabase& db)
{
    const std::vector<std::string> views = names(db, "SELECT name FROM sqlite_master WHERE type = 'view' LIMIT 1");
    if (!views.empty())
        throw DbError("แฟ้มฐานข้อมูล " + inQuotes(db.path()) + " มีวิว " + inQuotes(views.front())
                      + " ซึ่งโปรแกรมไม่อ่าน (a view: the program reads only real tables, and a view may compute "
                        "rows without end)");
}

void RequireRecordedContent(const RuleDatabase& db)
{
    const auto info = ReadBuildInfo(db);
    if (info && !info->ContentHash.empty())
        compareDigest(db, *info, ContentDigest(db, *info));
}

void RequireUsableContent(const RuleDatabase& db)
{
    const auto info = ReadBuildInfo(db);
    const bool recorded = info && !info->ContentHash.empty();
    ContentScan scan(db, true, recorded ? &*info : nullptr);
    if (recorded)
        compareDigest(db, *info, scan.digest());
}

}  // namespace tamrik::ruledb
