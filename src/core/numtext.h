#pragma once
// Reading numbers out of texts and writing them back, the same way everywhere:
// box texts, label captions, parameters and database values. Nothing here
// looks at the process locale: "." is always the decimal point.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tamrik {

// The number a text begins with. Blanks are skipped wherever they stand; an
// optional sign, digits, at most one "." and an optional exponent are read up
// to the first character that cannot continue the number. A text that does not
// begin with a number reads as 0. Never fails: a value too large for a double
// saturates to the largest finite double (with its sign), so every range check
// rejects it instead of meeting an infinity; one too small reads as 0.
double Val(std::string_view text);

// The value of a text that is a number as a whole (blanks around it allowed),
// or nothing: "12abc", "" and "." are not numbers.
std::optional<double> wholeNumber(std::string_view text);

// The value of a score as typed: blanks at either end aside, digits with at
// most one decimal point ("75", "68.5", ".5", "75."). Nothing for any other
// text ("8O", "abc", "-1", "1e2", "."), the empty one included: a score box,
// a score cell of the all-faculties window and tamrik-calc all go by this.
std::optional<double> scoreNumber(std::string_view text);

// Shortest decimal text that reads back as the same double, at most 15
// significant digits, no trailing zeros or point: 85, 72.5, 0.3, -0.25.
// Values from 1E+15 up or below 1E-05 take an exponent (1E+20, 1.5E-07) so the
// text stays short; Val reads either form.
std::string numberText(double value);
// The same for a whole number, written into `out` (whose room is reused): a
// table of thousands of counts reads without a text made for each.
void assignNumberText(std::string& out, std::int64_t whole);

// The same form with as many significant digits as it takes (up to 17) for
// Val to read back the very same double: for a stored value that must come
// back unchanged, such as the data tool's.
std::string exactNumberText(double value);

// A display pattern such as "0.00", "0.000", "00" or "00.00": each "0" is a
// digit place that is always filled, integer digits beyond the pattern are
// still shown, a "-" precedes a negative value. The value is rounded at its
// 15-significant-digit decimal text, half away from zero, so 2.675 shows 2.68;
// a value that rounds to zero shows no sign. Characters other than "0" and
// the first "." are ignored. An infinity shows as the largest finite double
// and NaN as 0, though Val never produces either.
std::string Format(double value, std::string_view pattern);

// What Val reads back from Format(value, "0.00") for 2 decimals ("0.000" for
// 3, and so on), without building the text: the value as a caption shows it.
double shownValue(double value, int decimals);

// The pattern applied to a text: a text that is a number as a whole is
// rewritten, any other text is returned unchanged.
std::string formatText(std::string_view text, std::string_view pattern);

}  // namespace tamrik
