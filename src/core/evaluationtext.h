#pragma once
// The texts the all-faculties view and its printouts show for an evaluation:
// what it would take to reach last year's lowest, and every year's range.

#include "evaluation.h"

#include <string>

namespace tamrik {

// "ขาดอีก 12.34 คะแนน; หรือวิชา 04 ได้ 67.25; หรือ GPA 3.40; หรือ PR 91.00"; a
// subject that cannot make it alone is left out. Empty when nothing is needed.
std::string NeededText(const Needed& needed);

// "2541: 350.10-420.00; 2542: ..." oldest first; empty without years.
std::string YearsText(const std::vector<YearRange>& years);

}  // namespace tamrik
