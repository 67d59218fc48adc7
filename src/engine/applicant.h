#pragma once
// One applicant as the engine takes them, and the same applicant as the
// wizard remembers what was typed (ScoreByCode, GpaDigits, PrDigits).

#include "scoreslots.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tamrik {

// What one applicant typed.
struct Applicant {
    std::array<std::optional<double>, kSubjectCount> Scores{};  // index = subject code - 1; absent = not taken
    std::optional<double> Gpa;                                   // (0, 4], two decimals
    std::optional<double> Pr;                                    // (0, 100), two decimals
};

// From what the wizard remembers, the way the pages restore it: a slot that
// restores no score is absent, digits that give no GPA or PR in range are
// absent.
Applicant applicantFromEntries(const ScoreSlots& ScoreByCode, std::string_view GpaDigits, std::string_view PrDigits);

// The reverse: what the pages would remember after this applicant typed.
ScoreSlots scoreByCodeOf(const Applicant& applicant);
std::string gpaDigitsOf(const Applicant& applicant);  // "325" for 3.25, "000" without a GPA
std::string prDigitsOf(const Applicant& applicant);   // "8550" for 85.50, "0000" without a PR

// The values page 3's boxes hold for this applicant's GPA and PR, 0 without.
double gpaBoxValue(const Applicant& applicant);
double prBoxValue(const Applicant& applicant);

// The code of a score slot: "01" for slot 0.
std::string codeOfSlot(std::size_t slot);

}  // namespace tamrik
