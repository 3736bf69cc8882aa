#include "curves/curve_frame.h"

#include "data/numfmt.h"

namespace pyx {

void beginCurve(Canvas& c)
{
    c.clear();
    c.setWindow(kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight);
}

std::optional<double> loadIncrement(const TestData& d)
{
    return toDouble(d.kz3);
}

} // namespace pyx
