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

Subtotal MainSubtotal(const std::vector<SubtotalRow>& mainRows,
                      const std::array<std::string, 10>& CalcSubjCode)
{
    Subtotal total;
    for (std::size_t i = 1; i <= lastSlot(mainRows.size()); ++i) {
        for (const SubtotalRow& row : mainRows) {
            if (row.code != CalcSubjCode[i])
                continue;
            total.value = Val(total.caption) + Val(row.score);
            total.caption = Format(total.value, "0.00");
        }
    }
    return total;
}

Subtotal SpecSubtotal(const std::vector<SubtotalRow>& specRows, std::size_t nMain,
                      const std::array<std::string, 10>& CalcSubjCode, std::string_view wMainCaption,
                      std::string_view maxMainCaption)
{
    Subtotal total;
    const double wMain = Val(wMainCaption);
    if (wMain == 0)
        return total;
    const double maxMain = Val(maxMainCaption);
    float sum = 0.0f;
    for (std::size_t i = 1; i <= lastSlot(nMain + specRows.size()); ++i) {
        for (const SubtotalRow& row : specRows) {
            if (row.code != CalcSubjCode[i])
                continue;
            const double term = Val(row.score) / wMain * maxMain / 100 * Val(row.weight);
            sum = static_cast<float>(static_cast<double>(sum) + term);
            total.value = sum;
            total.caption = Format(total.value, "0.00");
        }
    }
    return total;
}

std::vector<std::string> CountedCodes(const std::vector<std::string>& mainCodes,
                                      const std::vector<std::string>& specCodes,
                                      const std::array<std::string, 10>& CalcSubjCode)
{
    const auto holds = [](const std::vector<std::string>& codes, const std::string& code) {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    };
    std::vector<std::string> counted;
    for (std::size_t i = 1; i <= lastSlot(mainCodes.size() + specCodes.size()); ++i) {
        const std::string& code = CalcSubjCode[i];
        const bool main = i <= lastSlot(mainCodes.size()) && holds(mainCodes, code);
        if ((main || holds(specCodes, code)) && !holds(counted, code))
            counted.push_back(code);
    }
    return counted;
}

ScoreBoxCheck CheckScoreBox(std::string_view text)
{
    ScoreBoxCheck check;
    const double v = Val(text);
    check.valid = v >= 0 && v <= 100;
    if (check.valid)
        check.text = FormatText(text, "0.00");
    check.paleYellow = !check.text.empty();
    return check;
}

}  // namespace tamrik
