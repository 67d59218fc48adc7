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

void append(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
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
        const std::size_t length = Utf8CharacterLength(text.substr(i));
        if (length == 0) {  // a byte that starts no character stays as it is
            key += text[i++];
            continue;
        }
        char32_t c = decode(text.substr(i), length);
        i += length;
        if (blank(c))
            continue;
        if (c >= 0xFF01 && c <= 0xFF5E)  // full-width forms of ASCII
            c -= 0xFEE0;
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        else if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // Latin-1 capitals
            c += 0x20;
        if (c == 0x0E33 || c == 0x0EB3) {  // Thai and Lao SARA AM: NIKHAHIT + SARA AA
            append(key, c == 0x0E33 ? 0x0E4D : 0x0ECD);
            append(key, c == 0x0E33 ? 0x0E32 : 0x0EB2);
            continue;
        }
        append(key, c);
    }
    return key;
}

bool searchKeyFinds(std::string_view key, std::string_view name)
{
    return key.empty() || searchKey(name).find(key) != std::string::npos;
}

}  // namespace tamrik
