#pragma once
// CRC-64 as xz computes it (ECMA-182's polynomial, reflected): the check of
// the rule database's content. Over one length of bytes it catches every
// change of up to 64 bits in a row and every odd number of flipped bits; any
// other change slips through once in 2^64.

#include <cstdint>
#include <string>
#include <string_view>

namespace tamrik::ruledb {

class Crc64 {
public:
    void add(std::string_view bytes);
    std::uint64_t value() const { return ~m_crc; }
    // The value as 16 lower-case hex digits.
    std::string hex() const;

private:
    std::uint64_t m_crc = ~std::uint64_t{0};
};

}  // namespace tamrik::ruledb
