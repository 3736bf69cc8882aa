#include "base/cp936.h"

#include "data/fixed_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pyx {
namespace {

using namespace std::string_literals;

const std::string replacement = "\xEF\xBF\xBD";

TEST(Cp936, RoundTrips)
{
    struct Case
    {
        std::string utf8;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"ABC 123", "ABC 123"},
        {"工程", "\xB9\xA4\xB3\xCC"},
        {"工程名称：试桩", "\xB9\xA4\xB3\xCC\xC3\xFB\xB3\xC6\xA3\xBA\xCA\xD4\xD7\xAE"},
        {"单桩水平静载试验", "\xB5\xA5\xD7\xAE\xCB\xAE\xC6\xBD\xBE\xB2\xD4\xD8\xCA\xD4\xD1\xE9"},
        {"H0=120kN，Δ", "H0=120kN\xA3\xAC\xA6\xA4"},
        {"a\0b"s, "a\0b"s},
        {"€", "\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeCp936(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(decodeCp936(c.bytes), c.utf8) << c.utf8;
    }
}

TEST(Cp936, InvalidBytesDecodeToReplacement)
{
    struct Case
    {
        std::string bytes;
        std::string utf8;
    };
    const std::vector<Case> cases = {
        {"\xFF", replacement},
        {"A\xFF"
         "B",
         "A" + replacement + "B"},
        {"\xFF\xFF\xFF", replacement + replacement + replacement},
        // A lead byte cut off at the end.
        {"\xB9\xA4\xB3", "工" + replacement},
        {"\xB9", replacement},
        // A lead byte followed by a byte that cannot end a pair: that byte is kept.
        {"\xB9 A", replacement + " A"},
        {"\xB9\x0A", replacement + "\n"},
        // A well-formed pair without a character is one character.
        {"\xA2\xE3"
         "A",
         replacement + "A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeCp936(c.bytes), c.utf8);
    }
}

TEST(Cp936, UnencodableTextBecomesQuestionMarks)
{
    struct Case
    {
        std::string utf8;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"A😀B", "A?B"},     {"工\xFF程", "\xB9\xA4?\xB3\xCC"}, {"\xE5\xB7", "??"},
        {"\xC0\xAF", "??"}, {"\xED\xA0\x80", "???"},           {replacement, "?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeCp936(c.utf8), c.bytes);
    }
}

TEST(Cp936, FitField)
{
    struct Case
    {
        std::string bytes;
        std::size_t n;
        std::string expected;
    };
    const std::string gongcheng = "\xB9\xA4\xB3\xCC"; // 工程
    const std::vector<Case> cases = {
        {"", 0, ""},
        {"", 3, "   "},
        {"AB", 5, "AB   "},
        {"ABCDEF", 4, "ABCD"},
        {gongcheng, 4, gongcheng},
        {gongcheng, 3, "\xB9\xA4 "},
        {gongcheng, 1, " "},
        {gongcheng, 6, gongcheng + "  "},
        {"A" + gongcheng, 2, "A "},
        {"A" + gongcheng, 3, "A\xB9\xA4"},
        // A pair is taken whole even when its second byte is ASCII.
        {"\xB9"
         "A"
         "B",
         2,
         "\xB9"
         "A"},
        // A lead byte cut off at the end of the text is not kept.
        {"A\xB9", 4, "A   "},
        {"a\0b"s, 4, "a\0b "s},
        {"\x80"
         "A",
         2,
         "\x80"
         "A"},
    };
    for (const auto& c : cases) {
        const std::string field = fitField(c.bytes, c.n);
        EXPECT_EQ(field.size(), c.n);
        EXPECT_EQ(field, c.expected);
    }
    EXPECT_EQ(fitField(encodeCp936("工程名称：试桩"), 5), "\xB9\xA4\xB3\xCC ");
}

TEST(Cp936, TrimBlanks)
{
    struct Case
    {
        std::string text;
        std::string both;
        std::string right;
    };
    const std::vector<Case> cases = {
        {"", "", ""},
        {"    ", "", ""},
        {"abc", "abc", "abc"},
        {"  a b  ", "a b", "  a b"},
        {"\tx\t ", "\tx\t", "\tx\t"},
        {"工程  ", "工程", "工程"},
        {"a\0  "s, "a\0"s, "a\0"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trimBlanks(c.text), c.both) << '"' << c.text << '"';
        EXPECT_EQ(trimRightBlanks(c.text), c.right) << '"' << c.text << '"';
    }
}

// Fields are compared with plain ASCII texts and read as text without the converter where
// their bytes allow it: every field of two leading bytes must give what the decoder gives.
TEST(Cp936, FixedTextReadsAndComparesLikeTheDecoder)
{
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            std::string bytes = " ---";
            bytes.insert(0, 1, static_cast<char>(a));
            bytes[1] = static_cast<char>(b);
            FixedText<5> f;
            f.setRaw(bytes);
            const std::string decoded = decodeCp936(bytes);
            ASSERT_EQ(f.text(), decoded) << a << " " << b;
            const std::string trimmed = trimBlanks(decoded);
            for (const std::string& text :
                 {trimmed, "--"s, "---"s, ""s, std::string(1, static_cast<char>(b)) + "---"})
                ASSERT_EQ(f.is(text), trimmed == text) << a << " " << b << " " << text;
        }
    }
}

} // namespace
} // namespace pyx
