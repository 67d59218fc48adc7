#include "workingsheet.h"

#include "numtext.h"

namespace tamrik {
namespace {

constexpr char kNotReached[] = "-";

WorkingRow Row(const FacultyRule::SubjectRow& subject, const ScoreSlots& ScoreByCode, bool special)
{
    WorkingRow row;
    row.code = subject.SubCod;
    row.name = subject.SubName;
    row.score = restoredScoreText(ScoreByCode, subject.SubCod).value_or("");
    row.minimum = subject.MinPercent;
    row.weight = special ? subject.Weight : std::string();
    row.special = special;
    return row;
}

}  // namespace

void fillRows(WorkingSheet& sheet, const FacultyRule& rule, const ScoreSlots& ScoreByCode)
{
    sheet.mainWeight = rule.WMain;
    std::vector<WorkingRow>& rows = sheet.rows;
    rows.clear();
    for (const auto& subject : rule.MainRows)
        rows.push_back(Row(subject, ScoreByCode, false));
    for (const auto& subject : rule.SpecRows)
        rows.push_back(Row(subject, ScoreByCode, true));
    // Pair rows carry their weight on the brace: print it on each of them.
    if (rule.PairGroup) {
        for (const std::size_t i : rule.PairGroup->Rows) {
            if (i >= 1 && i <= rule.SpecRows.size())
                rows[rule.MainRows.size() + i - 1].weight = rule.PairGroup->WeightText;
        }
    }
}

void fillGpaWorking(WorkingSheet& sheet, std::string_view GpaDigits, std::string_view meanText,
                    std::string_view sdText, const ProbLookup& lookup)
{
    sheet.gpaTyped = typedGpaText(GpaDigits);
    sheet.gpaMean = std::string(meanText);
    sheet.gpaSd = std::string(sdText);
    sheet.gpaZ = sheet.gpaKey = sheet.gpaTableProb = sheet.gpaFraction = kNotReached;
    const double g = boxValue(splitGpaDigits(GpaDigits));
    // Points are given only for a GPA in (0, 4], as on the page.
    if (!inGpaRange(g))
        return;
    const GpaWorking w = workGpa(static_cast<float>(g), meanText, sdText, lookup);
    if (w.z)
        sheet.gpaZ = Format(*w.z, "0.000");
    if (!w.key.empty())
        sheet.gpaKey = (w.negative ? "-" : "") + w.key;
    if (w.tableProb)
        sheet.gpaTableProb = numberText(*w.tableProb);
    sheet.gpaFraction = Format(w.fraction, "0.0000");
}

void fillPrWorking(WorkingSheet& sheet, std::string_view PrDigits)
{
    sheet.prTyped = typedPrText(PrDigits);
    sheet.prBand = sheet.prFraction = kNotReached;
    const double p = boxValue(splitPrDigits(PrDigits));
    if (!inPrRange(p))
        return;
    if (const auto band = findPrBand(static_cast<float>(p))) {
        sheet.prBand = std::to_string(band->band) + " (" + Format(band->from, "0.00") + " - " +
                       Format(band->to, "0.00") + ")";
        sheet.prFraction = std::to_string(band->band) + "/20";
    }
}

void fillSummaryFigures(WorkingSheet& sheet, const SummaryTexts& texts)
{
    sheet.mainEarned = texts.LabelMyScore[0];
    sheet.mainFull = texts.LabelMaxScore[0];
    sheet.specialEarned = texts.LabelMyScore[1];
    sheet.specialFull = texts.LabelMaxScore[1];
    sheet.gpaEarned = texts.LabelMyScore[2];
    sheet.gpaFull = texts.LabelMaxScore[2];
    sheet.prEarned = texts.LabelMyScore[3];
    sheet.prFull = texts.LabelMaxScore[3];
    sheet.total = texts.Label_total_score[0];
    sheet.highest = texts.Label_total_score[1];
}

}  // namespace tamrik
