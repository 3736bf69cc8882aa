#include "data/numfmt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace pyx {
namespace {

TEST(Numfmt, FormatSingle)
{
    struct Case
    {
        float value;
        const char* pattern;
        const char* expected;
    };
    const std::vector<Case> cases = {
        // The decimal text is rounded, not the binary value.
        {1.005f, "#0.00", "1.01"},
        {0.125f, "#0.00", "0.13"},
        {2.675f, "#0.00", "2.68"},
        {1.0005f, "#0.000", "1.001"},
        // Half away from zero.
        {2.5f, "#0", "3"},
        {-2.5f, "#0", "-3"},
        {0.5f, "#0", "1"},
        {-1.005f, "#0.00", "-1.01"},
        // Mandatory decimals and integer digits.
        {12.5f, "##0.00", "12.50"},
        {0.0f, "#0.00", "0.00"},
        {0.0f, "##0.000", "0.000"},
        {0.04f, "#0.0", "0.0"},
        {123.456f, "##0.0000", "123.4560"},
        {1234.5f, "#0", "1235"},
        {99.95f, "##0.0", "100.0"},
        {9.9996f, "#0.000", "10.000"},
        // Optional decimals; the point stays when none is left.
        {50.5f, "#0.##", "50.5"},
        {10.0f, "#0.##", "10."},
        {0.999f, "#0.##", "1."},
        {3.14159f, "#0.##", "3.14"},
        {0.5f, "0.#######", "0.5"},
        {0.1f, "0.#######", "0.1"},
        {1.234567f, "0.#######", "1.234567"},
        // Tiny and huge values written in exponent form by the 7-digit text.
        {1.5e-8f, "0.#######", "0."},
        {1.5e-7f, "0.#######", "0.0000002"},
        {1.2345e-5f, "#0.00000", "0.00001"},
        {1e10f, "#0", "10000000000"},
        {3.4028235e38f, "#0", "340282300000000000000000000000000000000"},
        // No minus sign when every shown digit is zero.
        {-0.001f, "#0.00", "0.00"},
        {-0.004f, "#0.##", "0."},
        {-0.0f, "#0.0", "0.0"},
        {-0.005f, "#0.00", "-0.01"},
        // Non-finite values.
        {std::numeric_limits<float>::quiet_NaN(), "#0.00", "NaN"},
        {std::numeric_limits<float>::infinity(), "#0.00", "Inf"},
        {-std::numeric_limits<float>::infinity(), "#0", "-Inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatSingle(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
    }
}

TEST(Numfmt, FormatDouble)
{
    struct Case
    {
        double value;
        const char* pattern;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {8.73, "#0.00", "8.73"},
        {0.99999, "##0.000", "1.000"},
        {1.005, "#0.00", "1.01"},
        {2.675, "#0.00", "2.68"},
        {1.15, "#0.0", "1.2"},
        {-1.15, "#0.0", "-1.2"},
        {0.285, "#0.00", "0.29"},
        {12345.5, "##0", "12346"},
        {1.0 / 3.0, "##0.0000", "0.3333"},
        {2.0 / 3.0, "#0.000", "0.667"},
        {1e-20, "#0.00", "0.00"},
        {1.5e-8, "0.#######", "0."},
        {5e-8, "0.#######", "0.0000001"},
        {1e15, "#0", "1000000000000000"},
        {1e300, "#0.0", "1" + std::string(300, '0') + ".0"},
        {0.1 + 0.2, "0.#######", "0.3"},
        {-0.001, "#0.00", "0.00"},
        {std::numeric_limits<double>::quiet_NaN(), "#0.00", "NaN"},
        {-std::numeric_limits<double>::infinity(), "#0.00", "-Inf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDouble(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
    }
}

TEST(Numfmt, WholeNumberConversions)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        double value;
        std::optional<std::int16_t> integer;
        std::optional<std::int32_t> whole;
    };
    const std::vector<Case> cases = {
        {0.0, 0, 0},
        {2.5, 2, 2},
        {3.5, 4, 4},
        {-2.5, -2, -2},
        {-3.5, -4, -4},
        {0.5, 0, 0},
        {-0.5, 0, 0},
        {1.4999999, 1, 1},
        {2.5000001, 3, 3},
        {32767.4, 32767, 32767},
        {32767.5, std::nullopt, 32768},
        {-32768.5, -32768, -32768},
        {-32769.0, std::nullopt, -32769},
        {2147483647.4, std::nullopt, 2147483647},
        {2147483647.5, std::nullopt, std::nullopt},
        {-2147483648.5, std::nullopt, -2147483647 - 1},
        {-2147483649.0, std::nullopt, std::nullopt},
        {1e300, std::nullopt, std::nullopt},
        {nan, std::nullopt, std::nullopt},
        {inf, std::nullopt, std::nullopt},
        {-inf, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toInteger(c.value), c.integer) << c.value;
        EXPECT_EQ(toLong(c.value), c.whole) << c.value;
    }
}

TEST(Numfmt, LeadingNumber)
{
    struct Case
    {
        const char* text;
        double expected;
    };
    const std::vector<Case> cases = {
        {"08", 8},
        {"1030", 1030},
        {"abc", 0},
        {"", 0},
        {"12.5kN", 12.5},
        {" -3", -3},
        {"\t+4.25", 4.25},
        {"1 2", 12},
        {" 1 2 . 5 ", 12.5},
        {"- 3", -3},
        {".5", 0.5},
        {"5.", 5},
        {"1.2.3", 1.2},
        {"-", 0},
        {".", 0},
        {"-.e5", 0},
        {"1e3", 1000},
        {"1E-2", 0.01},
        {"2.5D2", 250},
        {"2.5d+2x", 250},
        {"1e", 1},
        {"1e+", 1},
        {"3ex", 3},
        {"--:--", 0},
        {"11:30", 11},
        {"-0", 0},
        {"0000000000000000000000000000123", 123},
        {"1e-400", 0},
        {"1e99999999999999999999", HUGE_VAL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(leadingNumber(c.text), c.expected) << '"' << c.text << '"';
    }
    EXPECT_EQ(leadingNumber("1e400"), HUGE_VAL);
    EXPECT_EQ(leadingNumber("-1e400"), -HUGE_VAL);
    EXPECT_FALSE(std::signbit(leadingNumber("-0")));
}

TEST(Numfmt, IsNumericAndTextConversions)
{
    struct Case
    {
        const char* text;
        std::optional<double> asDouble; // nullopt: not numeric
    };
    const std::vector<Case> cases = {
        {"0", 0.0},
        {"-0.5", -0.5},
        {"+7", 7.0},
        {"  12.25  ", 12.25},
        {"\t3\t", 3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e5", 1e5},
        {"1E-3", 1e-3},
        {"2.5d2", 250.0},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"--", std::nullopt},
        {"--1", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1e", std::nullopt},
        {"e5", std::nullopt},
        {"--:--", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isNumeric(c.text), c.asDouble.has_value()) << '"' << c.text << '"';
        EXPECT_EQ(toDouble(c.text), c.asDouble) << '"' << c.text << '"';
        const std::optional<float> asSingle =
            c.asDouble ? std::optional<float>(static_cast<float>(*c.asDouble)) : std::nullopt;
        EXPECT_EQ(toSingle(c.text), asSingle) << '"' << c.text << '"';
    }
}

TEST(Numfmt, TextConversionRanges)
{
    // Numeric but out of range: a failed conversion, not an infinity.
    EXPECT_TRUE(isNumeric("1e400"));
    EXPECT_EQ(toDouble("1e400"), std::nullopt);
    EXPECT_EQ(toDouble("-1e400"), std::nullopt);
    EXPECT_EQ(toSingle("1e39"), std::nullopt);
    EXPECT_EQ(toSingle("-3.5e38"), std::nullopt);
    EXPECT_EQ(toSingle("3.4e38"), 3.4e38f);
    EXPECT_EQ(toDouble("1e39"), 1e39);
    // Too small: zero.
    EXPECT_EQ(toSingle("1e-50"), 0.0f);
    EXPECT_EQ(toDouble("1e-400"), 0.0);
    // The float is read from the text, not from a rounded double.
    EXPECT_EQ(toSingle("0.1"), 0.1f);
    EXPECT_EQ(toSingle("2.077"), 2.077f);
}

// Readings are short decimals, read on a quick path; every text must still give the correctly
// rounded value of the C library's conversion, around the quick path's limits too.
TEST(Numfmt, ConversionsAgreeWithTheCLibrary)
{
    std::mt19937_64 random(20261209);
    const auto digitsOf = [&](int count) {
        std::string s;
        for (int i = 0; i < count; ++i)
            s.push_back(static_cast<char>('0' + random() % 10));
        return s;
    };
    std::vector<std::string> texts = {"16777216",
                                      "16777217",
                                      "9007199254740992",
                                      "9007199254740993",
                                      "1e22",
                                      "1e23",
                                      "3e10",
                                      "3e11",
                                      "0.1e-22",
                                      "1e-22",
                                      "16777217e-10",
                                      "0.0000000001",
                                      "1234567890123456789",
                                      "12345678901234567890"};
    for (int k = 0; k < 4000; ++k) {
        const int intDigits = static_cast<int>(random() % 12);
        const int decimals = static_cast<int>(random() % 12);
        std::string text = (random() % 4 == 0 ? "-" : "") + digitsOf(intDigits);
        if (decimals > 0 || intDigits == 0)
            text += "." + digitsOf(std::max(decimals, 1));
        if (random() % 3 == 0)
            text += "e" + std::to_string(static_cast<int>(random() % 61) - 30);
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const double d = std::strtod(text.c_str(), nullptr);
        const float f = std::strtof(text.c_str(), nullptr);
        EXPECT_EQ(leadingNumber(text), d == 0 ? 0.0 : d) << text;
        EXPECT_EQ(toDouble(text), d == 0 ? 0.0 : d) << text;
        const std::optional<float> single =
            std::isinf(f) ? std::nullopt : std::optional<float>(f == 0 ? 0.0f : f);
        EXPECT_EQ(toSingle(text), single) << text;
    }
}

TEST(Numfmt, ShortTexts)
{
    struct SingleCase
    {
        float value;
        const char* expected;
    };
    const std::vector<SingleCase> singles = {
        {10.0f, "10"},
        {12.5f, "12.5"},
        {0.1f, "0.1"},
        {1e-5f, "1E-05"},
        {99999.0f, "99999"},
        {2.077f, "2.077"},
        {-2.077f, "-2.077"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {1234567.0f, "1234567"},
        {12345678.0f, "1.234568E+07"},
        {1e10f, "1E+10"},
        {0.0001f, "0.0001"},
        {1.0f / 3.0f, "0.3333333"},
        {3.4028235e38f, "3.402823E+38"},
        {std::numeric_limits<float>::quiet_NaN(), "NaN"},
        {-std::numeric_limits<float>::infinity(), "-Inf"},
    };
    for (const auto& c : singles) {
        EXPECT_EQ(singleText(c.value), c.expected) << c.value;
    }

    struct DoubleCase
    {
        double value;
        const char* expected;
    };
    const std::vector<DoubleCase> doubles = {
        {10.0, "10"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {1e-5, "1E-05"},
        {1e100, "1E+100"},
        {2.077, "2.077"},
        {static_cast<double>(2.077f), "2.07699990272522"},
        {std::numeric_limits<double>::infinity(), "Inf"},
    };
    for (const auto& c : doubles) {
        EXPECT_EQ(doubleText(c.value), c.expected) << c.value;
    }
}

} // namespace
} // namespace pyx
