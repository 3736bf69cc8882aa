#pragma once
// Text widths of the page composer from the fonts the page renderer paints with: the font
// is asked for by name ("Tahoma", "宋体") and the system's substitute, with its fallbacks
// for CJK characters, is measured.

#include <QFont>
#include <string>
#include <unordered_map>

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
    // Widths already measured, by font and text: the tables repeat their texts a lot.
    mutable std::unordered_map<std::string, double> widths_;
};

} // namespace pyx
