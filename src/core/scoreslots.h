#pragma once
// The subjects a score can be typed for, codes 01 to 51, and what the pages
// remember of them: one text per subject (ScoreByCode), "-1" for none.

#include <array>
#include <cstddef>
#include <string>

namespace tamrik {

inline constexpr std::size_t kSubjectCount = 51;

// Index = subject code - 1.
using ScoreSlots = std::array<std::string, kSubjectCount>;

}  // namespace tamrik
