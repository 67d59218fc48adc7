#pragma once
// Where a faculty rule's rows come from. The rule load asks for the first row
// of one table selected by one key; the database answers in production, a
// table of values in tests.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// Whether two column names are the same without regard to (ASCII) case.
bool sameColumnName(std::string_view a, std::string_view b);

// The place of the first of `columns` named `column` without regard to case,
// or nothing when none is.
std::optional<std::size_t> columnPlace(const std::vector<std::string>& columns, std::string_view column);

// One row of a rule table: its value in each column as text (a null value is
// an empty optional), a column found by its name without regard to case. The
// rows of a table read whole point into it, so handing one out by value
// copies no cell.
class RuleRow {
public:
    using Values = std::vector<std::optional<std::string>>;
    // Column names and every row's cells, the texts kept one after another
    // in one buffer: a table of thousands of rows is a few allocations, not
    // one per cell.
    class Table {
    public:
        // Room for `rows` rows is made at once.
        explicit Table(std::vector<std::string> columns, std::size_t rows = 1);
        const std::vector<std::string>& columns() const { return m_columns; }
        // columnPlace() of the columns. The rule load asks some thirty times
        // a faculty: a name is looked for only where its size and last
        // letter put it, which in the rule tables is one column.
        std::optional<std::size_t> place(std::string_view column) const;
        std::size_t rowCount() const { return m_columns.empty() ? 0 : m_cells.size() / m_columns.size(); }
        // Cells go in a row at a time, a cell per column; a row ends when
        // its last column is in. Throws std::length_error past 4 GB of text.
        void addCell(std::optional<std::string_view> text);
        bool isNull(std::size_t row, std::size_t column) const;
        std::string_view text(std::size_t row, std::size_t column) const;

    private:
        static constexpr std::uint32_t kNull = static_cast<std::uint32_t>(-1);
        static constexpr std::uint8_t kShared = 255;  // a slot of several columns: all are looked at
        static std::size_t slotOf(std::string_view column);
        struct Span {
            std::uint32_t at = 0;
            std::uint32_t size = kNull;
        };
        std::vector<std::string> m_columns;
        std::array<std::uint8_t, 256> m_slots{};  // by slotOf: 0 no column, else 1 + the column, or kShared
        std::string m_text;
        std::vector<Span> m_cells;
    };

    RuleRow() = default;
    RuleRow(std::shared_ptr<const Table> table, std::size_t row) : m_table(std::move(table)), m_row(row) {}
    // A row of its own.
    RuleRow(std::vector<std::string> columns, Values values);

    // Sets a column's value, adding the column when it is missing; a row
    // copied before keeps its values.
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
    std::shared_ptr<const Table> m_table;
    std::size_t m_row = 0;
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
