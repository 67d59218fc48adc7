#include "utf8text.h"

namespace tamrik {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::size_t CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        count += IsContinuation(c) ? 0 : 1;
    return count;
}

std::size_t CharacterOffset(std::string_view text, std::size_t index)
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

std::string_view LastCharacters(std::string_view text, std::size_t count)
{
    const std::size_t total = CharacterCount(text);
    return text.substr(CharacterOffset(text, total > count ? total - count : 0));
}

}  // namespace tamrik
