#include "curves/printed_curve.h"

#include "curves/gradient_curve.h"
#include "curves/time_curve.h"
#include "platform/recording_canvas.h"

namespace pyx {

Drawing printedCurve(const TestData& d, PrintedCurve curve, int gridRows)
{
    RecordingCanvas page;
    if (curve == PrintedCurve::Time) {
        drawTimeCurve(page, d, CurveTarget::Page);
    } else {
        GradPoints points{};
        drawGradientCurve(page, d, gridRows, points, CurveTarget::Page);
    }
    return page.picture();
}

} // namespace pyx
