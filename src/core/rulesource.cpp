#include "rulesource.h"

#include <algorithm>

namespace tamrik {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool RuleRow::NoCaseLess::operator()(std::string_view a, std::string_view b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) < lower(y); });
}

void RuleRow::set(std::string column, std::optional<std::string> value)
{
    m_values[std::move(column)] = std::move(value);
}

bool RuleRow::has(std::string_view column) const
{
    return m_values.find(column) != m_values.end();
}

std::optional<std::string> RuleRow::get(std::string_view column) const
{
    const auto it = m_values.find(column);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

}  // namespace tamrik
