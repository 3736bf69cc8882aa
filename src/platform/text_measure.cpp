#include "platform/text_measure.h"

#include "base/utf8.h"

namespace pyx {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

} // namespace

std::vector<Utf8Char> utf8Chars(std::string_view text)
{
    std::vector<Utf8Char> out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t code = 0;
        const std::size_t len = utf8SequenceLength(text.substr(i), &code);
        if (len == 0) {
            out.push_back({i, 1, kReplacement});
            ++i;
            continue;
        }
        out.push_back({i, len, code});
        i += len;
    }
    return out;
}

bool isWideChar(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || // hangul jamo
           (c >= 0x2E80 && c <= 0x303E) || // CJK radicals, symbols and punctuation
           (c >= 0x3041 && c <= 0x33FF) || // kana, bopomofo, CJK compatibility
           (c >= 0x3400 && c <= 0x4DBF) || // CJK extension A
           (c >= 0x4E00 && c <= 0x9FFF) || // CJK unified ideographs
           (c >= 0xA960 && c <= 0xA97F) || // hangul jamo extended
           (c >= 0xAC00 && c <= 0xD7A3) || // hangul syllables
           (c >= 0xF900 && c <= 0xFAFF) || // CJK compatibility ideographs
           (c >= 0xFE30 && c <= 0xFE4F) || // CJK compatibility forms
           (c >= 0xFF01 && c <= 0xFF60) || // full-width forms
           (c >= 0xFFE0 && c <= 0xFFE6) || // full-width signs
           (c >= 0x20000 && c <= 0x3FFFD); // CJK extensions B and later
}

double FixedTextMeasure::width(std::string_view utf8, const FontSpec& font) const
{
    const double em = font.size * kTwipsPerPoint;
    double w = 0;
    for (const Utf8Char& ch : utf8Chars(utf8))
        w += isWideChar(ch.code) ? em : em / 2;
    return w;
}

} // namespace pyx
