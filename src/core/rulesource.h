#pragma once
// Where a faculty rule's rows come from. The rule load asks for the first row
// of one table selected by one key; the database answers in production, a
// table of values in tests.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// One row of a rule table: column name (matched without regard to case) to
// its value as text; a null value is an empty optional. Rows read from one
// table share their column names and one block that holds the texts of all
// their cells; a copy shares them too until either is changed, so handing
// rows out by value costs next to nothing.
// Whether two column names are the same without regard to (ASCII) case.
bool SameColumnName(std::string_view a, std::string_view b);

class RuleRow {
public:
    // Column names to their places in the values, matched without regard to
    // case. Building a rule looks a column up some fifty times: a small hash
    // of the lowered names answers in one probe where a tree took five
    // case-folding comparisons.
    class Columns {
    public:
        // The place of `name`; a name given again takes the new place.
        void set(std::string_view name, std::size_t place);
        std::optional<std::size_t> find(std::string_view name) const;

    private:
        struct Entry {
            std::string name;  // lowered
            std::size_t place;
            std::size_t hash;
        };
        std::optional<std::size_t> entryOf(std::string_view name, std::size_t hash) const;
        void rehash();
        std::vector<Entry> m_entries;
        std::vector<std::uint32_t> m_slots;  // 1 + index into m_entries; 0 is free
    };
    using Values = std::vector<std::optional<std::string>>;

    // The cells of many rows, their texts back to back in one text: a table
    // read whole is one block, not a string per cell.
    // A block holds under 4 GB of text (a table's 512 rows of cells of at
    // most 4 KB come to a few MB); add() throws std::length_error past it.
    class Block {
    public:
        void add(std::optional<std::string_view> value);
        std::size_t size() const { return m_cells.size(); }
        void reserve(std::size_t cells, std::size_t chars);

    private:
        friend class RuleRow;
        // Eight bytes a cell: a table read whole is mostly cells.
        struct Cell {
            static constexpr std::uint32_t kNull = 0xFFFFFFFF;
            std::uint32_t offset = 0;
            std::uint32_t size = kNull;
            bool null() const { return size == kNull; }
        };
        static Cell cellOf(std::size_t offset, std::optional<std::string_view> value);
        std::string m_chars;
        std::vector<Cell> m_cells;
    };

    RuleRow() = default;
    RuleRow(std::shared_ptr<const Columns> columns, Values values);
    // The row whose cells are first to first + width of `block`.
    RuleRow(std::shared_ptr<const Columns> columns, std::shared_ptr<const Block> block, std::size_t first,
            std::size_t width);
    // The same row without a share in the names or the block: whoever holds
    // them keeps them for as long as the row and its copies live. Rows handed
    // out on several threads at once then touch no shared count.
    static RuleRow Borrowing(const Columns& columns, const Block& block, std::size_t first, std::size_t width);

    void set(std::string column, std::optional<std::string> value);
    bool has(std::string_view column) const;
    // The column's value; nullopt when the column is missing or null.
    std::optional<std::string> get(std::string_view column) const;
    // The column's value where it lies, with one lookup for has() and get()
    // together: `present` is false for a missing column; the text is valid
    // while the row is.
    struct Cell {
        bool present = false;
        bool null = true;
        std::string_view text;
    };
    Cell cell(std::string_view column) const;

private:
    std::optional<std::string_view> at(std::size_t index) const;
    void ownCells();

    // Never changed while shared: set() copies first.
    std::shared_ptr<const Columns> m_columns;
    std::shared_ptr<const Block> m_block;
    std::size_t m_first = 0;
    std::size_t m_width = 0;                // cells of this row in the block
    std::shared_ptr<Columns> m_ownColumns;  // m_columns when set() made it: grown in place
    std::shared_ptr<Block> m_ownBlock;      // m_block when set() made it: grown in place
};

class RuleSource {
public:
    virtual ~RuleSource() = default;
    // The first row of `table` whose `keyColumn` equals `key` as text, in the
    // table's stored order; nullopt when there is none. May throw for a
    // failing database; the rule load turns that into its error.
    virtual std::optional<RuleRow> firstRow(std::string_view table, std::string_view keyColumn,
                                            std::string_view key) = 0;
};

}  // namespace tamrik
