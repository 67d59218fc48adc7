#include "yeartext.h"

#include "utf8text.h"

namespace tamrik {

std::string YearText(const std::string& dbMaxMin) { return "25" + std::string(LastCharacters(dbMaxMin, 2)); }

}  // namespace tamrik
