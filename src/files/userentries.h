#pragma once
// What one user has typed so far, as the entries file holds it.

#include "scoreslots.h"

#include <string>

namespace tamrik {

struct UserEntries {
    // Slot k: last score of the subject whose code is k + 1, "-1" for none.
    ScoreSlots ScoreByCode;
    std::string GpaDigits = "000";  // 325 for 3.25
    std::string PrDigits = "0000";  // 8550 for 85.50

    UserEntries() { ScoreByCode.fill("-1"); }
};

}  // namespace tamrik
