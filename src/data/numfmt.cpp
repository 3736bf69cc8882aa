#include "data/numfmt.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

#include "data/decimal_digits.h"

namespace pyx {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string nonFiniteText(double v)
{
    if (std::isnan(v)) {
        return "NaN";
    }
    return v < 0 ? "-Inf" : "Inf";
}

// The placeholders of a number pattern.
struct Pattern
{
    int minIntDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool hasPoint = false;
};

Pattern parsePattern(std::string_view pattern)
{
    Pattern p;
    int decimals = 0;
    for (char c : pattern) {
        if (c == '.' && !p.hasPoint) {
            p.hasPoint = true;
        } else if (!p.hasPoint) {
            if (c == '0') {
                ++p.minIntDigits;
            }
        } else if (c == '0' || c == '#') {
            ++decimals;
            if (c == '0') {
                p.minDecimals = decimals;
            }
        }
    }
    p.maxDecimals = decimals;
    return p;
}

// Formats a finite value whose significant digits are those of `significant` scientific
// digits, rounding that decimal text half away from zero. Works on the digits in place: the
// value scaled to whole units of the last decimal is `digits` followed by `zeros` zeros.
std::string formatDecimalText(double v, int significant, std::string_view pattern)
{
    if (!std::isfinite(v)) {
        return nonFiniteText(v);
    }
    const Pattern p = parsePattern(pattern);

    // digits[0] is room for a carry out of the first digit.
    const DecimalDigits sci = scientificDigits(v, significant);
    const bool negative = sci.negative;
    char digits[sizeof sci.digits + 1];
    const auto count = static_cast<std::size_t>(sci.count);
    std::memcpy(digits + 1, sci.digits, sizeof sci.digits); // a fixed size: no call
    const int exponent = sci.exponent;

    // value = 0.digits * 10^(exponent + 1); scaled = value * 10^maxDecimals, rounded.
    const long long keep = static_cast<long long>(exponent) + 1 + p.maxDecimals;
    std::size_t first = 1;
    std::size_t last = 1; // one past the kept digits
    std::size_t zeros = 0;
    if (keep >= static_cast<long long>(count)) {
        last = 1 + count;
        zeros = static_cast<std::size_t>(keep) - count;
    } else if (keep >= 0) {
        last = 1 + static_cast<std::size_t>(keep);
        if (digits[last] >= '5') {
            std::size_t at = last;
            while (at > first && digits[at - 1] == '9') {
                digits[--at] = '0';
            }
            if (at > first) {
                ++digits[at - 1];
            } else {
                digits[--first] = '1';
            }
        }
    }
    while (first < last && digits[first] == '0') {
        ++first;
    }
    const bool allZero = first == last;
    if (allZero) {
        zeros = 0;
    }

    // The scaled text, padded in front to the pattern's minimum length.
    const std::size_t length = last - first + zeros;
    const std::size_t minLength = static_cast<std::size_t>(p.maxDecimals + p.minIntDigits);
    const std::size_t padding = length < minLength ? minLength - length : 0;
    const std::size_t total = padding + length;
    const auto at = [&](std::size_t k) {
        if (k < padding) {
            return '0';
        }
        k -= padding;
        return k < last - first ? digits[first + k] : '0';
    };
    const std::size_t intLength = total - static_cast<std::size_t>(p.maxDecimals);
    std::size_t decimalsEnd = total;
    while (decimalsEnd > intLength + static_cast<std::size_t>(p.minDecimals) && at(decimalsEnd - 1) == '0') {
        --decimalsEnd;
    }

    const bool sign = negative && !allZero;
    std::string out(
        static_cast<std::size_t>(sign) + intLength + (p.hasPoint ? 1 + decimalsEnd - intLength : 0), '.');
    char* to = out.data();
    if (sign) {
        *to++ = '-';
    }
    for (std::size_t k = 0; k < intLength; ++k) {
        *to++ = at(k);
    }
    if (p.hasPoint) {
        ++to;
        for (std::size_t k = intLength; k < decimalsEnd; ++k) {
            *to++ = at(k);
        }
    }
    return out;
}

// Shortest text with up to `significant` digits, in the form %G would choose.
std::string shortText(double v, int significant)
{
    if (!std::isfinite(v)) {
        return nonFiniteText(v);
    }
    if (v == 0) {
        return "0";
    }
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, significant);
    std::string out(buf, res.ptr);
    for (char& c : out) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return out;
}

// A number read from text, ready for conversion: value = mantissa digits * 10^exponent.
struct ScannedNumber
{
    bool found = false;                // at least one mantissa digit
    bool negative = false;             //
    std::uint64_t leading = 0;         // the first (up to 19) significant digits as a number
    std::size_t significantDigits = 0; // mantissa digits from the first non-zero one
    long long exponent = 0;            // of the whole mantissa
    std::size_t mantissaEnd = 0;       // index after the mantissa's last digit
    std::size_t end = 0;               // index after the last character of the number
};

constexpr std::size_t kExactDigits = 19; // any 19 digits fit a 64-bit integer

bool isInnerBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Reads a number starting at `text[0]`. With `blanksInside`, blanks, tabs and line feeds
// anywhere in the number are passed over.
ScannedNumber scanNumber(std::string_view text, bool blanksInside)
{
    constexpr long long exponentLimit = 1'000'000;
    ScannedNumber n;
    std::size_t i = 0;
    auto skipBlanks = [&](std::size_t& at) {
        while (blanksInside && at < text.size() && isInnerBlank(text[at])) {
            ++at;
        }
    };

    skipBlanks(i);
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        n.negative = text[i] == '-';
        ++i;
    }
    long long fractionDigits = 0;
    bool point = false;
    for (;;) {
        skipBlanks(i);
        if (i >= text.size()) {
            break;
        }
        const char c = text[i];
        if (isDigit(c)) {
            n.found = true;
            if (n.significantDigits > 0 || c != '0') {
                if (n.significantDigits < kExactDigits) {
                    n.leading = n.leading * 10 + static_cast<std::uint64_t>(c - '0');
                }
                ++n.significantDigits;
            }
            if (point) {
                ++fractionDigits;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++i;
        n.end = i;
    }
    if (!n.found) {
        return ScannedNumber{};
    }
    n.mantissaEnd = n.end;

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        skipBlanks(j);
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        bool exponentDigits = false;
        for (;;) {
            skipBlanks(j);
            if (j >= text.size() || !isDigit(text[j])) {
                break;
            }
            exponentDigits = true;
            if (exponent < exponentLimit) {
                exponent = exponent * 10 + (text[j] - '0');
            }
            ++j;
            n.end = j;
        }
        if (exponentDigits) {
            if (negativeExponent) {
                exponent = -exponent;
            }
        } else {
            exponent = 0;
        }
    }
    n.exponent = exponent - fractionDigits;
    return n;
}

enum class Range
{
    Ok,
    Overflow,
    Underflow
};

// Powers of ten that a float (up to 10^10) or a double (up to 10^22) holds exactly.
template <typename T> struct ExactPowers;
template <> struct ExactPowers<float>
{
    static constexpr int kMax = 10;
    static constexpr std::uint64_t kMaxMantissa = std::uint64_t{1} << 24;
    static constexpr float kTen[kMax + 1] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                             1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
};
template <> struct ExactPowers<double>
{
    static constexpr int kMax = 22;
    static constexpr std::uint64_t kMaxMantissa = std::uint64_t{1} << 53;
    static constexpr double kTen[kMax + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
};

// Converts a scanned number of `text` into T (float or double), correctly rounded. A mantissa
// and a power of ten that the type holds exactly need one rounding step only, so one
// multiplication or division gives the right value; other numbers go through the standard
// conversion.
template <typename T> std::pair<T, Range> convert(std::string_view text, const ScannedNumber& n)
{
    if (n.significantDigits == 0) {
        return {T(0), Range::Ok};
    }
    using Powers = ExactPowers<T>;
    if (n.significantDigits <= kExactDigits && n.leading <= Powers::kMaxMantissa &&
        n.exponent >= -Powers::kMax && n.exponent <= Powers::kMax) {
        const auto mantissa = static_cast<T>(n.leading);
        const T value =
            n.exponent >= 0 ? mantissa * Powers::kTen[n.exponent] : mantissa / Powers::kTen[-n.exponent];
        return {n.negative ? -value : value, Range::Ok};
    }

    std::string digits;
    digits.reserve(n.significantDigits + 24);
    for (std::size_t i = 0; i < n.mantissaEnd; ++i) {
        if (isDigit(text[i]) && (!digits.empty() || text[i] != '0')) {
            digits.push_back(text[i]);
        }
    }
    digits += 'e';
    digits += std::to_string(n.exponent);

    T value{};
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // value = 0.significant * 10^magnitude
        const long long magnitude = static_cast<long long>(n.significantDigits) + n.exponent;
        return {T(0), magnitude > 0 ? Range::Overflow : Range::Underflow};
    }
    if (res.ec != std::errc{}) {
        return {T(0), Range::Ok};
    }
    return {n.negative ? -value : value, Range::Ok};
}

std::string_view trimmedNumberText(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::string formatSingle(float v, std::string_view pattern)
{
    return formatDecimalText(v, 7, pattern);
}

std::string formatDouble(double v, std::string_view pattern)
{
    return formatDecimalText(v, 15, pattern);
}

double leadingNumber(std::string_view text)
{
    const ScannedNumber n = scanNumber(text, true);
    if (!n.found) {
        return 0.0;
    }
    const auto [value, range] = convert<double>(text, n);
    if (range == Range::Overflow) {
        return n.negative ? -HUGE_VAL : HUGE_VAL;
    }
    return value == 0 ? 0.0 : value;
}

bool isNumeric(std::string_view text)
{
    text = trimmedNumberText(text);
    const ScannedNumber n = scanNumber(text, false);
    return n.found && n.end == text.size();
}

std::optional<double> toDouble(std::string_view text)
{
    text = trimmedNumberText(text);
    const ScannedNumber n = scanNumber(text, false);
    if (!n.found || n.end != text.size()) {
        return std::nullopt;
    }
    const auto [value, range] = convert<double>(text, n);
    if (range == Range::Overflow) {
        return std::nullopt;
    }
    return value == 0 ? 0.0 : value;
}

std::optional<float> toSingle(std::string_view text)
{
    text = trimmedNumberText(text);
    const ScannedNumber n = scanNumber(text, false);
    if (!n.found || n.end != text.size()) {
        return std::nullopt;
    }
    const auto [value, range] = convert<float>(text, n);
    if (range == Range::Overflow) {
        return std::nullopt;
    }
    return value == 0 ? 0.0f : value;
}

std::string singleText(float v)
{
    return shortText(v, 7);
}

std::string doubleText(double v)
{
    return shortText(v, 15);
}

std::optional<float> singleFromDouble(double v)
{
    if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(v);
}

} // namespace pyx
