#include "summary.h"

#include "gpapr.h"
#include "numtext.h"

namespace tamrik {

namespace {

std::string typedText(const BoxTexts& boxes)
{
    return boxes.integer + "." + boxes.decimals;
}

}  // namespace

double compositeScore(double SpecTotalScore, double MainTotalScore, double GpaScore, double PrScore)
{
    return ((SpecTotalScore + MainTotalScore) + GpaScore) + PrScore;
}

double highestPossibleScore(std::string_view SpecMaxText, std::string_view MainMaxText,
                            std::string_view gpaFullText, std::string_view prFullText)
{
    return compositeScore(Val(SpecMaxText), Val(MainMaxText), Val(gpaFullText), Val(prFullText));
}

std::string typedGpaText(std::string_view GpaDigits)
{
    return typedText(splitGpaDigits(GpaDigits));
}

std::string typedPrText(std::string_view PrDigits)
{
    return typedText(splitPrDigits(PrDigits));
}

SummaryTexts buildSummary(const SummaryInput& input)
{
    SummaryTexts texts;
    texts.LabelMyScore = {Format(input.MainTotalScore, "0.00"), Format(input.SpecTotalScore, "0.00"),
                          Format(input.GpaScore, "0.00"), Format(input.PrScore, "0.00")};
    texts.LabelMaxScore = {input.MainMaxText, input.SpecMaxText, input.gpaFullText, input.prFullText};
    texts.Label_total_score = {
        Format(compositeScore(input.SpecTotalScore, input.MainTotalScore, input.GpaScore, input.PrScore), "0.00"),
        Format(highestPossibleScore(input.SpecMaxText, input.MainMaxText, input.gpaFullText, input.prFullText),
               "0.00")};
    texts.F4LabelGPA = typedGpaText(input.GpaDigits);
    texts.F4LabelPR = typedPrText(input.PrDigits);
    return texts;
}

}  // namespace tamrik
