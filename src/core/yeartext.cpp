#include "yeartext.h"

#include "utf8text.h"

namespace tamrik {

std::string yearText(const std::string& dbMaxMin) { return "25" + std::string(lastCharacters(dbMaxMin, 2)); }

std::string thaiDateText(int year, int month, int day)
{
    static const char* const months[12] = {"มกราคม", "กุมภาพันธ์", "มีนาคม",   "เมษายน",  "พฤษภาคม", "มิถุนายน",
                                           "กรกฎาคม", "สิงหาคม",   "กันยายน", "ตุลาคม", "พฤศจิกายน", "ธันวาคม"};
    const std::string name = month >= 1 && month <= 12 ? months[month - 1] : std::to_string(month);
    return std::to_string(day) + " " + name + " พ.ศ. " + std::to_string(year + 543);
}

}  // namespace tamrik
