#include "crc64.h"

#include <array>

namespace tamrik::ruledb {

namespace {

constexpr std::uint64_t kPolynomial = 0xC96C5795D7870F42ULL;

// Eight tables, so that eight bytes go in with eight look-ups and no
// dependence between them ("slicing by eight").
using Tables = std::array<std::array<std::uint64_t, 256>, 8>;

constexpr Tables makeTables()
{
    Tables t{};
    for (std::uint64_t byte = 0; byte < 256; ++byte) {
        std::uint64_t crc = byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ ((crc & 1) ? kPolynomial : 0);
        t[0][byte] = crc;
    }
    for (std::size_t byte = 0; byte < 256; ++byte) {
        for (std::size_t k = 1; k < 8; ++k)
            t[k][byte] = (t[k - 1][byte] >> 8) ^ t[0][t[k - 1][byte] & 0xFF];
    }
    return t;
}

constexpr Tables kTables = makeTables();

}  // namespace

void Crc64::add(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size();
    std::uint64_t crc = m_crc;
    for (; n >= 8; n -= 8, p += 8) {
        // The reflected CRC takes the eight bytes as a little-endian word.
        std::uint64_t word = 0;
        for (int i = 7; i >= 0; --i)
            word = (word << 8) | p[i];
        crc ^= word;
        crc = kTables[7][crc & 0xFF] ^ kTables[6][(crc >> 8) & 0xFF] ^ kTables[5][(crc >> 16) & 0xFF]
              ^ kTables[4][(crc >> 24) & 0xFF] ^ kTables[3][(crc >> 32) & 0xFF] ^ kTables[2][(crc >> 40) & 0xFF]
              ^ kTables[1][(crc >> 48) & 0xFF] ^ kTables[0][crc >> 56];
    }
    for (; n > 0; --n, ++p)
        crc = kTables[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
    m_crc = crc;
}

std::string Crc64::hex() const
{
    static const char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    std::uint64_t v = value();
    for (int i = 15; i >= 0; --i, v >>= 4)
        text[static_cast<std::size_t>(i)] = digits[v & 0xF];
    return text;
}

}  // namespace tamrik::ruledb
