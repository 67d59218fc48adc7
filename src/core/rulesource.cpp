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

void RuleRow::Block::add(std::optional<std::string_view> value)
{
    Cell cell;
    if (value) {
        cell = {m_chars.size(), value->size(), false};
        m_chars.append(*value);
    }
    m_cells.push_back(cell);
}

RuleRow::RuleRow(std::shared_ptr<const Columns> columns, Values values) : m_columns(std::move(columns))
{
    auto block = std::make_shared<Block>();
    for (const std::optional<std::string>& value : values)
        block->add(value ? std::optional<std::string_view>(*value) : std::nullopt);
    m_width = values.size();
    m_block = std::move(block);
}

RuleRow::RuleRow(std::shared_ptr<const Columns> columns, std::shared_ptr<const Block> block, std::size_t first,
                 std::size_t width)
    : m_columns(std::move(columns)), m_block(std::move(block)), m_first(first), m_width(width)
{
}

std::optional<std::string_view> RuleRow::at(std::size_t index) const
{
    if (index >= m_width)
        return std::nullopt;
    const Block::Cell& cell = m_block->m_cells[m_first + index];
    if (cell.null)
        return std::nullopt;
    return std::string_view(m_block->m_chars).substr(cell.offset, cell.size);
}

void RuleRow::ownCells()
{
    // Two owners are this row's m_block and m_ownBlock; more means a copy shares it.
    if (m_ownBlock && m_ownBlock.use_count() <= 2)
        return;
    auto own = std::make_shared<Block>();
    for (std::size_t i = 0; i < m_width; ++i)
        own->add(at(i));
    m_ownBlock = own;
    m_block = std::move(own);
    m_first = 0;
}

void RuleRow::set(std::string column, std::optional<std::string> value)
{
    ownCells();
    std::size_t index = m_width;
    const auto found = m_columns ? m_columns->find(column) : Columns::const_iterator();
    if (m_columns && found != m_columns->end()) {
        index = found->second;
    } else {
        // A new column: the names change, so this row takes a list of its own.
        if (!m_ownColumns || m_ownColumns.use_count() > 2) {
            m_ownColumns = std::make_shared<Columns>(m_columns ? *m_columns : Columns());
            m_columns = m_ownColumns;
        }
        m_ownColumns->emplace(std::move(column), index);
    }
    while (m_width <= index) {
        m_ownBlock->add(std::nullopt);
        ++m_width;
    }
    // The old text stays in the block unused: rows are set a few times at most.
    Block::Cell& cell = m_ownBlock->m_cells[index];
    cell = {m_ownBlock->m_chars.size(), value ? value->size() : 0, !value};
    if (value)
        m_ownBlock->m_chars.append(*value);
}

bool RuleRow::has(std::string_view column) const
{
    return m_columns && m_columns->find(column) != m_columns->end();
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
    if (!m_columns)
        return found;
    const auto it = m_columns->find(column);
    if (it == m_columns->end())
        return found;
    found.present = true;
    // A column named but never given a value reads as null.
    if (const std::optional<std::string_view> text = at(it->second)) {
        found.null = false;
        found.text = *text;
    }
    return found;
}

}  // namespace tamrik
