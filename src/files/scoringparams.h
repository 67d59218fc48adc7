#pragma once
// The three program-wide scoring parameters, kept as text exactly as read or
// typed; users read numbers out of them with Val. Texts are UTF-8.

#include "yeartext.h"

#include <string>

namespace tamrik {

struct ScoringParams {
    std::string ParamDbMaxMin = "maxminScQor43";
    std::string ParamMeanGpa = "2.4397771456";
    std::string ParamSD = "0.5519077994";
};

}  // namespace tamrik
