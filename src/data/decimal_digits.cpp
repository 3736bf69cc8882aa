#include "data/decimal_digits.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace pyx {

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kWideBits = 126;  // kept free: twice a remainder still fits
constexpr int kNarrowBits = 62; // the same in 64 bits

constexpr int kMaxTenPower = 38;

struct TenPowers
{
    Wide p[kMaxTenPower + 1] = {};
    constexpr TenPowers()
    {
        p[0] = 1;
        for (int k = 1; k <= kMaxTenPower; ++k) {
            p[k] = p[k - 1] * 10;
        }
    }
};
constexpr TenPowers kTenPowers;

Wide powerOfTen(int k)
{
    return kTenPowers.p[k];
}

// Upper bound of the bits of 10^k.
int tenBits(int k)
{
    return k * 3322 / 1000 + 1;
}

// The significant digits of m * 2^e as the whole number q = round(m * 2^e / 10^s), with
// 10^(significant - 1) <= q < 10^significant, computed in integers of type U of which `bits`
// are kept free of overflow. False when the fraction does not fit.
template <class U, int bits>
bool roundedQuotient(std::uint64_t m, int e, int significant, int& exponent, std::uint64_t& quotient)
{
    const int mantissaBits = 64 - std::countl_zero(m);
    const U low = static_cast<U>(powerOfTen(significant - 1));
    const U high = low * 10;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int s = exponent - (significant - 1);
        const int numBits = mantissaBits + (e > 0 ? e : 0) + (s < 0 ? tenBits(-s) : 0);
        const int denBits = (e < 0 ? -e : 0) + (s > 0 ? tenBits(s) : 0) + 1;
        if (numBits > bits || denBits > bits) {
            return false;
        }
        U num = m;
        U den = 1;
        num <<= (e > 0 ? e : 0);
        den <<= (e < 0 ? -e : 0);
        if (s < 0) {
            num *= static_cast<U>(powerOfTen(-s));
        } else {
            den *= static_cast<U>(powerOfTen(s));
        }
        // Without a power of ten below, the divisor is a power of two.
        const int shift = e < 0 ? -e : 0;
        U q = s <= 0 ? num >> shift : num / den;
        const U r = s <= 0 ? num & (den - 1) : num % den;
        if (q >= high) {
            ++exponent;
            continue;
        }
        if (q < low) {
            --exponent;
            continue;
        }
        if (2 * r > den || (2 * r == den && (q & 1) != 0)) {
            ++q;
        }
        if (q == high) {
            q = low;
            ++exponent;
        }
        quotient = static_cast<std::uint64_t>(q); // at most 17 digits
        return true;
    }
    return false;
}

// The exact path: |v| = m * 2^e with m odd, divided by 10^s as a fraction of two integers,
// 64-bit ones when they fit (a float's digits mostly), else 128-bit ones. False when even
// those would not fit; the standard conversion then does the work.
bool exactDigits(double v, int significant, DecimalDigits& out)
{
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = 0;
    if (biased == 0) {
        e = -1074;
    } else {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    const int zeros = std::countr_zero(m);
    m >>= zeros;
    e += zeros;

    // 2^(top - 1) <= |v| < 2^top; the decimal exponent is this estimate or one more.
    const int top = e + 64 - std::countl_zero(m);
    const int estimate = static_cast<int>(std::floor((top - 1) * 0.30102999566398120));
    int exponent = estimate;
    std::uint64_t n = 0;
    if (!roundedQuotient<std::uint64_t, kNarrowBits>(m, e, significant, exponent, n)) {
        exponent = estimate;
        if (!roundedQuotient<Wide, kWideBits>(m, e, significant, exponent, n)) {
            return false;
        }
    }
    out.negative = std::signbit(v);
    out.count = significant;
    out.exponent = exponent;
    int i = significant;
    for (; i >= 2; i -= 2) {
        const auto pair = static_cast<unsigned>(n % 100);
        n /= 100;
        out.digits[i - 1] = static_cast<char>('0' + pair % 10);
        out.digits[i - 2] = static_cast<char>('0' + pair / 10);
    }
    if (i == 1) {
        out.digits[0] = static_cast<char>('0' + n);
    }
    return true;
}

} // namespace

DecimalDigits scientificDigits(double v, int significant)
{
    DecimalDigits out;
    if (v == 0) {
        out.negative = std::signbit(v);
        out.count = significant;
        for (int i = 0; i < significant; ++i) {
            out.digits[i] = '0';
        }
        return out;
    }
    if (exactDigits(v, significant, out)) {
        return out;
    }
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1);
    const char* p = buf;
    out.negative = *p == '-';
    if (out.negative) {
        ++p;
    }
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p != '.') {
            out.digits[out.count++] = *p;
        }
    }
    if (p < res.ptr) {
        ++p;
        if (*p == '+') {
            ++p;
        }
        std::from_chars(p, res.ptr, out.exponent);
    }
    return out;
}

} // namespace pyx
