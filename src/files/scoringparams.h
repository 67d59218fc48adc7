#pragma once
// The three program-wide scoring parameters, kept as text exactly as read or
// typed; users read numbers out of them with Val. Texts are UTF-8.

#include <string>

namespace tamrik {

struct ScoringParams {
    std::string ParamDbMaxMin = "maxminScQor43";
    std::string ParamMeanGpa = "2.4397771456";
    std::string ParamSD = "0.5519077994";
};

// "25" followed by the last two characters of the range table's name: the
// Buddhist-era year the data come from. A name shorter than two characters
// gives "25" followed by what there is. Characters are UTF-8 code points, so a
// name ending in Thai digits is not cut inside a character.
std::string YearText(const std::string& dbMaxMin);

}  // namespace tamrik
