#pragma once
// A GPA or a PR typed into one box ("3.25", "85.5"), as page 3 would take it
// in its two boxes, the integer box left first, then the decimals: the
// digits it would remember, or the message it would show. A value page 3's
// boxes could not hold (a PR of 100 and up, letters) gets that message too.

#include <optional>
#include <string>
#include <string_view>

namespace tamrik {

struct TypedDigits {
    std::string digits;                  // GpaDigits or PrDigits; "000"/"0000" for an empty box
    std::optional<std::string> message;  // page 3's range message; the digits are then empty
};

TypedDigits typedGpaDigits(std::string_view text);
TypedDigits typedPrDigits(std::string_view text);

}  // namespace tamrik
