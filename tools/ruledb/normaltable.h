#pragma once
// The upper half of the standard normal table that turns a GPA's z-score into
// a probability: keys 0.000 to 4.500 in steps of 0.001, computed here so that
// no value is ever typed in by hand.

#include <string>

namespace ruledbtool {

constexpr int kLastZiThousandths = 4500;

// The key text of z = thousandths / 1000: "0.000", "1.960", "4.500".
std::string ZiKey(int thousandths);

// P(Z <= z) for a standard normal Z.
double NormalCdf(double z);

}  // namespace ruledbtool
