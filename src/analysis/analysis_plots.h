#pragma once
// The three curves of the analysis, each with its axes scaled to the data and tick labels
// with as many decimals as it takes to tell them apart: H0-△Y0/△H0 and lgH0-lgY0 with the
// fitted segments of their suggestion, H0-Y0 with the kink rule's. Suggested points are
// drawn in their own colour. One drawing serves the window and the report page.

#include <string>
#include <vector>

#include "analysis/test_analysis.h"
#include "curves/gradient_curve.h"
#include "platform/canvas.h"

namespace pyx {

enum class AnalysisPlot
{
    Gradient, // H0-△Y0/△H0
    LgLog,    // lgH0-lgY0
    Load      // H0-Y0
};

inline constexpr Color kFitColor = Color::rgb(30, 90, 200);

// The logical frame of the plots: x from -230 to 1070, y from -150 to 1000, y upwards; the
// plot area is 0..1000 by 0..850.
inline constexpr double kPlotLeft = -230;
inline constexpr double kPlotTop = 1000;
inline constexpr double kPlotWidth = 1300;
inline constexpr double kPlotHeight = -1150;
// Height over width of a plot picture (negative: y grows upwards).
inline constexpr double kPlotHeightRatio = kPlotHeight / kPlotWidth;

// An axis: its range, tick step and the decimals of its labels.
struct PlotAxis
{
    double lo = 0;
    double hi = 1;
    double step = 0.2;
    int decimals = 1;
    std::vector<std::string> labels() const;
};

// An axis over the values with about five ticks at 1, 2 or 5 times a power of ten; from 0
// when `fromZero` and no value is negative. Labels carry the decimals of the step, so no two
// are the same.
PlotAxis niceAxis(const std::vector<double>& values, bool fromZero);

const char* plotTitle(AnalysisPlot which);
void drawAnalysisPlot(Canvas& c, const TestAnalysis& a, AnalysisPlot which);

} // namespace pyx
