#pragma once
// Text widths of the page composer from the fonts the page renderer paints with: the font
// is asked for by name ("Tahoma", "宋体") and the system's substitute, with its fallbacks
// for CJK characters, is measured.

#include <QFont>
#include <QFontMetricsF>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/text_measure.h"

class QPaintDevice;

namespace pyx {

// The font of a page text, `pixels` high (its em) on `device` (none: the screen).
QFont pageFont(const FontSpec& spec, double pixels, const QPaintDevice* device);

class QtTextMeasure : public TextMeasure
{
public:
    double width(std::string_view utf8, const FontSpec& font) const override;

private:
    struct TextHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using Widths = std::unordered_map<std::string, double, TextHash, std::equal_to<>>;
    struct FontWidths
    {
        FontSpec spec;
        QFontMetricsF metrics;
        // Widths already measured, by text: the tables repeat their texts a lot. A text is
        // looked up without a copy of it.
        Widths known;
        // The advances of the figures (digits, point, signs, colon), kept when every pair of
        // them measures as the sum of its two: a text of figures alone is then the sum of its
        // characters' advances, so the many different numbers of the tables are added up
        // instead of being shaped one by one.
        std::optional<std::array<double, 128>> figures;
        bool figuresChecked = false;
    };
    FontWidths& fontWidths(const FontSpec& font) const;
    static const std::array<double, 128>* figureAdvances(FontWidths& f);

    // A few fonts per document.
    mutable std::vector<FontWidths> fonts_;
};

} // namespace pyx
