#pragma once
// The H0-ΔY0/ΔH0 curve: for every stage, the displacement gained under its last loaded
// reading over the previous stage, against the load; with the critical-load marks.

#include <vector>

#include "curves/curve_frame.h"
#include "curves/marks.h"

namespace pyx {

// Draws the curve and its marks and rebuilds the point list `gpts`. `gridRows` is the row
// count of the main grid (heading included): below 3 only the axes are drawn, below 7 the
// first point is the last record instead of the fifth. A zero scale is drawn as 1. No
// points are drawn without a load increment or with a stage count (nstage) below 1. The
// test data are only read.
void drawGradientCurve(Canvas& c, const TestData& d, int gridRows, GradPoints& gpts, CurveTarget target);

// The colour of suggested loads, on the curve and in the analysis' plots.
inline constexpr Color kSuggestionColor = Color::rgb(0, 150, 60);

// A suggested critical and ultimate load as the 1-based stages of the points they name (0: none).
struct SuggestedStages
{
    int hcrStage = 0;
    int huStage = 0;
};

// Rings the points the suggestions name, in the colour of suggestions, (critical and ultimate loads
// of every method) on the drawn curve, labelled "Hcr?" and "Hu?"; points beyond the point list are left out.
// Where a point is marked, the mark's label stands alone: a suggestion names there only what
// the mark does not.
void drawSuggestedPoints(Canvas& c, const TestData& d, const GradPoints& gpts,
                         const std::vector<SuggestedStages>& suggestions);

} // namespace pyx
