#include "rulesource.h"

#include <algorithm>

namespace tamrik {

namespace {

// ASCII letters lowered by table: no branch in the comparison loop.
struct LowerTable {
    char to[256];
    constexpr LowerTable() : to()
    {
        for (int c = 0; c < 256; ++c)
            to[c] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
};
constexpr LowerTable kLower;

char lower(char c) { return kLower.to[static_cast<unsigned char>(c)]; }

}  // namespace

bool RuleRow::NoCaseLess::operator()(std::string_view a, std::string_view b) const
{
    // Every column lookup of the rule load comes here: one pass, each
    // character lowered once.
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = lower(a[i]);
        const char y = lower(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

RuleRow::RuleRow(std::shared_ptr<const Columns> columns, Values values)
    : m_columns(std::move(columns)), m_values(std::make_shared<Values>(std::move(values)))
{
}

void RuleRow::set(std::string column, std::optional<std::string> value)
{
    if (!m_values || m_values.use_count() > 1)
        m_values = m_values ? std::make_shared<Values>(*m_values) : std::make_shared<Values>();
    const auto found = m_columns ? m_columns->find(column) : Columns::const_iterator();
    if (m_columns && found != m_columns->end()) {
        (*m_values)[found->second] = std::move(value);
        return;
    }
    // A new column: the names change, so this row takes a list of its own.
    if (!m_ownColumns || m_ownColumns.use_count() > 2) {
        m_ownColumns = std::make_shared<Columns>(m_columns ? *m_columns : Columns());
        m_columns = m_ownColumns;
    }
    m_ownColumns->emplace(std::move(column), m_values->size());
    m_values->push_back(std::move(value));
}

bool RuleRow::has(std::string_view column) const
{
    return m_columns && m_columns->find(column) != m_columns->end();
}

std::optional<std::string> RuleRow::get(std::string_view column) const
{
    const std::optional<std::string>* value = find(column);
    return value ? *value : std::nullopt;
}

const std::optional<std::string>* RuleRow::find(std::string_view column) const
{
    static const std::optional<std::string> kNull;
    if (!m_columns)
        return nullptr;
    const auto it = m_columns->find(column);
    if (it == m_columns->end())
        return nullptr;
    // A column named but never given a value reads as null.
    return it->second < m_values->size() ? &(*m_values)[it->second] : &kNull;
}

}  // namespace tamrik
