#include "datasetrulesource.h"

#include "numtext.h"

namespace ruledbtool {

std::optional<std::string> ruleText(const Value& value)
{
    switch (value.kind) {
    case Value::Kind::Null:
        return std::nullopt;
    case Value::Kind::Real:
        return tamrik::numberText(value.real);
    default:
        return value.toText();
    }
}

std::optional<tamrik::RuleRow> DataSetRuleSource::firstRow(std::string_view table, std::string_view keyColumn,
                                                           std::string_view key)
{
    const Table* found = m_data.find(std::string(table));
    if (!found)
        return std::nullopt;
    const int keyIndex = found->column(std::string(keyColumn));
    if (keyIndex < 0)
        return std::nullopt;
    for (const Row& row : found->rows) {
        const std::optional<std::string> rowKey = ruleText(row.values[static_cast<std::size_t>(keyIndex)]);
        if (!rowKey || *rowKey != key)
            continue;
        std::vector<std::string> columns;
        tamrik::RuleRow::Values values;
        for (std::size_t c = 0; c < row.values.size(); ++c) {
            columns.push_back(found->schema.columns[c].name);
            values.push_back(ruleText(row.values[c]));
        }
        return tamrik::RuleRow(std::move(columns), std::move(values));
    }
    return std::nullopt;
}

std::optional<double> DataSetValueRow::number(std::string_view column) const
{
    const int c = m_table.column(std::string(column));
    if (c < 0)
        return std::nullopt;
    // An imported database may keep numbers as text.
    const Value& value = m_row.values[static_cast<std::size_t>(c)];
    return value.kind == Value::Kind::Text ? tamrik::wholeNumber(value.text) : value.number();
}

std::string DataSetValueRow::text(std::string_view column) const
{
    const int c = m_table.column(std::string(column));
    return c < 0 ? std::string() : ruleText(m_row.values[static_cast<std::size_t>(c)]).value_or("");
}

}  // namespace ruledbtool
