#pragma once
// The texts the all-faculties view and its printouts show for an evaluation:
// what it would take to reach last year's lowest, the rule behind a chance
// state, and every year's range.

#include "evaluation.h"

#include <optional>
#include <string>

namespace tamrik {

// "ขาดอีก 12.34 คะแนน; หรือวิชา 04 ได้ 67.25; หรือ GPA 3.40; หรือ PR 91.00"; a
// subject that cannot make it alone is left out. Empty when nothing is needed.
std::string neededText(const Needed& needed);

// The rule by which a chance state was given, against the range of `year`
// ("2543"; "" reads as last year): "คะแนนรวมสูงกว่าคะแนนต่ำสุดของปี 2543 ...".
// The window's legend, the PDFs' legend and their verdicts all say it so.
std::string chanceRuleText(Chance chance, const std::string& year);

// "สูงกว่าคะแนนต่ำสุด 97.11 คะแนน (14.57% ของคะแนนสูงสุดที่เป็นไปได้)", or
// "ต่ำกว่า..."; empty without a margin.
std::string marginText(const std::optional<double>& points, const std::optional<double>& percent);

// "2541: 350.10-420.00; 2542: ..." oldest first; empty without years.
std::string yearsText(const std::vector<YearRange>& years);

}  // namespace tamrik
