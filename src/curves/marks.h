#pragma once
// The two critical-load marks of the gradient curve, kept in parameter slots of the record
// table: a point index of the curve (0 = no mark) and the text drawn beside it.

#include <array>
#include <optional>

#include "data/model.h"

namespace pyx {

inline constexpr int kMarkRows[2] = {20, 21};
inline constexpr const char* kDefaultMarkText = "Hcr";
inline constexpr int kGradPointCount = 31;

// A drawn point of the gradient curve, in drawing units.
struct GradPoint
{
    float x = 0;
    float y = 0;
};
using GradPoints = std::array<GradPoint, kGradPointCount>;

// Mark 1 (which = 0) or mark 2 (which = 1).
inline float& markIndex(TestData& d, int which)
{
    return d.jlb[kMarkRows[which]].cs;
}
inline float markIndex(const TestData& d, int which)
{
    return d.jlb[kMarkRows[which]].cs;
}
inline FixedText<40>& markText(TestData& d, int which)
{
    return d.jlb[kMarkRows[which]].cstr;
}
inline const FixedText<40>& markText(const TestData& d, int which)
{
    return d.jlb[kMarkRows[which]].cstr;
}

// The entry of the point list a mark value refers to (rounded half to even); no value
// outside the list.
std::optional<int> markedPoint(float mark);

// The point under the mouse, from the last drawn gradient curve.
struct Hover
{
    bool hit = false; // hoverhit
    float point = 0;  // hoverpt
};

// Hover test at a mouse position in drawing units (clamped to 0..1000): the first point
// within 8 units along both axes.
void hoverTest(const GradPoints& gpts, double x, double y, Hover& hover);

// A click on the hovered point: sets mark 1, or mark 2 when mark 1 is set; the text of
// mark 1 becomes "Hcr" when empty. True when the marks or texts changed.
bool markClickedPoint(TestData& d, const Hover& hover);

// Clears both marks, keeping their texts.
void clearMarks(TestData& d);

} // namespace pyx
