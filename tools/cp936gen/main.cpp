// Writes the CP936 tables of the codec (src/base/cp936_table.inc) from this system's iconv,
// so that the program converts the same way on every system:
//   pyx-cp936gen > src/base/cp936_table.inc
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kTrailCount = 0xFE - 0x40 + 1;

// The conversion of `in` as a whole, or nullopt when iconv refuses any of it.
std::optional<std::string> convert(iconv_t cd, const std::string& in)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buf[64];
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0)
        return std::nullopt;
    return std::string(buf, static_cast<std::size_t>(dst - buf));
}

std::string utf8Of(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// The one BMP character that `utf8` holds, or 0.
char32_t bmpChar(const std::string& utf8)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    if (utf8.size() == 1 && b(0) < 0x80)
        return b(0);
    if (utf8.size() == 2)
        return static_cast<char32_t>(((b(0) & 0x1F) << 6) | (b(1) & 0x3F));
    if (utf8.size() == 3)
        return static_cast<char32_t>(((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F));
    return 0;
}

int fail(const char* what)
{
    std::fprintf(stderr, "pyx-cp936gen: %s\n", what);
    return 1;
}

} // namespace

int main()
{
    iconv_t toUtf8 = iconv_open("UTF-8", "CP936");
    iconv_t fromUtf8 = iconv_open("CP936", "UTF-8");
    if (toUtf8 == reinterpret_cast<iconv_t>(-1) || fromUtf8 == reinterpret_cast<iconv_t>(-1))
        return fail("iconv has no CP936");

    std::vector<unsigned> singles(128, 0);
    for (int b = 0x00; b <= 0xFF; ++b) {
        const auto u = convert(toUtf8, std::string(1, static_cast<char>(b)));
        if (b < 0x80) {
            if (!u || bmpChar(*u) != static_cast<char32_t>(b))
                return fail("an ASCII byte is not itself");
        } else if (u) {
            if (b >= 0x81 && b <= 0xFE)
                return fail("a lead byte is a character by itself");
            singles[static_cast<std::size_t>(b - 0x80)] = static_cast<unsigned>(bmpChar(*u));
        }
    }
    std::vector<unsigned> pairs(126 * kTrailCount, 0);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            const std::string in{static_cast<char>(lead), static_cast<char>(trail)};
            const auto u = convert(toUtf8, in);
            const bool inRange = trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
            if (!u)
                continue;
            const char32_t c = bmpChar(*u);
            if (!inRange || c == 0)
                return fail("a pair outside the trail range, or not one BMP character");
            pairs[static_cast<std::size_t>((lead - 0x81) * kTrailCount + (trail - 0x40))] =
                static_cast<unsigned>(c);
        }
    }

    // The codec encodes by reversing the decoder (the first code of a character wins) and drops
    // the tag characters U+E0000..U+E007F, as iconv does; anything else iconv does differently
    // stops the generator.
    std::map<char32_t, unsigned> reverse;
    for (int b = 0x80; b <= 0xFF; ++b)
        if (const unsigned c = singles[static_cast<std::size_t>(b - 0x80)])
            reverse.emplace(c, static_cast<unsigned>(b));
    for (std::size_t i = 0; i < pairs.size(); ++i)
        if (pairs[i] != 0)
            reverse.emplace(
                pairs[i], static_cast<unsigned>(((0x81 + i / kTrailCount) << 8) | (0x40 + i % kTrailCount)));
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const auto bytes = convert(fromUtf8, utf8Of(c));
        const auto it = reverse.find(c);
        std::string expected;
        if (it != reverse.end() && it->second > 0xFF)
            expected = {static_cast<char>(it->second >> 8), static_cast<char>(it->second & 0xFF)};
        else if (it != reverse.end())
            expected = std::string(1, static_cast<char>(it->second));
        const bool dropped = c >= 0xE0000 && c <= 0xE007F;
        if (dropped ? (!bytes || !bytes->empty())
                    : (it == reverse.end() ? bytes.has_value() : bytes != expected))
            return fail("iconv encodes a character other than by the reversed decoder");
    }

    std::printf("// Generated by tools/cp936gen from the system's iconv (CP936); do not edit.\n");
    std::printf("// Bytes 0x80..0xFF that are characters by themselves (0: none).\n");
    std::printf("constexpr char16_t kHighSingles[128] = {");
    for (std::size_t i = 0; i < singles.size(); ++i)
        std::printf("%s0x%04X,", i % 12 == 0 ? "\n    " : " ", singles[i]);
    std::printf("\n};\n");
    std::printf("// Pairs: index (lead - 0x81) * %d + (trail - 0x40); 0 where the pair has no character.\n",
                kTrailCount);
    std::printf("constexpr char16_t kPairs[%zu] = {", pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i)
        std::printf("%s0x%04X,", i % 12 == 0 ? "\n    " : " ", pairs[i]);
    std::printf("\n};\n");
    iconv_close(toUtf8);
    iconv_close(fromUtf8);
    return 0;
}
