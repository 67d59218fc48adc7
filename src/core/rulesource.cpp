#include "rulesource.h"

#include <algorithm>
#include <stdexcept>

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

bool SameColumnName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

namespace {

std::size_t loweredHash(std::string_view name)
{
    std::size_t h = 14695981039346656037ull;  // FNV-1a
    for (const char c : name)
        h = (h ^ static_cast<unsigned char>(lower(c))) * 1099511628211ull;
    return h;
}

}  // namespace

std::optional<std::size_t> RuleRow::Columns::entryOf(std::string_view name, std::size_t hash) const
{
    if (m_slots.empty())
        return std::nullopt;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const std::uint32_t slot = m_slots[at];
        if (slot == 0)
            return std::nullopt;
        const Entry& e = m_entries[slot - 1];
        if (e.hash == hash && SameColumnName(e.name, name))
            return slot - 1;
    }
}

void RuleRow::Columns::rehash()
{
    std::size_t size = 16;
    while (size < m_entries.size() * 2)
        size *= 2;
    m_slots.assign(size, 0);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        std::size_t at = m_entries[i].hash & (size - 1);
        while (m_slots[at] != 0)
            at = (at + 1) & (size - 1);
        m_slots[at] = static_cast<std::uint32_t>(i + 1);
    }
}

void RuleRow::Columns::set(std::string_view name, std::size_t place)
{
    const std::size_t hash = loweredHash(name);
    if (const auto found = entryOf(name, hash)) {
        m_entries[*found].place = place;
        return;
    }
    std::string lowered(name);
    for (char& c : lowered)
        c = lower(c);
    m_entries.push_back({std::move(lowered), place, hash});
    if (m_entries.size() * 2 > m_slots.size()) {
        rehash();
        return;
    }
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
    while (m_slots[at] != 0)
        at = (at + 1) & mask;
    m_slots[at] = static_cast<std::uint32_t>(m_entries.size());
}

std::optional<std::size_t> RuleRow::Columns::find(std::string_view name) const
{
    const auto found = entryOf(name, loweredHash(name));
    if (!found)
        return std::nullopt;
    return m_entries[*found].place;
}

RuleRow::Block::Cell RuleRow::Block::cellOf(std::size_t offset, std::optional<std::string_view> value)
{
    if (!value)
        return Cell();
    if (offset + value->size() >= Cell::kNull)
        throw std::length_error("a block of rule rows holds under 4 GB of text");
    return Cell{static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(value->size())};
}

void RuleRow::Block::add(std::optional<std::string_view> value)
{
    m_cells.push_back(cellOf(m_chars.size(), value));
    if (value)
        m_chars.append(*value);
}

void RuleRow::Block::reserve(std::size_t cells, std::size_t chars)
{
    m_cells.reserve(cells);
    m_chars.reserve(chars);
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

RuleRow RuleRow::Borrowing(const Columns& columns, const Block& block, std::size_t first, std::size_t width)
{
    // Pointers that own nothing (the aliasing constructor over no owner):
    // copying them counts nothing.
    return RuleRow(std::shared_ptr<const Columns>(std::shared_ptr<const Columns>(), &columns),
                   std::shared_ptr<const Block>(std::shared_ptr<const Block>(), &block), first, width);
}

std::optional<std::string_view> RuleRow::at(std::size_t index) const
{
    if (index >= m_width)
        return std::nullopt;
    const Block::Cell& cell = m_block->m_cells[m_first + index];
    if (cell.null())
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
    const auto found = m_columns ? m_columns->find(column) : std::nullopt;
    if (found) {
        index = *found;
    } else {
        // A new column: the names change, so this row takes a list of its own.
        if (!m_ownColumns || m_ownColumns.use_count() > 2) {
            m_ownColumns = std::make_shared<Columns>(m_columns ? *m_columns : Columns());
            m_columns = m_ownColumns;
        }
        m_ownColumns->set(column, index);
    }
    while (m_width <= index) {
        m_ownBlock->add(std::nullopt);
        ++m_width;
    }
    // The old text stays in the block unused: rows are set a few times at most.
    m_ownBlock->m_cells[index] = Block::cellOf(m_ownBlock->m_chars.size(), value);
    if (value)
        m_ownBlock->m_chars.append(*value);
}

bool RuleRow::has(std::string_view column) const
{
    return m_columns && m_columns->find(column).has_value();
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
    const std::optional<std::size_t> place = m_columns->find(column);
    if (!place)
        return found;
    found.present = true;
    // A column named but never given a value reads as null.
    if (const std::optional<std::string_view> text = at(*place)) {
        found.null = false;
        found.text = *text;
    }
    return found;
}

}  // namespace tamrik
