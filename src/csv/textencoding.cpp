#include "textencoding.h"

#include <algorithm>

namespace tamrik {

namespace {

constexpr std::size_t kValid = std::string_view::npos;

// The character of a Windows-874 byte, or 0 for a byte that has none.
char32_t windows874(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    // Thai letters, vowels, tone marks and digits; DB-DE are unassigned.
    if (byte >= 0xA1 && byte <= 0xFB)
        return (byte >= 0xDB && byte <= 0xDE) ? 0 : 0x0E01 + (byte - 0xA1);
    switch (byte) {
    case 0x80: return 0x20AC;  // euro sign
    case 0x85: return 0x2026;  // ellipsis
    case 0x91: return 0x2018;
    case 0x92: return 0x2019;
    case 0x93: return 0x201C;
    case 0x94: return 0x201D;
    case 0x95: return 0x2022;  // bullet
    case 0x96: return 0x2013;  // en dash
    case 0x97: return 0x2014;  // em dash
    case 0xA0: return 0x00A0;  // no-break space
    default: return 0;
    }
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Offset of the first byte that does not start a well-formed UTF-8 sequence
// (no overlong forms, no surrogates, nothing above U+10FFFF), or kValid.
std::size_t firstBadUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = 0;
        unsigned char low = 0x80, high = 0xBF;  // range of the second byte
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            if (b == 0xE0)
                low = 0xA0;
            if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            if (b == 0xF0)
                low = 0x90;
            if (b == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        if (s.size() - i <= static_cast<std::size_t>(extra))
            return i;  // cut short by the end of the file
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            const unsigned char lo = k == 1 ? low : 0x80;
            const unsigned char hi = k == 1 ? high : 0xBF;
            if (c < lo || c > hi)
                return i;
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return kValid;
}

std::size_t firstBadWindows874(std::string_view s)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (windows874(static_cast<unsigned char>(s[i])) == 0 && s[i] != '\0')
            return i;
    }
    return kValid;
}

}  // namespace

std::string windows874ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const char32_t c = windows874(static_cast<unsigned char>(ch));
        if (c != 0 || ch == '\0')
            appendUtf8(out, c);
    }
    return out;
}

DecodedText decodeDataText(std::string_view bytes)
{
    const std::size_t badUtf8 = firstBadUtf8(bytes);
    if (badUtf8 == kValid) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
            bytes.remove_prefix(3);
        return {std::string(bytes), false};
    }
    const std::size_t badThai = firstBadWindows874(bytes);
    if (badThai == kValid)
        return {windows874ToUtf8(bytes), true};

    // The reading that got further is the one the file was written in.
    const bool asUtf8 = badUtf8 >= badThai;
    const std::size_t at = std::max(badUtf8, badThai);
    int line = 1;
    std::size_t from = 0;
    for (std::size_t i = 0; i < at; ++i) {
        if (bytes[i] == '\n') {
            ++line;
            from = i + 1;
        }
    }
    int column = 1;
    for (std::size_t i = from; i < at; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (!asUtf8 || (b & 0xC0) != 0x80)
            ++column;
    }
    if (asUtf8 && from == 0 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        --column;
    throw TextError(line, column, "not UTF-8 or Windows-874 text");
}

}  // namespace tamrik
