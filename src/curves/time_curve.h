#pragma once
// The H0-t-Y0 curve: displacement against time, saw-tooth over the five cycles of every
// stage, with the stage loads in a strip above the time axis.

#include "curves/curve_frame.h"

namespace pyx {

// Draws the curve of the open test; with no test, or no load increment, only the axes and
// the load strip. A zero displacement step is set to 1 first. Stage counts (nstage) below
// 1 leave out the time labels, the load strip and the curve.
void drawTimeCurve(Canvas& c, TestData& d, CurveTarget target);

} // namespace pyx
