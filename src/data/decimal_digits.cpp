#include "data/decimal_digits.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace pyx {

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kWideBits = 126; // kept free: twice a remainder still fits

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

// The exact path: |v| = m * 2^e with m odd, divided by 10^s as a fraction of two 128-bit
// integers. False when they would not fit; the standard conversion then does the work.
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
    const int mantissaBits = 64 - std::countl_zero(m);

    // 2^(top - 1) <= |v| < 2^top; the decimal exponent is this estimate or one more.
    const int top = e + mantissaBits;
    int exponent = static_cast<int>(std::floor((top - 1) * 0.30102999566398120));
    const Wide low = powerOfTen(significant - 1);
    const Wide high = low * 10;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int s = exponent - (significant - 1);
        const int numBits = mantissaBits + (e > 0 ? e : 0) + (s < 0 ? tenBits(-s) : 0);
        const int denBits = (e < 0 ? -e : 0) + (s > 0 ? tenBits(s) : 0) + 1;
        if (numBits > kWideBits || denBits > kWideBits) {
            return false;
        }
        Wide num = m;
        Wide den = 1;
        num <<= (e > 0 ? e : 0);
        den <<= (e < 0 ? -e : 0);
        if (s < 0) {
            num *= powerOfTen(-s);
        } else {
            den *= powerOfTen(s);
        }
        // Without a power of ten below, the divisor is a power of two.
        const int shift = e < 0 ? -e : 0;
        Wide q = s <= 0 ? num >> shift : num / den;
        const Wide r = s <= 0 ? num & (den - 1) : num % den;
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
        out.negative = std::signbit(v);
        out.count = significant;
        out.exponent = exponent;
        auto n = static_cast<std::uint64_t>(q); // at most 17 digits
        for (int i = significant - 1; i >= 0; --i) {
            out.digits[i] = static_cast<char>('0' + static_cast<int>(n % 10));
            n /= 10;
        }
        return true;
    }
    return false;
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
