#include "base/cp936.h"
#include "base/utf8.h"

#include <array>
#include <cstdint>
#include <memory>

namespace pyx {

namespace {

// The tables come from iconv's CP936 (tools/cp936gen), so that every system converts alike.
#include "base/cp936_table.inc"

constexpr std::string_view replacementUtf8 = "\xEF\xBF\xBD";
constexpr unsigned kTrailCount = 0xFE - 0x40 + 1;

bool isLeadByte(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}
bool isTrailByte(unsigned char b)
{
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// The code of each BMP character (0: none), the decoder reversed; the first code of a
// character wins.
const std::array<std::uint16_t, 0x10000>& encodeTable()
{
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint16_t, 0x10000>>();
        t->fill(0);
        for (unsigned b = 0; b < 128; ++b) {
            if (kHighSingles[b] != 0 && (*t)[kHighSingles[b]] == 0)
                (*t)[kHighSingles[b]] = static_cast<std::uint16_t>(0x80 + b);
        }
        for (unsigned i = 0; i < std::size(kPairs); ++i) {
            if (kPairs[i] != 0 && (*t)[kPairs[i]] == 0)
                (*t)[kPairs[i]] =
                    static_cast<std::uint16_t>(((0x81 + i / kTrailCount) << 8) | (0x40 + i % kTrailCount));
        }
        return t;
    }();
    return *table;
}

// The language tag characters, which the conversion leaves out.
bool isTagCharacter(char32_t c)
{
    return c >= 0xE0000 && c <= 0xE007F;
}

} // namespace

std::string decodeCp936(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
        } else if (kHighSingles[b - 0x80] != 0) {
            appendUtf8(out, kHighSingles[b - 0x80]);
            ++i;
        } else if (isLeadByte(b) && i + 1 < bytes.size() &&
                   isTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
            // A well-formed pair without a character counts as one character.
            const auto t = static_cast<unsigned char>(bytes[i + 1]);
            const char16_t c = kPairs[(b - 0x81) * kTrailCount + (t - 0x40)];
            if (c != 0)
                appendUtf8(out, c);
            else
                out += replacementUtf8;
            i += 2;
        } else {
            out += replacementUtf8;
            ++i;
        }
    }
    return out;
}

std::string encodeCp936(std::string_view utf8)
{
    const auto& table = encodeTable();
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        char32_t c = 0;
        const std::size_t len = utf8SequenceLength(utf8, &c);
        utf8.remove_prefix(len == 0 ? 1 : len);
        if (len == 0) {
            out.push_back('?');
        } else if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x10000 && table[c] > 0xFF) {
            out.push_back(static_cast<char>(table[c] >> 8));
            out.push_back(static_cast<char>(table[c] & 0xFF));
        } else if (c < 0x10000 && table[c] != 0) {
            out.push_back(static_cast<char>(table[c]));
        } else if (!isTagCharacter(c)) {
            out.push_back('?');
        }
    }
    return out;
}

std::string fitField(std::string_view cp936bytes, std::size_t n)
{
    std::string out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < cp936bytes.size() && out.size() < n) {
        const char c = cp936bytes[i];
        if (isLeadByte(static_cast<unsigned char>(c))) {
            if (out.size() + 2 > n || i + 1 >= cp936bytes.size()) {
                out.push_back(' ');
                break;
            }
            out.push_back(c);
            out.push_back(cp936bytes[i + 1]);
            i += 2;
        } else {
            out.push_back(c);
            ++i;
        }
    }
    out.resize(n, ' ');
    return out;
}

std::string trimBlanks(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::string trimRightBlanks(std::string_view s)
{
    const std::size_t last = s.find_last_not_of(' ');
    if (last == std::string_view::npos) {
        return {};
    }
    return std::string(s.substr(0, last + 1));
}

} // namespace pyx
