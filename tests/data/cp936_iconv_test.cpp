// The codec against the system's iconv, over every one- and two-byte input: the tables are
// iconv's, and the rules for invalid input are those of a converter that restarts after
// each fault. Linux only (Windows has no iconv).
#include "base/cp936.h"
#include "base/utf8.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>
#include <string>

namespace pyx {
namespace {

const std::string replacement = "\xEF\xBF\xBD";

class Iconv
{
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (valid())
            iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts what it can of `in`; false when it stopped at a fault.
    bool convert(std::string_view& in, std::string& out)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char chunk[256];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = chunk;
            std::size_t dstLeft = sizeof chunk;
            const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            const int err = errno;
            out.append(chunk, static_cast<std::size_t>(dst - chunk));
            in.remove_prefix(in.size() - srcLeft);
            if (r == static_cast<std::size_t>(-1) && err != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

std::string iconvDecode(Iconv& cd, std::string_view bytes)
{
    std::string out;
    while (!cd.convert(bytes, out)) {
        const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
        const bool pair =
            bytes.size() >= 2 && b(0) >= 0x81 && b(0) <= 0xFE && b(1) >= 0x40 && b(1) <= 0xFE && b(1) != 0x7F;
        out += replacement;
        bytes.remove_prefix(pair ? 2 : 1);
    }
    return out;
}

std::string iconvEncode(Iconv& cd, std::string_view utf8)
{
    std::string out;
    while (!cd.convert(utf8, out)) {
        const std::size_t len = utf8SequenceLength(utf8);
        out.push_back('?');
        utf8.remove_prefix(len == 0 ? 1 : len);
    }
    return out;
}

TEST(Cp936Iconv, DecodesEveryOneAndTwoByteInputAsIconv)
{
    Iconv cd("UTF-8", "CP936");
    ASSERT_TRUE(cd.valid());
    int differences = 0;
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        differences += decodeCp936(one) != iconvDecode(cd, one);
        for (int b = 0; b < 256; ++b) {
            // Followed by a lead byte cut off, and by plain text, to check where each fault ends.
            for (const std::string& tail : {std::string(), std::string("\x81"), std::string("A")}) {
                const std::string in = one + static_cast<char>(b) + tail;
                if (decodeCp936(in) != iconvDecode(cd, in) && ++differences < 10)
                    ADD_FAILURE() << std::hex << a << ' ' << b << " + " << tail.size() << " bytes";
            }
        }
    }
    EXPECT_EQ(differences, 0);
}

std::string utf8Of(char32_t c)
{
    std::string s;
    appendUtf8(s, c);
    return s;
}

TEST(Cp936Iconv, EncodesEveryCharacterAsIconv)
{
    Iconv cd("CP936", "UTF-8");
    ASSERT_TRUE(cd.valid());
    int differences = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string in = "a" + utf8Of(c) + "b";
        if (encodeCp936(in) != iconvEncode(cd, in) && ++differences < 10)
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_EQ(differences, 0);
}

TEST(Cp936Iconv, EncodesInvalidUtf8AsIconv)
{
    Iconv cd("CP936", "UTF-8");
    ASSERT_TRUE(cd.valid());
    int differences = 0;
    // Every one- and two-byte input, and every three-byte one that starts a three-byte form,
    // each followed by text.
    for (int a = 0x80; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string two{static_cast<char>(a), static_cast<char>(b), 'x'};
            differences += encodeCp936(two) != iconvEncode(cd, two);
            for (int c = 0; a >= 0xE0 && a <= 0xF4 && c < 256; ++c) {
                const std::string three{static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
                                        'x'};
                if (encodeCp936(three) != iconvEncode(cd, three) && ++differences < 10)
                    ADD_FAILURE() << std::hex << a << ' ' << b << ' ' << c;
            }
        }
    }
    EXPECT_EQ(differences, 0);
}

} // namespace
} // namespace pyx
