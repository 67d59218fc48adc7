#include "normaltable.h"

#include "numtext.h"
#include "rulenames.h"

#include <cmath>
#include <cstdio>

namespace ruledbtool {

std::string ziKey(int thousandths)
{
    // Built from the integer, so no key depends on how a double rounds.
    char text[16];
    std::snprintf(text, sizeof text, "%d.%03d", thousandths / 1000, thousandths % 1000);
    return text;
}

double normalCdf(double z)
{
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

Table normalTable(int lastThousandths)
{
    Table table{tamrik::ruledb::ruleTable(tamrik::kZi2Prob), {}};
    for (int thousandths = 0; thousandths <= lastThousandths; ++thousandths) {
        const std::string key = ziKey(thousandths);
        table.rows.push_back({key, {Value::ofText(key), Value::ofReal(normalCdf(thousandths / 1000.0))}});
    }
    return table;
}

std::optional<int> ziThousandths(const std::string& text)
{
    const auto value = tamrik::scoreNumber(text);
    const std::size_t point = text.find('.');
    if (!value || *value >= 10 || (point != std::string::npos && text.size() - point - 1 > 3))
        return std::nullopt;
    return static_cast<int>(std::lround(*value * 1000));
}

}  // namespace ruledbtool
