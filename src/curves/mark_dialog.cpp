#include "curves/mark_dialog.h"

#include <cmath>
#include <limits>

#include "base/cp936.h"
#include "curves/mark_loads.h"
#include "curves/marks.h"
#include "data/numfmt.h"

namespace pyx {
namespace {

// The slot the hovered point goes into: an empty mark 1 first, then an empty mark 2; with
// both set, mark 1 when the point's stage number c is at most mark 1 or below mark 2.
int slotForHovered(float m1, float m2, float hoverpt)
{
    if (m1 == 0)
        return 0;
    if (m2 == 0)
        return 1;
    const float c = hoverpt + 1;
    if (c <= m1 || c < m2)
        return 0;
    return 1;
}

// A whole number above 0 that fits the stage-number variable.
std::optional<int> stageNumber(const std::string& box)
{
    const auto v = toDouble(box);
    if (!v || *v <= 0 || *v != std::floor(*v) || *v > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*v);
}

std::size_t characterCount(const std::string& utf8)
{
    std::size_t n = 0;
    for (const char ch : utf8)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80)
            ++n;
    return n;
}

} // namespace

MarkDialog::MarkDialog(TestData& d, bool& markhere, float hoverpt) : d_(d), markhere_(markhere)
{
    if (markhere_) {
        markIndex(d_, slotForHovered(markIndex(d_, 0), markIndex(d_, 1), hoverpt)) = hoverpt;
        storedOnOpen_ = true;
    }
    if (markIndex(d_, 0) > 0)
        text[0] = singleText(markIndex(d_, 0) + 1);
    if (markIndex(d_, 1) != 0)
        text[1] = singleText(markIndex(d_, 1) + 1);
    const std::string t1 = markText(d_, 0).trimmed();
    text[2] = t1.empty() ? kDefaultMarkText : t1;
    const std::string t2 = markText(d_, 1).trimmed();
    if (!t2.empty())
        text[3] = t2;
}

bool MarkDialog::stageKeyAccepted(char32_t key)
{
    return (key >= U'0' && key <= U'9') || key == kBackspace;
}

void MarkDialog::stageBoxLeft(int box)
{
    if (box == 0 && characterCount(trimBlanks(text[0])) >= 6)
        text[0] = "0";
    else if (box == 1 && !isNumeric(text[1]))
        text[1] = "0";
}

void MarkDialog::clearMarks()
{
    text[0] = "0";
    text[1] = "0";
}

void MarkDialog::ok()
{
    markhere_ = false;
    mhz1 = 1;
    mhz2 = 1;
    const auto s1 = stageNumber(text[0]);
    if (s1)
        mhz1 = *s1;
    markIndex(d_, 0) = s1 ? static_cast<float>(mhz1 - 1) : 0;
    const auto s2 = stageNumber(text[1]);
    if (s2)
        mhz2 = *s2;
    markIndex(d_, 1) = s2 ? static_cast<float>(mhz2 - 1) : 0;
    markText(d_, 0).set(trimBlanks(text[2]));
    markText(d_, 1).set(trimBlanks(text[3]));
    accepted_ = true;
}

std::string MarkDialog::stageLoad(int box) const
{
    return box == 0 || box == 1 ? stageLoadText(stageLoads, text[static_cast<std::size_t>(box)])
                                : std::string();
}

} // namespace pyx
