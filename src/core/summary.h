#pragma once
// The figures and texts of the summary page: the four shares with their full
// points, the composite score, the highest score possible and the GPA and PR
// as typed. Last year's range and the year text come from elsewhere.

#include <array>
#include <string>
#include <string_view>

namespace tamrik {

// Added in double in this order.
double compositeScore(double SpecTotalScore, double MainTotalScore, double GpaScore, double PrScore);

// The four full-points captions read as numbers and added in the same order.
double highestPossibleScore(std::string_view SpecMaxText, std::string_view MainMaxText,
                            std::string_view gpaFullText, std::string_view prFullText);

// "3.25" for 325, "85.50" for 8550; the digits are cut as splitGpaDigits and
// splitPrDigits cut them, so a longer integer part stays in front of the point.
std::string typedGpaText(std::string_view GpaDigits);
std::string typedPrText(std::string_view PrDigits);

struct SummaryInput {
    double MainTotalScore = 0;
    double SpecTotalScore = 0;
    double GpaScore = 0;
    double PrScore = 0;
    std::string MainMaxText;
    std::string SpecMaxText;
    std::string gpaFullText;  // caption of Label_maxGpaPr(0)
    std::string prFullText;   // caption of Label_maxGpaPr(1)
    std::string GpaDigits;
    std::string PrDigits;
};

// Rows 0 to 3: main subjects, special subjects, GPA, PR.
struct SummaryTexts {
    std::array<std::string, 4> LabelMyScore;
    std::array<std::string, 4> LabelMaxScore;
    std::array<std::string, 2> Label_total_score;  // earned, full
    std::string F4LabelGPA;
    std::string F4LabelPR;
};

SummaryTexts buildSummary(const SummaryInput& input);

}  // namespace tamrik
