#include "verdictsheet.h"

#include "evaluationtext.h"
#include "numtext.h"

namespace tamrik {

WorkingSheet sheetFromEvaluation(const FacultyRecord& faculty, const FacultyEvaluation& evaluation,
                                 const ScoreSlots& ScoreByCode, std::string_view GpaDigits,
                                 std::string_view PrDigits, std::string_view meanText, std::string_view sdText,
                                 const ProbLookup& lookup)
{
    WorkingSheet sheet;
    sheet.facCode = evaluation.facCode;
    sheet.faculty = evaluation.name;
    sheet.university = evaluation.university;
    if (faculty.load.rule)
        fillRows(sheet, *faculty.load.rule, ScoreByCode);
    sheet.mainEarned = Format(evaluation.main.earned, "0.00");
    sheet.mainFull = Format(evaluation.main.full, "0.00");
    sheet.specialEarned = Format(evaluation.special.earned, "0.00");
    sheet.specialFull = Format(evaluation.special.full, "0.00");
    fillGpaWorking(sheet, GpaDigits, meanText, sdText, lookup);
    sheet.gpaEarned = Format(evaluation.gpa.earned, "0.00");
    sheet.gpaFull = Format(evaluation.gpa.full, "0.00");
    fillPrWorking(sheet, PrDigits);
    sheet.prEarned = Format(evaluation.pr.earned, "0.00");
    sheet.prFull = Format(evaluation.pr.full, "0.00");
    sheet.total = Format(evaluation.total.earned, "0.00");
    sheet.highest = Format(evaluation.total.full, "0.00");
    if (evaluation.lastYear) {
        sheet.lastYear = evaluation.lastYear->year;
        sheet.lastMin = Format(evaluation.lastYear->min, "0.00");
        sheet.lastMax = Format(evaluation.lastYear->max, "0.00");
    }
    fillVerdict(sheet, evaluation);
    return sheet;
}

void fillVerdict(WorkingSheet& sheet, const FacultyEvaluation& evaluation)
{
    sheet.years.clear();
    for (const YearRange& year : evaluation.years)
        sheet.years.push_back({year.year, Format(year.min, "0.00"), Format(year.max, "0.00")});
    sheet.chance = std::string(chanceLabel(evaluation.chance));
    sheet.chanceRule = chanceRuleText(evaluation.chance, evaluation.lastYear ? evaluation.lastYear->year : sheet.lastYear);
    sheet.margin = marginText(evaluation.marginPoints, evaluation.marginPercent);
    sheet.partial = !evaluation.missing.empty();
}

}  // namespace tamrik
