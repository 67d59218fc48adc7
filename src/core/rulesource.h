#pragma once
// Where a faculty rule's rows come from. The rule load asks for the first row
// of one table selected by one key; the database answers in production, a
// table of values in tests.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tamrik {

// One row of a rule table: column name (matched without regard to case) to
// its value as text; a null value is an empty optional.
class RuleRow {
public:
    void set(std::string column, std::optional<std::string> value);
    bool has(std::string_view column) const;
    // The column's value; nullopt when the column is missing or null.
    std::optional<std::string> get(std::string_view column) const;

private:
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, std::optional<std::string>, NoCaseLess> m_values;
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
