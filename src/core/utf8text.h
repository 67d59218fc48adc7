#pragma once
// Counting and cutting UTF-8 texts by characters, so a Thai letter (three
// bytes) is never cut in half where the program takes characters by place;
// and texts from the data made fit to be shown or written out.

#include <cstddef>
#include <string>
#include <string_view>

namespace tamrik {

std::size_t characterCount(std::string_view text);
// Byte offset where character number `index` (from 0) begins, or the size.
std::size_t characterOffset(std::string_view text, std::size_t index);
// The last `count` characters (all of a shorter text).
std::string_view lastCharacters(std::string_view text, std::size_t count);

// Bytes of the well-formed UTF-8 character the text starts with (no overlong
// form, no surrogate, nothing above U+10FFFF), or 0 when none starts there.
std::size_t utf8CharacterLength(std::string_view text);

// The text as every output may carry it: each byte that starts no well-formed
// character, and each control character (C0 with tab and line ends, DEL, C1,
// and the marks that reorder a line on a terminal: U+202A-U+202E and
// U+2066-U+2069), becomes U+FFFD. The size when nothing needs replacing.
std::size_t firstUnshowable(std::string_view text);
std::string shownText(std::string_view text);

}  // namespace tamrik
