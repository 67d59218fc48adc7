#include "numtext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <algorithm>
#include <system_error>

namespace tamrik {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// An exponent is read up to this size. A mantissa moves the decimal point by
// at most its own length, and no text in memory comes near 10^15 characters,
// so a clamped exponent is still far outside every double's range: the
// result is the same as with the exact exponent.
constexpr long long kExponentClamp = 1000000000000000LL;

// Decimals of more digits than this never fall exactly half-way between two
// doubles (those midpoints have at most 767 significant digits), so beyond it
// only "is anything non-zero left" matters, and one trailing 1 stands for it.
constexpr std::size_t kSignificantDigits = 800;

// The parts of a number as read from a text, before conversion.
struct Scanned {
    bool negative = false;
    std::string mantissa;  // digits with at most one '.', no sign
    bool anyDigit = false;
    long long exponent = 0;
    std::size_t end = 0;   // index just past the last character taken
};

// Reads the number at the start of `text`: sign, digits, one point, and an
// exponent only when a digit follows it. With `skipBlanks`, blanks anywhere in
// the number are passed over; without, the first blank ends it.
Scanned scan(std::string_view text, bool skipBlanks)
{
    Scanned s;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skip = [&] {
        while (skipBlanks && i < n && isBlank(text[i]))
            ++i;
    };
    skip();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        s.negative = text[i] == '-';
        ++i;
    }
    bool seenPoint = false;
    for (;;) {
        skip();
        if (i >= n)
            break;
        const char c = text[i];
        if (isDigit(c)) {
            s.mantissa += c;
            s.anyDigit = true;
        } else if (c == '.' && !seenPoint) {
            s.mantissa += c;
            seenPoint = true;
        } else {
            break;
        }
        ++i;
    }
    s.end = i;
    if (!s.anyDigit)
        return s;
    // An exponent counts only when a digit follows the "e" and its sign.
    std::size_t j = i;
    if (j < n && (text[j] == 'e' || text[j] == 'E')) {
        ++j;
        auto skipAt = [&] {
            while (skipBlanks && j < n && isBlank(text[j]))
                ++j;
        };
        skipAt();
        bool expNegative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        long long e = 0;
        bool expDigit = false;
        for (;;) {
            skipAt();
            if (j >= n || !isDigit(text[j]))
                break;
            expDigit = true;
            e = std::min(kExponentClamp, e * 10 + (text[j] - '0'));
            ++j;
        }
        if (expDigit) {
            s.exponent = expNegative ? -e : e;
            s.end = j;
        }
    }
    return s;
}

double convert(const Scanned& s)
{
    if (!s.anyDigit)
        return 0.0;
    // value = 0.digits x 10^point, the digits from the first non-zero one on.
    std::string digits;
    long long point = 0;
    bool beforePoint = true;
    bool nonZeroCut = false;
    for (char c : s.mantissa) {
        if (c == '.') {
            beforePoint = false;
        } else if (digits.empty() && c == '0') {
            point -= beforePoint ? 0 : 1;
        } else {
            point += beforePoint ? 1 : 0;
            if (digits.size() < kSignificantDigits)
                digits += c;
            else
                nonZeroCut = nonZeroCut || c != '0';
        }
    }
    if (digits.empty())
        return 0.0;
    if (nonZeroCut)
        digits += '1';

    // The value lies in [10^(e-1), 10^e): beyond these bounds there is no
    // double to round to.
    const long long e = point + s.exponent;
    double value = 0.0;
    if (e > 309) {
        value = std::numeric_limits<double>::max();
    } else if (e >= -324) {
        const std::string text = "0." + digits + "e" + std::to_string(e);
        const std::errc ec = std::from_chars(text.data(), text.data() + text.size(), value).ec;
        if (ec == std::errc::result_out_of_range)
            value = e > 0 ? std::numeric_limits<double>::max() : 0.0;
        else if (ec != std::errc())
            value = 0.0;
        if (std::isinf(value))
            value = std::numeric_limits<double>::max();
    }
    if (value == 0.0)
        return 0.0;  // never a negative zero
    return s.negative ? -value : value;
}

// A finite value as its `count` significant decimal digits (15 unless said):
// value = 0.d1d2...dcount x 10^point (so `point` is the number of digits
// before the decimal point).
struct Digits15 {
    bool negative = false;
    std::string digits;  // exactly `count` digits, first one non-zero unless the value is 0
    int point = 0;
};

Digits15 digits15(double value, int count = 15)
{
    Digits15 d;
    if (std::isnan(value))
        value = 0.0;
    if (std::isinf(value))
        value = value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
    if (value == 0.0) {
        d.digits.assign(static_cast<std::size_t>(count), '0');
        d.point = 1;
        return d;
    }
    d.negative = value < 0;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, count - 1);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));  // d.ddddde+xx
    const std::size_t ePos = sci.find('e');
    d.digits += sci[0];
    d.digits += sci.substr(2, ePos - 2);
    int exp10 = 0;
    std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exp10);
    d.point = exp10 + 1;
    return d;
}

// Rounds to `decimals` places after the point, half away from zero, on the
// decimal digits. Returns the integer digits and the fraction digits.
void roundDigits(const Digits15& d, int decimals, std::string& intPart, std::string& fracPart)
{
    // Digits as a fixed string with at least `decimals` places, then cut.
    const int keep = d.point + decimals;  // significant digits that survive
    std::string kept;
    int point = d.point;
    if (keep < 0) {
        kept.clear();
    } else if (keep >= static_cast<int>(d.digits.size())) {
        kept = d.digits;
        kept.append(static_cast<std::size_t>(keep) - d.digits.size(), '0');
    } else {
        kept = d.digits.substr(0, static_cast<std::size_t>(keep));
        if (d.digits[static_cast<std::size_t>(keep)] >= '5') {
            int i = keep - 1;
            while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
                kept[static_cast<std::size_t>(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++kept[static_cast<std::size_t>(i)];
            } else {
                kept.insert(kept.begin(), '1');
                ++point;
            }
        }
    }
    // `kept` now holds the digits down to 10^-decimals, the first one at 10^(point-1).
    const int total = point + decimals;
    if (static_cast<int>(kept.size()) < total)
        kept.insert(0, static_cast<std::size_t>(total) - kept.size(), '0');
    if (point > 0) {
        intPart = kept.substr(0, static_cast<std::size_t>(point));
        fracPart = kept.substr(static_cast<std::size_t>(point));
    } else {
        intPart.clear();
        fracPart = std::string(static_cast<std::size_t>(-point), '0') + kept;
        fracPart = fracPart.substr(fracPart.size() - static_cast<std::size_t>(decimals));
    }
    const std::size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? std::string() : intPart.substr(firstNonZero);
}

// Powers of ten that are exact doubles.
constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The common case, read without building a text: [sign] digits [. digits],
// at most 15 digits in all, nothing else. Mantissa and power of ten are then
// exact doubles, so one division rounds exactly as the full conversion does.
std::optional<double> plainDecimal(std::string_view text)
{
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        ++i;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (++digits > 15)
                return std::nullopt;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            decimals += point;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (mantissa == 0)
        return 0.0;  // never a negative zero
    const double value = static_cast<double>(mantissa) / kPowers[decimals];
    return negative ? -value : value;
}

// Powers of ten as integers, 10^0 to 10^19.
constexpr std::uint64_t kTens[] = {1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull,
                                   10000000ull, 100000000ull, 1000000000ull, 10000000000ull,
                                   100000000000ull, 1000000000000ull, 10000000000000ull,
                                   100000000000000ull, 1000000000000000ull, 10000000000000000ull,
                                   100000000000000000ull, 1000000000000000000ull,
                                   10000000000000000000ull};

// The 15 significant digits of a as to_chars gives them (the exact binary
// value rounded half to even), a = digits x 10^(exp10 - 14), worked out in
// integers; false outside 1E-05 <= a < 1E+15.
bool fifteenDigits(double a, std::uint64_t& digits, int& exp10)
{
    if (!(a >= 1e-5 && a < 1e15))
        return false;
    int binary = 0;
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(std::frexp(a, &binary), 53));
    const int shift = 53 - binary;  // a = mantissa / 2^shift, shift from 4 to 70
    // 2^(binary-1) <= a < 2^binary: a first guess at the decade, put right below.
    int e = static_cast<int>(std::floor((binary - 1) * 0.30102999566398120));
    for (int attempt = 0; attempt < 4; ++attempt) {
        const int p = 14 - e;
        if (p < 0 || p > 19)
            return false;
        const unsigned __int128 x = static_cast<unsigned __int128>(mantissa) * kTens[p];
        unsigned __int128 q = x >> shift;
        const unsigned __int128 rest = x - (q << shift);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (q >= kTens[15]) {
            ++e;  // the estimate was one short
            continue;
        }
        if (q < kTens[14]) {
            --e;
            continue;
        }
        if (rest > half || (rest == half && (q & 1) != 0))
            ++q;
        if (q == kTens[15]) {
            q = kTens[14];
            ++e;
        }
        digits = static_cast<std::uint64_t>(q);
        exp10 = e;
        return true;
    }
    return false;
}

// The value rounded as Format rounds it, in units of 10^-decimals: the same
// 15 digits, the same half-away rounding on them. Only for |value| < 1E+15
// and at most three decimals; false otherwise.
bool plainUnits(double value, int decimals, bool& negative, std::uint64_t& units)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15 || decimals < 0 || decimals > 3)
        return false;
    negative = false;
    units = 0;
    if (value == 0.0)
        return true;
    negative = value < 0;
    std::uint64_t digits = 0;
    int exp10 = 0;
    if (!fifteenDigits(std::fabs(value), digits, exp10))
        return false;
    const int keep = exp10 + 1 + decimals;  // digits that survive, of the 15
    if (keep >= 15) {
        units = digits * kTens[keep - 15];
    } else if (keep >= 0) {
        const std::uint64_t drop = kTens[15 - keep];
        units = digits / drop + (digits % drop * 2 >= drop ? 1 : 0);
    }
    return true;
}

// Format's common case written into a buffer without texts on the way;
// nothing when plainUnits does not cover the value.
std::optional<std::string> formatPlain(double value, std::size_t intPlaces, int decimals, bool hasPoint)
{
    bool negative = false;
    std::uint64_t units = 0;
    if (intPlaces > 20 || !plainUnits(value, decimals, negative, units))
        return std::nullopt;
    // Written from the right into a buffer: fraction digits, point, integer digits.
    char buf[48];
    char* p = buf + sizeof buf;
    std::uint64_t rest = units;
    for (int i = 0; i < decimals; ++i) {
        *--p = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    if (hasPoint)
        *--p = '.';
    std::size_t written = 0;
    while (rest != 0 || written < intPlaces) {
        *--p = static_cast<char>('0' + rest % 10);
        rest /= 10;
        ++written;
    }
    if (negative && units != 0)
        *--p = '-';
    return std::string(p, static_cast<std::size_t>(buf + sizeof buf - p));
}

}  // namespace

double Val(std::string_view text)
{
    if (const std::optional<double> plain = plainDecimal(text))
        return *plain;
    return convert(scan(text, true));
}

namespace {

std::string_view trimBlanks(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

}  // namespace

std::optional<double> wholeNumber(std::string_view text)
{
    const std::string_view core = trimBlanks(text);
    if (const std::optional<double> plain = plainDecimal(core))
        return plain;
    const Scanned s = scan(core, false);
    if (!s.anyDigit || s.end != core.size())
        return std::nullopt;
    return convert(s);
}

std::optional<double> scoreNumber(std::string_view text)
{
    const std::string_view core = trimBlanks(text);
    bool point = false;
    bool digit = false;
    for (const char c : core) {
        if (c == '.' && !point)
            point = true;
        else if (isDigit(c))
            digit = true;
        else
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    return wholeNumber(core);
}

namespace {

// Whole numbers, what most stored numbers are, written straight: below 10^15
// all their digits are significant and none is cut.
constexpr std::int64_t kPlainWhole = 1000000000000000;

std::optional<std::string> wholeText(double value)
{
    if (!(std::fabs(value) < static_cast<double>(kPlainWhole) && value == std::trunc(value)))
        return std::nullopt;
    char buf[24];
    char* p = buf + sizeof buf;
    auto rest = static_cast<std::uint64_t>(std::fabs(value));
    do {
        *--p = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0)
        *--p = '-';
    return std::string(p, static_cast<std::size_t>(buf + sizeof buf - p));
}

// The digits without their trailing zeros, plainly or with an exponent.
std::string numberText(const Digits15& d)
{
    std::string digits = d.digits;
    const std::size_t lastNonZero = digits.find_last_not_of('0');
    if (lastNonZero == std::string::npos)
        return "0";
    digits.resize(lastNonZero + 1);

    std::string out = d.negative ? "-" : "";
    const int exp10 = d.point - 1;
    if (exp10 >= 15 || exp10 < -5) {
        // Too wide for plain digits: 1.5E+20, 2E-07.
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += exp10 < 0 ? "E-" : "E+";
        const std::string e = std::to_string(std::abs(exp10));
        out += e.size() < 2 ? "0" + e : e;
        return out;
    }
    if (d.point <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.point), '0');
        out += digits;
    } else if (static_cast<int>(digits.size()) <= d.point) {
        out += digits;
        out.append(static_cast<std::size_t>(d.point) - digits.size(), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(d.point));
        out += '.';
        out += digits.substr(static_cast<std::size_t>(d.point));
    }
    return out;
}

}  // namespace

std::string numberText(double value)
{
    if (auto whole = wholeText(value))
        return std::move(*whole);
    return numberText(digits15(value));
}

void assignNumberText(std::string& out, std::int64_t whole)
{
    // The plain digits wholeText writes.
    if (whole > -kPlainWhole && whole < kPlainWhole) {
        char digits[24];
        const auto written = std::to_chars(digits, digits + sizeof digits, whole);
        out.assign(digits, written.ptr);
        return;
    }
    out = numberText(static_cast<double>(whole));
}

std::string exactNumberText(double value)
{
    if (auto whole = wholeText(value))
        return std::move(*whole);
    // 17 significant digits always read back the same double; most values
    // need fewer.
    std::string text;
    for (int count = 15; count <= 17; ++count) {
        text = numberText(digits15(value, count));
        if (Val(text) == value)
            break;
    }
    return text;
}

std::string Format(double value, std::string_view pattern)
{
    const std::size_t pointPos = pattern.find('.');
    const std::string_view intPattern = pattern.substr(0, pointPos);
    const std::string_view fracPattern =
        pointPos == std::string_view::npos ? std::string_view() : pattern.substr(pointPos + 1);
    std::size_t intPlaces = 0;
    for (char c : intPattern)
        intPlaces += c == '0';
    int decimals = 0;
    for (char c : fracPattern)
        decimals += c == '0';

    if (auto plain = formatPlain(value, intPlaces, decimals, pointPos != std::string_view::npos))
        return std::move(*plain);

    std::string intPart;
    std::string fracPart;
    const Digits15 d = digits15(value);
    roundDigits(d, decimals, intPart, fracPart);

    const bool zero = intPart.empty() && fracPart.find_first_not_of('0') == std::string::npos;
    if (intPart.size() < intPlaces)
        intPart.insert(0, intPlaces - intPart.size(), '0');
    std::string out = d.negative && !zero ? "-" : "";
    out += intPart;
    if (pointPos != std::string_view::npos) {
        out += '.';
        out += fracPart;
    }
    return out;
}

double shownValue(double value, int decimals)
{
    bool negative = false;
    std::uint64_t units = 0;
    // Below 10^15 units the shown text has at most 15 digits, which Val reads
    // as units / 10^decimals: one exact division, done here without the text.
    if (plainUnits(value, decimals, negative, units) && units < kTens[15]) {
        if (units == 0)
            return 0.0;
        const double shown = static_cast<double>(units) / kPowers[decimals];
        return negative ? -shown : shown;
    }
    std::string pattern = "0";
    if (decimals > 0)
        pattern += "." + std::string(static_cast<std::size_t>(decimals), '0');
    return Val(Format(value, pattern));
}

std::string formatText(std::string_view text, std::string_view pattern)
{
    if (const auto v = wholeNumber(text))
        return Format(*v, pattern);
    return std::string(text);
}

}  // namespace tamrik
