#include "data/decimal_digits.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace pyx {
namespace {

// The digits and exponent as the standard scientific conversion prints them.
std::string reference(double v, int significant)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1);
    return std::string(buf, res.ptr);
}

std::string ours(double v, int significant)
{
    const DecimalDigits d = scientificDigits(v, significant);
    std::string out = d.negative ? "-" : "";
    out += d.digits[0];
    if (d.count > 1) {
        out += '.';
        out.append(d.digits + 1, d.digits + d.count);
    }
    char exp[16];
    const int a = std::abs(d.exponent);
    std::snprintf(exp, sizeof exp, "e%c%02d", d.exponent < 0 ? '-' : '+', a);
    return out + exp;
}

TEST(DecimalDigits, TiesCarriesAndRangeEndsAsTheStandardConversion)
{
    const double cases[] = {12345675.0, 12345685.0, 9999999.5,  99999995.0, 0.5,      -0.125,
                            1.0000005,  2.5e-8,     16777215.0, 1e-30,      1e300,    -1e-300,
                            5e-324,     1.7e308,    0.1,        0.001f,     123.456f, -0.0};
    for (const double v : cases) {
        for (const int sig : {1, 2, 7, 15, 17}) {
            EXPECT_EQ(ours(v, sig), reference(v, sig)) << v << " " << sig;
        }
    }
}

TEST(DecimalDigits, RandomFloatsAndDoublesAsTheStandardConversion)
{
    std::mt19937_64 g(20261208);
    for (int i = 0; i < 200000; ++i) {
        const auto bits = static_cast<std::uint32_t>(g());
        const float f = std::bit_cast<float>(bits);
        const double d = std::bit_cast<double>(g());
        // Whole numbers scaled by powers of two: exact ties at the 7th and 15th digit.
        const double tie = std::ldexp(static_cast<double>(g() % 400000000), static_cast<int>(g() % 80) - 40);
        for (const double v : {static_cast<double>(f), d, tie}) {
            if (!std::isfinite(v)) {
                continue;
            }
            ASSERT_EQ(ours(v, 7), reference(v, 7)) << v;
            ASSERT_EQ(ours(v, 15), reference(v, 15)) << v;
        }
    }
}

} // namespace
} // namespace pyx
