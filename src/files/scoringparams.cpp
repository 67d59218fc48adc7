#include "scoringparams.h"

namespace tamrik {

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string YearText(const std::string& dbMaxMin)
{
    std::size_t start = dbMaxMin.size();
    for (int characters = 0; characters < 2 && start > 0; ++characters) {
        --start;
        while (start > 0 && isContinuationByte(dbMaxMin[start]))
            --start;
    }
    return "25" + dbMaxMin.substr(start);
}

}  // namespace tamrik
