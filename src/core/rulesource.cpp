#include "rulesource.h"

#include <stdexcept>

namespace tamrik {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool sameColumnName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;  // as the program writes them, mostly
    // From the end: the columns of a rule table differ mostly there (Sco01, Sco02...).
    for (std::size_t i = a.size(); i-- > 0;) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::optional<std::size_t> columnPlace(const std::vector<std::string>& columns, std::string_view column)
{
    for (std::size_t c = 0; c < columns.size(); ++c) {
        // The sizes first, here: most names of a table differ in size.
        if (columns[c].size() == column.size() && sameColumnName(columns[c], column))
            return c;
    }
    return std::nullopt;
}

RuleRow::Table::Table(std::vector<std::string> columns, std::size_t rows) : m_columns(std::move(columns))
{
    m_cells.reserve(rows * m_columns.size());
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        std::uint8_t& slot = m_slots[slotOf(m_columns[c])];
        slot = slot == 0 && c + 1 < kShared ? static_cast<std::uint8_t>(c + 1) : kShared;
    }
}

std::size_t RuleRow::Table::slotOf(std::string_view column)
{
    // Names sameColumnName finds the same share a slot.
    const auto last = static_cast<unsigned char>(column.empty() ? 0 : lower(column.back()));
    return (column.size() * 131 + last) & 0xFF;
}

std::optional<std::size_t> RuleRow::Table::place(std::string_view column) const
{
    const std::uint8_t slot = m_slots[slotOf(column)];
    if (slot == 0)
        return std::nullopt;
    if (slot == kShared)
        return columnPlace(m_columns, column);
    const std::size_t only = slot - 1u;
    if (!sameColumnName(m_columns[only], column))
        return std::nullopt;
    return only;
}

void RuleRow::Table::addCell(std::optional<std::string_view> text)
{
    if (text && m_text.size() + text->size() >= kNull)
        throw std::length_error("a rule table of more than 4 GB of text");
    Span& cell = m_cells.emplace_back();
    if (!text)
        return;
    cell.at = static_cast<std::uint32_t>(m_text.size());
    cell.size = static_cast<std::uint32_t>(text->size());
    m_text.append(*text);
}

bool RuleRow::Table::isNull(std::size_t row, std::size_t column) const
{
    return m_cells[row * m_columns.size() + column].size == kNull;
}

std::string_view RuleRow::Table::text(std::size_t row, std::size_t column) const
{
    const Span& cell = m_cells[row * m_columns.size() + column];
    return cell.size == kNull ? std::string_view() : std::string_view(m_text).substr(cell.at, cell.size);
}

RuleRow::RuleRow(std::vector<std::string> columns, Values values)
{
    auto table = std::make_shared<Table>(std::move(columns));
    values.resize(table->columns().size());
    for (const std::optional<std::string>& value : values)
        table->addCell(value ? std::optional<std::string_view>(*value) : std::nullopt);
    m_table = std::move(table);
}

void RuleRow::set(std::string column, std::optional<std::string> value)
{
    std::vector<std::string> columns = m_table ? m_table->columns() : std::vector<std::string>();
    Values values;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!m_table->isNull(m_row, c))
            values.emplace_back(std::string(m_table->text(m_row, c)));
        else
            values.emplace_back();
    }
    const std::size_t place = columnPlace(columns, column).value_or(columns.size());
    if (place == columns.size()) {
        columns.push_back(std::move(column));
        values.resize(columns.size());
    }
    values[place] = std::move(value);
    *this = RuleRow(std::move(columns), std::move(values));
}

bool RuleRow::has(std::string_view column) const
{
    return cell(column).present;
}

std::optional<std::string> RuleRow::get(std::string_view column) const
{
    const Cell found = cell(column);
    if (found.null)
        return std::nullopt;
    return std::string(found.text);
}

RuleRow::Cell RuleRow::cell(std::string_view column) const
{
    Cell found;
    if (!m_table)
        return found;
    const std::optional<std::size_t> place = m_table->place(column);
    if (!place)
        return found;
    found.present = true;
    if (!m_table->isNull(m_row, *place)) {
        found.null = false;
        found.text = m_table->text(m_row, *place);
    }
    return found;
}

}  // namespace tamrik
