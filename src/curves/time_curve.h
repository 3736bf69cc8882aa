#pragma once
// The H0-t-Y0 curve: displacement against time, saw-tooth over the five cycles of every
// stage, with the stage loads in a strip above the time axis.

#include "curves/curve_frame.h"

namespace pyx {

// Draws the curve of the open test; with no test, or no load increment, only the axes and
// the load strip. A zero displacement step is drawn as 1. Stage counts (nstage) below 1
// leave out the time labels, the load strip and the curve. The test data are only read.
void drawTimeCurve(Canvas& c, const TestData& d, CurveTarget target);

} // namespace pyx
