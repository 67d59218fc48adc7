#pragma once
// Where a faculty rule's rows come from. The rule load asks for the first row
// of one table selected by one key; the database answers in production, a
// table of values in tests.

#include <map>
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
class RuleRow {
public:
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using Columns = std::map<std::string, std::size_t, NoCaseLess>;  // name -> place in the values
    using Values = std::vector<std::optional<std::string>>;

    // The cells of many rows, their texts back to back in one text: a table
    // read whole is one block, not a string per cell.
    class Block {
    public:
        void add(std::optional<std::string_view> value);
        std::size_t size() const { return m_cells.size(); }

    private:
        friend class RuleRow;
        struct Cell {
            std::size_t offset = 0;
            std::size_t size = 0;
            bool null = true;
        };
        std::string m_chars;
        std::vector<Cell> m_cells;
    };

    RuleRow() = default;
    RuleRow(std::shared_ptr<const Columns> columns, Values values);
    // The row whose cells are first to first + width of `block`.
    RuleRow(std::shared_ptr<const Columns> columns, std::shared_ptr<const Block> block, std::size_t first,
            std::size_t width);

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
