#include "vocabulary.h"

#include <algorithm>

namespace tamrik::words {

std::string oneLine(std::string_view heading)
{
    std::string line(heading);
    line.erase(std::remove(line.begin(), line.end(), '\n'), line.end());
    return line;
}

}  // namespace tamrik::words
