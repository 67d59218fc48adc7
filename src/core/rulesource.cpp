#include "rulesource.h"

namespace tamrik {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameColumnName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
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
        if (SameColumnName(columns[c], column))
            return c;
    }
    return std::nullopt;
}

RuleRow::RuleRow(std::vector<std::string> columns, Values values)
{
    auto table = std::make_shared<Table>();
    table->columns = std::move(columns);
    values.resize(table->columns.size());
    table->rows.push_back(std::move(values));
    m_table = std::move(table);
}

void RuleRow::set(std::string column, std::optional<std::string> value)
{
    std::vector<std::string> columns = m_table ? m_table->columns : std::vector<std::string>();
    Values values = m_table ? m_table->rows[m_row] : Values();
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
    const std::optional<std::size_t> place = columnPlace(m_table->columns, column);
    if (!place)
        return found;
    found.present = true;
    if (const std::optional<std::string>& value = m_table->rows[m_row][*place]) {
        found.null = false;
        found.text = *value;
    }
    return found;
}

}  // namespace tamrik
