#include "searchkey.h"

#include "utf8text.h"

namespace tamrik {

namespace {

char32_t decode(std::string_view text, std::size_t length)
{
    const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(text[i])); };
    switch (length) {
    case 1: return b(0);
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    default: return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    }
}

bool blank(char32_t c)
{
    return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0xA0 || c == 0x200B || c == 0xFEFF || c == 0x3000;
}

}  // namespace

std::string searchKey(std::string_view text)
{
    std::string key;
    key.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8CharacterLength(text.substr(i));
        if (length == 0) {  // a byte that starts no character stays as it is
            key += text[i++];
            continue;
        }
        const std::string_view bytes = text.substr(i, length);
        char32_t c = decode(bytes, length);
        i += length;
        if (blank(c))
            continue;
        if (c >= 0xFF01 && c <= 0xFF5E)  // full-width forms of ASCII
            c -= 0xFEE0;
        if (c < 0x80) {
            key += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        } else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {  // Latin-1 capitals, two bytes
            key += bytes[0];
            key += static_cast<char>(bytes[1] + 0x20);
        } else if (c == 0x0E33) {  // Thai SARA AM: NIKHAHIT + SARA AA
            key += "\xE0\xB9\x8D\xE0\xB8\xB2";  // U+0E4D U+0E32
        } else if (c == 0x0EB3) {  // the same in Lao
            key += "\xE0\xBB\x8D\xE0\xBA\xB2";  // U+0ECD U+0EB2
        } else {
            key += bytes;
        }
    }
    return key;
}

}  // namespace tamrik
