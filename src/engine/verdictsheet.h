#pragma once
// A working sheet filled from the engine's evaluation: the verdict on page 4's
// printout, and the whole sheet of a shortlisted faculty.

#include "evaluation.h"
#include "workingsheet.h"

#include <string_view>

namespace tamrik {

// The engine's verdict: the chance label, its rule and margin, whether the
// figures are partial, and every year's range.
void fillVerdict(WorkingSheet& sheet, const FacultyEvaluation& evaluation);

// A faculty of the shortlist: the figures as the engine gives them (the ones
// page 4 would show), the rows of its rule, the GPA and PR working.
WorkingSheet sheetFromEvaluation(const FacultyRecord& faculty, const FacultyEvaluation& evaluation,
                                 const ScoreSlots& ScoreByCode, std::string_view GpaDigits,
                                 std::string_view PrDigits, std::string_view meanText, std::string_view sdText,
                                 const ProbLookup& lookup);

}  // namespace tamrik
