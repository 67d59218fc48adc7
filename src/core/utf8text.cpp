#include "utf8text.h"

namespace tamrik {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The character at `at`: its bytes (one for a byte that starts none), and
// whether it may be shown.
struct Character {
    std::size_t length = 1;
    bool shown = false;
};

Character CharacterAt(std::string_view text, std::size_t at)
{
    const auto b = static_cast<unsigned char>(text[at]);
    if (b < 0x80)
        return {1, b >= 0x20 && b != 0x7F};
    const std::size_t length = utf8CharacterLength(text.substr(at));
    if (length == 0)
        return {};
    const auto b1 = static_cast<unsigned char>(text[at + 1]);
    if (length == 2 && b == 0xC2 && b1 < 0xA0)
        return {length, false};  // C1 controls, U+0080-U+009F
    if (length == 3 && b == 0xE2) {
        const auto b2 = static_cast<unsigned char>(text[at + 2]);
        if ((b1 == 0x80 && b2 >= 0xAA && b2 <= 0xAE) || (b1 == 0x81 && b2 >= 0xA6 && b2 <= 0xA9))
            return {length, false};  // embeddings, overrides and isolates
    }
    return {length, true};
}

}  // namespace

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        count += IsContinuation(c) ? 0 : 1;
    return count;
}

std::size_t characterOffset(std::string_view text, std::size_t index)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuation(text[i]))
            continue;
        if (seen == index)
            return i;
        ++seen;
    }
    return text.size();
}

std::string_view lastCharacters(std::string_view text, std::size_t count)
{
    const std::size_t total = characterCount(text);
    return text.substr(characterOffset(text, total > count ? total - count : 0));
}

std::size_t utf8CharacterLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto b = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        low = b == 0xE0 ? 0xA0 : low;
        high = b == 0xED ? 0x9F : high;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        low = b == 0xF0 ? 0x90 : low;
        high = b == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

std::size_t firstUnshowable(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const Character c = CharacterAt(text, i);
        if (!c.shown)
            return i;
        i += c.length;
    }
    return text.size();
}

std::string shownText(std::string_view text)
{
    std::size_t i = firstUnshowable(text);
    std::string shown(text.substr(0, i));
    while (i < text.size()) {
        const Character c = CharacterAt(text, i);
        if (c.shown)
            shown.append(text, i, c.length);
        else
            shown += kReplacement;
        i += c.length;
    }
    return shown;
}

}  // namespace tamrik
