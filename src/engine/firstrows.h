#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tamrik::ruledb {

// The first row of every key in stored order, each holding a T: open
// addressing over the keys' own texts, so a key is kept once and growing the
// index is two allocations, not one per key.
template <typename T>
class FirstRows {
public:
    // A place for the first row of `key`, or nothing when the key came before.
    T* addFirst(std::string_view key)
    {
        if ((m_rows.size() + 1) * 2 > m_slots.size())
            grow();
        const std::size_t hash = std::hash<std::string_view>()(key);
        std::size_t at = slotOf(key, hash);
        if (m_slots[at].row != 0)
            return nullptr;
        m_rows.emplace_back(std::string(key), T());
        m_slots[at] = {static_cast<std::uint32_t>(m_rows.size()), static_cast<std::uint32_t>(hash)};
        return &m_rows.back().second;
    }

    // Where the first row of `key` is, or nothing.
    std::optional<std::size_t> find(std::string_view key) const
    {
        if (m_slots.empty())
            return std::nullopt;
        const std::uint32_t row = m_slots[slotOf(key, std::hash<std::string_view>()(key))].row;
        return row == 0 ? std::nullopt : std::optional<std::size_t>(row - 1);
    }

    std::size_t size() const { return m_rows.size(); }
    const std::string& keyAt(std::size_t at) const { return m_rows[at].first; }
    const T& at(std::size_t at) const { return m_rows[at].second; }

private:
    struct Slot {
        std::uint32_t row = 0;  // 1 + place in m_rows; 0 is free
        std::uint32_t hash = 0;
    };

    // The slot holding `key`, or the free one where it would go.
    std::size_t slotOf(std::string_view key, std::size_t hash) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const Slot& slot = m_slots[at];
            if (slot.row == 0 || (slot.hash == static_cast<std::uint32_t>(hash) && m_rows[slot.row - 1].first == key))
                return at;
        }
    }

    void grow()
    {
        std::vector<Slot> slots(std::max<std::size_t>(64, m_slots.size() * 2));
        const std::size_t mask = slots.size() - 1;
        for (const Slot& slot : m_slots) {
            if (slot.row == 0)
                continue;
            std::size_t at = std::hash<std::string_view>()(m_rows[slot.row - 1].first) & mask;
            while (slots[at].row != 0)
                at = (at + 1) & mask;
            slots[at] = slot;
        }
        m_slots = std::move(slots);
    }

    std::vector<std::pair<std::string, T>> m_rows;
    std::vector<Slot> m_slots;
};

}  // namespace tamrik::ruledb
