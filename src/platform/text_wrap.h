#pragma once
// Breaking a text into the lines of a given width, as paragraphs, cells and text boxes set
// it.

#include <string>
#include <string_view>
#include <vector>

#include "platform/text_measure.h"

namespace pyx {

// The lines of `text` within `width` twips. Lines end at blanks, which the break swallows,
// so a text whose words are parted by blanks keeps them whole ("实际 间隔 (min)" gives
// "实际", "间隔", "(min)"). A word wider than the line breaks between two characters of
// which one is wide (CJK), except before closing and after opening punctuation; a word with
// no such place is cut where it overflows, so every line holds at least one character. A
// line feed always ends a line. Lines lose their trailing blanks. An empty text has no line.
std::vector<std::string> wrapText(std::string_view text, double width, const FontSpec& font,
                                  const TextMeasure& measure);

} // namespace pyx
