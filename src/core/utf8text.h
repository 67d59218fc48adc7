#pragma once
// Counting and cutting UTF-8 texts by characters, so a Thai letter (three
// bytes) is never cut in half where the program takes characters by place.

#include <cstddef>
#include <string_view>

namespace tamrik {

std::size_t CharacterCount(std::string_view text);
// Byte offset where character number `index` (from 0) begins, or the size.
std::size_t CharacterOffset(std::string_view text, std::size_t index);
// The last `count` characters (all of a shorter text).
std::string_view LastCharacters(std::string_view text, std::size_t count);

}  // namespace tamrik
