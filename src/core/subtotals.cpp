#include "subtotals.h"

#include "numtext.h"

#include <algorithm>

namespace tamrik {

namespace {

// Slots 1 to `last` of the calculation list, never past slot 9.
std::size_t lastSlot(std::size_t last)
{
    return std::min<std::size_t>(last, 9);
}

}  // namespace

std::vector<std::size_t> subtotalOrder(const std::vector<std::string_view>& rowCodes, std::size_t lastCalcSlot,
                                       const std::array<std::string, 10>& CalcSubjCode)
{
    std::vector<std::size_t> order;
    order.reserve(rowCodes.size());
    for (std::size_t i = 1; i <= lastSlot(lastCalcSlot); ++i) {
        for (std::size_t row = 0; row < rowCodes.size(); ++row) {
            if (rowCodes[row] == CalcSubjCode[i])
                order.push_back(row);
        }
    }
    return order;
}

double mainSubtotalValue(const std::vector<std::size_t>& order, const double* scores)
{
    double value = 0.0;
    double shown = 0.0;  // Val of the caption "0", then of each "0.00" caption
    for (const std::size_t row : order) {
        value = shown + scores[row];
        shown = shownValue(value, 2);
    }
    return value;
}

double specSubtotalValue(const std::vector<std::size_t>& order, const double* scores, const double* weights,
                         double wMain, double maxMain)
{
    if (wMain == 0)
        return 0.0;
    float sum = 0.0f;
    for (const std::size_t row : order) {
        const double term = scores[row] / wMain * maxMain / 100 * weights[row];
        sum = static_cast<float>(static_cast<double>(sum) + term);
    }
    return sum;
}

namespace {

std::vector<std::string_view> codesOf(const std::vector<SubtotalRow>& rows)
{
    std::vector<std::string_view> codes;
    for (const SubtotalRow& row : rows)
        codes.emplace_back(row.code);
    return codes;
}

std::vector<double> valuesOf(const std::vector<SubtotalRow>& rows, std::string SubtotalRow::*text,
                             double (*read)(std::string_view))
{
    std::vector<double> values;
    for (const SubtotalRow& row : rows)
        values.push_back(read(row.*text));
    return values;
}

Subtotal shownTotal(const std::vector<std::size_t>& order, double value)
{
    Subtotal total;
    if (!order.empty()) {
        total.value = value;
        total.caption = Format(value, "0.00");
    }
    return total;
}

}  // namespace

Subtotal mainSubtotal(const std::vector<SubtotalRow>& mainRows,
                      const std::array<std::string, 10>& CalcSubjCode)
{
    const auto order = subtotalOrder(codesOf(mainRows), mainRows.size(), CalcSubjCode);
    return shownTotal(order, mainSubtotalValue(order, valuesOf(mainRows, &SubtotalRow::score, &scoreValue).data()));
}

Subtotal specSubtotal(const std::vector<SubtotalRow>& specialRows, std::size_t nMain,
                      const std::array<std::string, 10>& CalcSubjCode, std::string_view wMainCaption,
                      std::string_view maxMainCaption)
{
    const double wMain = Val(wMainCaption);
    if (wMain == 0)
        return {};
    const auto order = subtotalOrder(codesOf(specialRows), nMain + specialRows.size(), CalcSubjCode);
    return shownTotal(order, specSubtotalValue(order, valuesOf(specialRows, &SubtotalRow::score, &scoreValue).data(),
                                               valuesOf(specialRows, &SubtotalRow::weight, &Val).data(), wMain,
                                               Val(maxMainCaption)));
}

std::vector<std::string> countedCodes(const std::vector<std::string_view>& mainCodes,
                                      const std::vector<std::string_view>& specialCodes,
                                      const std::array<std::string, 10>& CalcSubjCode)
{
    const auto holds = [](const auto& codes, const std::string& code) {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    };
    std::vector<std::string> counted;
    counted.reserve(mainCodes.size() + specialCodes.size());
    for (std::size_t i = 1; i <= lastSlot(mainCodes.size() + specialCodes.size()); ++i) {
        const std::string& code = CalcSubjCode[i];
        const bool main = i <= lastSlot(mainCodes.size()) && holds(mainCodes, code);
        if ((main || holds(specialCodes, code)) && !holds(counted, code))
            counted.push_back(code);
    }
    return counted;
}

double scoreValue(std::string_view text)
{
    return scoreNumber(text).value_or(0.0);
}

ScoreBoxCheck checkScoreBox(std::string_view text)
{
    ScoreBoxCheck check;
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return check;
    const std::optional<double> v = scoreNumber(text);
    check.valid = v && inScoreRange(*v);
    if (check.valid) {
        check.text = Format(*v, "0.00");
        check.paleYellow = true;
    }
    return check;
}

}  // namespace tamrik
