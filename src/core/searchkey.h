#pragma once
// The key a name is searched by, the same for the all-faculties window and
// tamrik-calc: Thai typed two ways (SARA AM as one character or as NIKHAHIT +
// SARA AA), full-width letters, blanks (zero-width and no-break spaces too)
// and letter case do not keep a name from matching.

#include <string>
#include <string_view>

namespace tamrik {

std::string searchKey(std::string_view text);

}  // namespace tamrik
