#include "data/raw_save_mark.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>

namespace pyx {
namespace {

// "PYX", "L" with load-level records or "-" without, then the bits of the first and the
// second load as 8 hex digits each: 20 characters, the width of s20c, and exact for any value.
constexpr std::string_view kTag = "PYX";
constexpr char kWithLevels = 'L';
constexpr char kWithoutLevels = '-';
constexpr std::size_t kHexDigits = 8;

std::string hexBits(float v)
{
    char buf[kHexDigits + 1];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(std::bit_cast<std::uint32_t>(v)));
    return buf;
}

std::optional<float> fromHexBits(std::string_view text)
{
    std::uint32_t bits = 0;
    const auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), bits, 16);
    if (err != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return std::bit_cast<float>(bits);
}

} // namespace

void markSavedTable(YsRec& row0, const IncrementSource& source)
{
    row0.s20a.set("1");
    row0.s20c.set(std::string(kTag) + (source.haslevel ? kWithLevels : kWithoutLevels) +
                  hexBits(source.first) + hexBits(source.second));
}

std::optional<IncrementSource> savedTableMark(const YsRec& row0)
{
    if (row0.s20a.trimmed() != "1")
        return std::nullopt;
    const std::string_view mark = row0.s20c.bytes();
    static_assert(kTag.size() + 1 + 2 * kHexDigits == FixedText<20>::size());
    if (mark.substr(0, kTag.size()) != kTag)
        return std::nullopt;
    const char levels = mark[kTag.size()];
    if (levels != kWithLevels && levels != kWithoutLevels)
        return std::nullopt;
    const auto first = fromHexBits(mark.substr(kTag.size() + 1, kHexDigits));
    const auto second = fromHexBits(mark.substr(kTag.size() + 1 + kHexDigits, kHexDigits));
    if (!first || !second)
        return std::nullopt;
    return IncrementSource{levels == kWithLevels, *first, *second};
}

} // namespace pyx
