// The number texts: Val, wholeNumber, scoreNumber, numberText, Format and
// formatText on any bytes. Properties: every reading is finite; a whole number
// reads the same as its leading number, and a score text as a whole number;
// the text of a number reads back and is stable;
// a pattern rounds to within half its last place and reads back as a number,
// the number shownValue gives.
#include "numtext.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace tamrik;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double v = Val(text);
    require(std::isfinite(v));
    const std::optional<double> whole = wholeNumber(text);
    if (whole)
        require(*whole == v);
    // A score text is a number as a whole, of no sign and no exponent.
    if (const std::optional<double> score = scoreNumber(text))
        require(whole && *score == *whole && *score >= 0 && text.find_first_of("+-eE") == std::string_view::npos);

    const std::string shown = numberText(v);
    const std::optional<double> back = wholeNumber(shown);
    require(back.has_value());
    require(numberText(*back) == shown);
    require(std::fabs(*back - v) <= std::fabs(v) * 1e-14);

    static const char* const patterns[] = {"0.00", "0.000", "00", "00.00"};
    static const double halfPlace[] = {0.005, 0.0005, 0.5, 0.005};
    static const int places[] = {2, 3, 0, 2};
    for (int i = 0; i < 4; ++i) {
        const std::string formatted = Format(v, patterns[i]);
        const std::optional<double> read = wholeNumber(formatted);
        require(read.has_value());
        require(std::fabs(*read - v) <= halfPlace[i] * (1 + 1e-9) + std::fabs(v) * 1e-14);
        require(shownValue(v, places[i]) == *read);  // its shortcut reads as the text does
        require(formatText(text, patterns[i]) == (whole ? formatted : std::string(text)));
    }
    // The text as a pattern for its own value: any bytes, no property but
    // that nothing breaks.
    (void)Format(v, text);
    return 0;
}
