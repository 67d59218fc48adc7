#include "dataset.h"

#include "numtext.h"
#include "ruledatabase.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace ruledbtool {

namespace {

bool parseWhole(const std::string& text, std::int64_t& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

}  // namespace

std::optional<TableSchema> tableForCsv(const std::string& tableName, const std::vector<std::string>& header)
{
    if (const TableSchema* table = tamrik::ruledb::findRuleTable(tableName))
        return *table;
    if (tableName == tamrik::ruledb::buildInfoTable().name)
        return std::nullopt;
    if (tamrik::ruledb::isRangeTable(header))
        return tamrik::ruledb::rangeTableSchema(tableName, header);
    return std::nullopt;
}

std::optional<Value> typedValue(const std::string& text, ColumnType type, std::string& why)
{
    if (text.empty())
        return Value();
    if (text.size() > tamrik::ruledb::RuleDatabase::MaxTextBytes) {
        why = "a text of " + std::to_string(text.size()) + " bytes: the program reads at most "
              + std::to_string(tamrik::ruledb::RuleDatabase::MaxTextBytes);
        return std::nullopt;
    }
    if (type == ColumnType::Text || type == ColumnType::Blob)
        return Value::ofText(text);
    std::int64_t whole = 0;
    if (type == ColumnType::Integer && parseWhole(text, whole))
        return Value::ofInteger(whole);
    // A number as the program reads one, written without blanks or words
    // ("nan", "inf").
    const bool digitsOnly = std::all_of(text.begin(), text.end(), [](char ch) {
        return std::isdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == '-' || ch == '+' || ch == 'e'
               || ch == 'E';
    });
    if (const auto real = digitsOnly ? tamrik::wholeNumber(text) : std::nullopt)
        return Value::ofReal(*real);
    why = "\"" + text + "\" is not a number";
    return std::nullopt;
}

}  // namespace ruledbtool
