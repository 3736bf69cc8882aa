#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace pyx {

// Number formats of the shown and printed values.
//
// A pattern is an integer part of '#' and '0' placeholders, optionally followed by a point and a
// decimal part of '0' (always shown) and '#' (shown when not zero) placeholders: "#0.00",
// "##0.000", "#0", "#0.##", "0.#######". The count of '0's before the point is the minimum count
// of integer digits. Other characters are ignored.
//
// The value is first written as decimal text with the precision of its type (7 significant
// digits for a float, 15 for a double) and that text is rounded half away from zero, so the
// float 1.005 shows "1.01" under "#0.00". When the pattern has a point but no decimal is left,
// the point stays ("#0.##" of 10 is "10."). A negative value whose shown digits are all zero
// has no minus sign. NaN and infinities are written "NaN", "Inf" and "-Inf".
std::string formatSingle(float v, std::string_view pattern);
std::string formatDouble(double v, std::string_view pattern);

namespace detail {
// Inline: an optional returned through memory from a call stalls the caller's read of it.
template <typename T> std::optional<T> roundHalfEven(double v)
{
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    const double lower = std::floor(v);
    // The result is lower or lower + 1: beyond these bounds it cannot be in range.
    if (lower < static_cast<double>(std::numeric_limits<T>::min()) - 1.0 ||
        lower > static_cast<double>(std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    const auto whole = static_cast<long long>(lower);
    const double fraction = v - lower;
    long long r = whole;
    if (fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0)) {
        ++r;
    }
    if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(r);
}
} // namespace detail

// Whole numbers, rounded half to even. NaN, infinities and results outside the target range
// give no value.
inline std::optional<std::int16_t> toInteger(double v)
{
    return detail::roundHalfEven<std::int16_t>(v);
}
inline std::optional<std::int32_t> toLong(double v)
{
    return detail::roundHalfEven<std::int32_t>(v);
}

// The number at the start of a text: leading blanks, tabs and line feeds are skipped and those
// inside the number are ignored ("1 2" is 12); an optional sign, digits, an optional point and
// digits, an optional exponent (E, e, D or d, optional sign, digits). Reading stops at the first
// character that cannot continue the number. A text that starts with no number gives 0; a
// number too large for a double gives an infinity of its sign, one too small gives 0.
double leadingNumber(std::string_view text);

// True when the whole text, without leading and trailing blanks and tabs, is one number: an
// optional sign, digits with at most one point (at least one digit), an optional exponent.
bool isNumeric(std::string_view text);

// A numeric text (see isNumeric) as a double or a float; no value for any other text or for a
// number beyond the type's range. Numbers too small for the type become 0.
std::optional<double> toDouble(std::string_view text);
std::optional<float> toSingle(std::string_view text);
// A double stored as a float; no value when it is finite but beyond the float range.
std::optional<float> singleFromDouble(double v);

// Shortest text of a value with up to 7 (float) or 15 (double) significant digits, without
// trailing zeros or point: "10", "12.5", "0.1", "1E-05", "1E+10". NaN and infinities are
// written "NaN", "Inf" and "-Inf".
std::string singleText(float v);
std::string doubleText(double v);

} // namespace pyx
