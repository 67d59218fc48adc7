#pragma once
// The program's rule load over a data set in memory: the same first-row
// answers the database gives, so the check and the diff load every faculty's
// rule with the program's own buildFacultyRule, from a folder as from a file.

#include "dataset.h"
#include "rulesource.h"
#include "rulevalues.h"

namespace ruledbtool {

class DataSetRuleSource : public tamrik::RuleSource {
public:
    explicit DataSetRuleSource(const DataSet& data) : m_data(data) {}

    // Numbers come back as the database's answers write them (numberText).
    std::optional<tamrik::RuleRow> firstRow(std::string_view table, std::string_view keyColumn,
                                            std::string_view key) override;

private:
    const DataSet& m_data;
};

// The value as the rule load reads it; nothing for NULL.
std::optional<std::string> ruleText(const Value& value);

// A row as the value checks read it (rulevalues.h).
class DataSetValueRow : public tamrik::ValueRow {
public:
    DataSetValueRow(const Table& table, const Row& row) : m_table(table), m_row(row) {}
    std::optional<double> number(std::string_view column) const override;
    std::string text(std::string_view column) const override;

private:
    const Table& m_table;
    const Row& m_row;
};

}  // namespace ruledbtool
