#pragma once
// The program's rule load over a data set in memory: the same first-row
// answers the database gives, so the check and the diff load every faculty's
// rule with the program's own BuildFacultyRule, from a folder as from a file.

#include "dataset.h"
#include "rulesource.h"

namespace ruledbtool {

class DataSetRuleSource : public tamrik::RuleSource {
public:
    explicit DataSetRuleSource(const DataSet& data) : m_data(data) {}

    // Numbers come back as the database's answers write them (NumberText).
    std::optional<tamrik::RuleRow> firstRow(std::string_view table, std::string_view keyColumn,
                                            std::string_view key) override;

private:
    const DataSet& m_data;
};

// The value as the rule load reads it; nothing for NULL.
std::optional<std::string> RuleText(const Value& value);

// The row as the rule load gets it from the database.
tamrik::RuleRow RuleRowOf(const Table& table, const Row& row);

}  // namespace ruledbtool
