#include "evaluationtext.h"

#include "numtext.h"

#include <cmath>

namespace tamrik {

std::string neededText(const Needed& needed)
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

std::string chanceRuleText(Chance chance, const std::string& year)
{
    // A year's number stands apart from the words after it; "ปีก่อน" runs on.
    const std::string ofYear = year.empty() ? "ปีก่อน" : "ปี " + year;
    const std::string of = year.empty() ? ofYear : ofYear + " ";
    const std::string share = numberText(kBorderlinePercent) + "% ของคะแนนสูงสุดที่เป็นไปได้";
    switch (chance) {
    case Chance::AboveMax: return "คะแนนรวมเท่ากับหรือสูงกว่าคะแนนสูงสุดของ" + ofYear;
    case Chance::Clear: return "คะแนนรวมสูงกว่าคะแนนต่ำสุดของ" + of + "ตั้งแต่ " + share + " ขึ้นไป";
    case Chance::Borderline:
        return "คะแนนรวมห่างจากคะแนนต่ำสุดของ" + of + "ไม่ถึง " + share + " จะสูงกว่าหรือต่ำกว่า (ต่ำกว่าได้ไม่เกิน "
               + share + ")";
    case Chance::Below: return "คะแนนรวมต่ำกว่าคะแนนต่ำสุดของ" + of + "เกิน " + share;
    case Chance::NoData: return "ไม่มีคะแนนต่ำสุด-สูงสุดของ" + of + "ให้เทียบ";
    case Chance::MissingScores:
        return "ยังไม่ได้ใส่คะแนนบางวิชาที่คณะนี้ใช้: คะแนนรวมยังไม่ครบ (มีเครื่องหมาย ≥) และวิชาที่ยังไม่มีคะแนน"
               "ไม่นับว่าไม่ผ่านเกณฑ์ขั้นต่ำ";
    case Chance::FailsMinimum: return "คะแนนที่ใส่แล้วของบางวิชาต่ำกว่าเกณฑ์ขั้นต่ำของคณะ";
    }
    return std::string();
}

std::string marginText(const std::optional<double>& points, const std::optional<double>& percent)
{
    if (!points)
        return std::string();
    std::string text = (*points < 0 ? "ต่ำกว่า" : "สูงกว่า") + std::string("คะแนนต่ำสุด ") +
                       Format(std::abs(*points), "0.00") + " คะแนน";
    if (percent)
        text += " (" + Format(std::abs(*percent), "0.00") + "% ของคะแนนสูงสุดที่เป็นไปได้)";
    return text;
}

std::string yearsText(const std::vector<YearRange>& years)
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
