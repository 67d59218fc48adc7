#include "evaluationtext.h"

#include "numtext.h"

namespace tamrik {

std::string NeededText(const Needed& needed)
{
    if (!(needed.points > 0))
        return std::string();
    std::string text = "ขาดอีก " + Format(needed.points, "0.00") + " คะแนน";
    for (const auto& [code, score] : needed.subjects) {
        if (score)
            text += "; หรือวิชา " + code + " ได้ " + Format(*score, "0.00");
    }
    if (needed.gpa)
        text += "; หรือ GPA " + Format(*needed.gpa, "0.00");
    if (needed.pr)
        text += "; หรือ PR " + Format(*needed.pr, "0.00");
    return text;
}

std::string YearsText(const std::vector<YearRange>& years)
{
    std::string text;
    for (const YearRange& year : years) {
        if (!text.empty())
            text += "; ";
        text += year.year + ": " + Format(year.min, "0.00") + "-" + Format(year.max, "0.00");
    }
    return text;
}

}  // namespace tamrik
