#include "normaltable.h"

#include <cmath>
#include <cstdio>

namespace ruledbtool {

std::string ZiKey(int thousandths)
{
    // Built from the integer, so no key depends on how a double rounds.
    char text[16];
    std::snprintf(text, sizeof text, "%d.%03d", thousandths / 1000, thousandths % 1000);
    return text;
}

double NormalCdf(double z)
{
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

}  // namespace ruledbtool
