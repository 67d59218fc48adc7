#include "contentcheck.h"

#include "rulevalues.h"
#include "sha256.h"

#include <cstring>
#include <memory>

namespace tamrik::ruledb {

namespace {

std::string inQuotes(const std::string& text)
{
    return "\"" + text + "\"";
}

// Each piece tagged and sized, so that no two contents feed the same bytes.
class DigestFeed {
public:
    void text(char tag, std::string_view bytes)
    {
        const std::uint64_t size = bytes.size();
        m_sha.add(std::string_view(&tag, 1));
        m_sha.add(std::string_view(reinterpret_cast<const char*>(&size), sizeof size));
        m_sha.add(bytes);
    }
    void number(double value)
    {
        char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        text('F', std::string_view(bytes, sizeof bytes));
    }
    void value(const RowCursor& row, std::size_t c)
    {
        switch (row.storage(c)) {
        case RowCursor::Storage::Null:
            text('N', {});
            break;
        case RowCursor::Storage::Integer:
        case RowCursor::Storage::Real:
            number(row.at(c).toNumber());
            break;
        case RowCursor::Storage::Text:
            text('S', row.textAt(c));
            break;
        case RowCursor::Storage::Blob:
            text('B', row.blobAt(c));
            break;
        }
    }
    std::string hex() { return m_sha.hex(); }

private:
    Sha256 m_sha;
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
        std::shared_ptr<RuleRow::Columns> columns;
        bool checked = false;
        std::size_t number = 0;
        const std::vector<std::string> names = m_db.ForEachRow(
            "SELECT * FROM " + QuoteIdentifier(table), [&](const RowCursor& row) {
                const std::size_t width = row.columns().size();
                if (!columns) {
                    columns = std::make_shared<RuleRow::Columns>();
                    for (std::size_t c = 0; c < width; ++c)
                        columns->set(row.columns()[c], c);
                    checked = m_values && HasValueRules(table, IsRangeTable(row.columns()));
                    if (!checked && !m_digest)
                        return false;
                    if (m_digest)
                        feedNames(table, row.columns());
                }
                ++number;
                RuleRow::Values values;
                for (std::size_t c = 0; c < width; ++c) {
                    if (m_digest)
                        m_feed.value(row, c);
                    if (checked)
                        values.push_back(row.textOrNull(c));
                }
                if (checked)
                    refuseFaults(table, IsRangeTable(row.columns()), RuleRow(columns, std::move(values)), row, number);
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

    void refuseFaults(const std::string& table, bool range, const RuleRow& values, const RowCursor& row,
                      std::size_t number) const
    {
        const std::vector<ValueFault> faults = RuleValueFaults(table, range, values);
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
