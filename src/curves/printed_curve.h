#pragma once
// A curve as it is put on paper: the page variant of the screen drawing (title, captions
// moved), drawn on a canvas of its own. Neither the test data nor the curve on screen, its
// point list included, change, so the window goes on showing and picking what it showed.

#include "curves/curve_frame.h"

namespace pyx {

enum class PrintedCurve
{
    Time,    // H0-t-Y0
    Gradient // H0-ΔY0/ΔH0
};

// `gridRows` is the row count of the main grid, as the gradient curve's guard reads it.
Drawing printedCurve(const TestData& d, PrintedCurve curve, int gridRows);

} // namespace pyx
