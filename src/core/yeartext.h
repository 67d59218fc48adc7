#pragma once
// The Buddhist-era year a range table holds, from the table's name, and the
// year named when the data say none.

#include <string>

namespace tamrik {

// The year the program's texts name when the rule data do not record one.
inline constexpr char kDefaultAdmissionYear[] = "2543";

// "25" followed by the last two characters of the range table's name: the
// Buddhist-era year the data come from. A name shorter than two characters
// gives "25" followed by what there is. Characters are UTF-8 code points, so a
// name ending in Thai digits is not cut inside a character.
std::string yearText(const std::string& dbMaxMin);

// A Gregorian date in the Thai calendar, as the data's years are counted:
// "6 ธันวาคม พ.ศ. 2569" for 2026-12-06 (พ.ศ. = ค.ศ. + 543).
std::string thaiDateText(int year, int month, int day);

}  // namespace tamrik
