#pragma once
// SHA-256 (FIPS 180-4), for the hash of a build's input: small enough to
// keep here rather than pull in a crypto library for it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ruledbtool {

class Sha256 {
public:
    Sha256();
    void add(std::string_view bytes);
    // The digest in lower-case hex; the object is spent afterwards.
    std::string hex();

private:
    void block(const unsigned char* p);
    std::array<std::uint32_t, 8> m_h;
    unsigned char m_buffer[64];
    std::size_t m_fill = 0;
    std::uint64_t m_length = 0;
};

}  // namespace ruledbtool
