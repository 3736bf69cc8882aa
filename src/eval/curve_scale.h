#pragma once
// Displacement scales of the two curves and the refresh of the curve shown.

#include <functional>

#include "data/model.h"

namespace pyx {

// The drawing routines the main window registers; an empty one is not called.
struct CurveDrawers
{
    std::function<void()> drawQs; // H0-t-Y0 curve
    std::function<void()> drawLg; // H0-ΔY0/ΔH0 curve
};

// Chooses ystep (H0-t-Y0 axis) and gmax (gradient axis) from the data; while the axis is
// fixed (yfix) it only replaces a zero scale by 1.
void genXY(TestData& d);

// genXY, then redraws the curve that is shown.
void display(TestData& d, const CurveDrawers& drawers);

} // namespace pyx
