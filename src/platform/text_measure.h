#pragma once
// How wide a text is on the page. The page layout asks this of the fonts the renderer
// paints with (the Qt measure); the fixed measure stands in for them where no fonts are at
// hand (tests, pyx-cli without the window).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pyx {

inline constexpr double kTwipsPerPoint = 20;

// A font as the page composer asks for it: a name (the system substitutes a font it has),
// a size in points, bold or not.
struct FontSpec
{
    std::string name = "Tahoma";
    double size = 10;
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

class TextMeasure
{
public:
    virtual ~TextMeasure() = default;
    // Advance width in twips of a text set on one line.
    virtual double width(std::string_view utf8, const FontSpec& font) const = 0;
};

// Every wide character (see isWideChar) one em, every other character half an em.
class FixedTextMeasure : public TextMeasure
{
public:
    double width(std::string_view utf8, const FontSpec& font) const override;
};

// One character of a UTF-8 text: where its bytes are and its code point. A byte that starts
// no valid sequence is a character of its own (U+FFFD).
struct Utf8Char
{
    std::size_t offset = 0;
    std::size_t length = 0;
    char32_t code = 0;
};
std::vector<Utf8Char> utf8Chars(std::string_view text);

// Characters set in a full em: CJK ideographs and radicals, kana, hangul, CJK symbols and
// punctuation, full-width forms.
bool isWideChar(char32_t c);

} // namespace pyx
