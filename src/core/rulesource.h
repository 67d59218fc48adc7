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
// table share their column names, and a copy shares the values until either
// is changed, so handing rows out by value costs next to nothing.
class RuleRow {
public:
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using Columns = std::map<std::string, std::size_t, NoCaseLess>;  // name -> place in the values
    using Values = std::vector<std::optional<std::string>>;

    RuleRow() = default;
    RuleRow(std::shared_ptr<const Columns> columns, Values values);

    void set(std::string column, std::optional<std::string> value);
    bool has(std::string_view column) const;
    // The column's value; nullopt when the column is missing or null.
    std::optional<std::string> get(std::string_view column) const;
    // The column's value in place, or nullptr when the column is missing: one
    // lookup for has() and get() together.
    const std::optional<std::string>* find(std::string_view column) const;

private:
    // Never changed while shared: set() copies first.
    std::shared_ptr<const Columns> m_columns;
    std::shared_ptr<Values> m_values;
    std::shared_ptr<Columns> m_ownColumns;  // m_columns when set() made it: grown in place
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
