#pragma once
// The upper half of the standard normal table that turns a GPA's z-score into
// a probability: keys 0.000 to 4.500 in steps of 0.001, computed here so that
// no value is ever typed in by hand.

#include "dataset.h"

#include <optional>
#include <string>

namespace ruledbtool {

constexpr int kLastZiThousandths = 4500;

// The key text of z = thousandths / 1000: "0.000", "1.960", "4.500".
std::string ziKey(int thousandths);

// P(Z <= z) for a standard normal Z.
double normalCdf(double z);

// Zi2Prob's rows from key 0.000 to lastThousandths / 1000: the bundled table
// is the one up to kLastZiThousandths.
Table normalTable(int lastThousandths);

// The thousandths of a key such as "4.545": a number from 0 to 9.999 with
// at most three decimals; nothing for any other text.
std::optional<int> ziThousandths(const std::string& text);

}  // namespace ruledbtool
