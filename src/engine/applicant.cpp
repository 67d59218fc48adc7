#include "applicant.h"

#include "facultyrule.h"
#include "gpapr.h"
#include "numtext.h"

#include <algorithm>

namespace tamrik {

namespace {

// Digits as page 3 stores them: the typed value without its point.
std::string digitsOf(const std::optional<double>& value, std::string_view pattern, std::string_view none)
{
    if (!value)
        return std::string(none);
    std::string text = Format(*value, pattern);
    text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
    return text;
}

double boxValueOf(const std::optional<BoxTexts>& boxes)
{
    return boxes ? boxValue(*boxes) : 0.0;
}

}  // namespace

std::string codeOfSlot(std::size_t slot)
{
    return Format(static_cast<double>(slot + 1), "00");
}

Applicant applicantFromEntries(const ScoreSlots& ScoreByCode, std::string_view GpaDigits, std::string_view PrDigits)
{
    Applicant applicant;
    for (std::size_t slot = 0; slot < kSubjectCount; ++slot) {
        if (const auto text = restoredScoreText(ScoreByCode, codeOfSlot(slot)))
            applicant.Scores[slot] = Val(*text);
    }
    const double g = boxValueOf(gpaBoxesFromDigits(GpaDigits));
    if (inGpaRange(g))
        applicant.Gpa = g;
    const double p = boxValueOf(prBoxesFromDigits(PrDigits));
    if (inPrRange(p))
        applicant.Pr = p;
    return applicant;
}

ScoreSlots scoreByCodeOf(const Applicant& applicant)
{
    ScoreSlots ScoreByCode;
    for (std::size_t slot = 0; slot < kSubjectCount; ++slot) {
        const auto& score = applicant.Scores[slot];
        ScoreByCode[slot] = score ? numberText(shownValue(*score, 2)) : "-1";
    }
    return ScoreByCode;
}

double gpaBoxValue(const Applicant& applicant)
{
    return boxValueOf(gpaBoxesFromDigits(gpaDigitsOf(applicant)));
}

double prBoxValue(const Applicant& applicant)
{
    return boxValueOf(prBoxesFromDigits(prDigitsOf(applicant)));
}

std::string gpaDigitsOf(const Applicant& applicant)
{
    return digitsOf(applicant.Gpa, "0.00", "000");
}

std::string prDigitsOf(const Applicant& applicant)
{
    return digitsOf(applicant.Pr, "00.00", "0000");
}

}  // namespace tamrik
