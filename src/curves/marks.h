#pragma once
// The two critical-load marks of the gradient curve, kept in parameter slots of the record
// table: a point index of the curve (0 = no mark) and the text drawn beside it.

#include <array>
#include <optional>

#include "data/mark_slots.h"
#include "data/model.h"

namespace pyx {

// A drawn point of the gradient curve, in drawing units.
struct GradPoint
{
    float x = 0;
    float y = 0;
};
using GradPoints = std::array<GradPoint, kGradPointCount>;

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
