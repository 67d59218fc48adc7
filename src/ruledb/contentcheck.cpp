#include "contentcheck.h"

#include "crc64.h"
#include "numtext.h"
#include "ruleschema.h"
#include "rulesource.h"
#include "rulevalues.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace tamrik::ruledb {

namespace {

std::string inQuotes(const std::string& text)
{
    return "\"" + text + "\"";
}

std::vector<std::string> names(const RuleDatabase& db, const std::string& sql, RuleDatabase::Params params = {})
{
    std::vector<std::string> found;
    db.forEachRow(sql, params, [&](const RowCursor& row) {
        found.emplace_back(row.textOrNull(0).value_or(""));
        return true;
    });
    return found;
}

// The byte ranges of the file that are no part of its content, in order:
// the header's fields that SQLite moves on every write or change of journal
// mode (file format versions 18 and 19, change counter 24 to 27, the
// version of both the counter and SQLite 92 to 99) or that label the file
// (user version 60 to 63, application id 68 to 71), and the page of
// TamrikInfo's row, which the build writes after its digest.
std::vector<std::pair<std::uint64_t, std::uint64_t>> notContent(const RuleDatabase& db)
{
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges = {{18, 20}, {24, 28}, {60, 64}, {68, 72}, {92, 100}};
    const QueryResult page = db.query("SELECT rootpage, (SELECT page_size FROM pragma_page_size()) FROM sqlite_master"
                                      " WHERE type = 'table' AND name = ?1 COLLATE NOCASE",
                                      {kBuildInfoTable});
    if (!page.EOF_() && page.at(0).kind() == DbValue::Kind::Number && page.at(1).kind() == DbValue::Kind::Number) {
        const auto number = static_cast<std::uint64_t>(page.at(0).toNumber());
        const auto size = static_cast<std::uint64_t>(page.at(1).toNumber());
        if (number > 1)  // page 1 holds the header and every table's declaration
            ranges.emplace_back((number - 1) * size, number * size);
    }
    return ranges;
}

// Where a value sits, for the message: the row's key, or its place.
std::string rowName(const RowCursor& row, std::size_t number)
{
    if (const auto key = rowKeyColumn(row.columns())) {
        if (const auto text = row.textOrNull(*key))
            return row.columns()[*key] + " " + *text;
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
            return tamrik::wholeNumber(m_row.textAt(*place));
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

void requireUsableRows(const RuleDatabase& db, const std::string& table)
{
    std::optional<std::vector<std::string>> columns;
    bool range = false;
    std::size_t number = 0;
    db.forEachRow("SELECT * FROM " + quoteIdentifier(table), [&](const RowCursor& row) {
        if (!columns) {
            columns = row.columns();
            range = isRangeTable(row.columns());
            if (!tamrik::hasValueRules(table, range))
                return false;
        }
        ++number;
        const std::vector<tamrik::ValueFault> faults =
            tamrik::ruleValueFaults(table, range, CursorValueRow(*columns, row));
        if (!faults.empty())
            throw DbError("ฐานข้อมูล " + inQuotes(db.path()) + " มีค่าที่ใช้คำนวณไม่ได้ในตาราง " + table + " ("
                          + rowName(row, number) + ", " + faults.front().column + ": " + faults.front().message + ")");
        return true;
    });
}

}  // namespace

std::string contentDigest(const RuleDatabase& db, const BuildInfo& info)
{
    const auto skipped = notContent(db);
    Crc64 crc;
    std::uint64_t at = 0;
    db.readFile([&](std::string_view block) {
        const std::uint64_t end = at + block.size();
        for (const auto& [from, to] : skipped) {
            if (from >= end || to <= at)
                continue;
            if (from > at)
                crc.add(block.substr(0, from - at));
            block.remove_prefix(std::min<std::uint64_t>(to, end) - at);
            at = std::min<std::uint64_t>(to, end);
        }
        crc.add(block);
        at = end;
    });
    crc.add(std::string(1, '\0') + "Y" + info.admissionYear + '\0' + "M" + (info.Sample ? "1" : "0"));
    return crc.hex();
}

std::string recordableDigest(const RuleDatabase& db, const BuildInfo& info)
{
    try {
        requireUsableValues(db);
    } catch (const DbError&) {
        return {};
    }
    return contentDigest(db, info);
}

void requireNoViews(const RuleDatabase& db)
{
    const std::vector<std::string> views = names(db, "SELECT name FROM sqlite_master WHERE type = 'view' LIMIT 1");
    if (!views.empty())
        throw DbError("แฟ้มฐานข้อมูล " + inQuotes(db.path()) + " มีวิว " + inQuotes(views.front())
                      + " ซึ่งโปรแกรมไม่อ่าน (a view: the program reads only real tables, and a view may compute "
                        "rows without end)");
}

bool requireRecordedContent(const RuleDatabase& db)
{
    const auto info = readBuildInfo(db);
    if (!info || info->ContentHash.empty())
        return false;
    if (!db.matchedRecordedContent() && contentDigest(db, *info) != info->ContentHash)
        throw DbError("เนื้อหาของแฟ้มฐานข้อมูล " + inQuotes(db.path())
                      + " ไม่ตรงกับที่บันทึกไว้เมื่อสร้าง (the content no longer matches the digest its build "
                        "recorded: the file was changed or damaged since)");
    return true;
}

void requireUsableValues(const RuleDatabase& db)
{
    const std::vector<std::string> tables =
        names(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"
                  " AND name <> ?1 COLLATE NOCASE ORDER BY name", {kBuildInfoTable});
    for (const std::string& table : tables)
        requireUsableRows(db, table);
}

}  // namespace tamrik::ruledb
