#include "platform/canvas_frame.h"

#include <algorithm>
#include <cmath>

namespace pyx {

double FrameMap::sizeScale() const
{
    return std::min(std::abs(sx), std::abs(sy));
}

FrameMap mapFrame(double left, double top, double width, double height, double deviceWidth,
                  double deviceHeight)
{
    const double spanX = width * (1 + kRightMargin);
    const double spanY = height * (1 + kBottomMargin);
    if (spanX == 0 || spanY == 0 || !std::isfinite(spanX) || !std::isfinite(spanY) || deviceWidth <= 0 ||
        deviceHeight <= 0)
        return {};
    FrameMap m;
    m.sx = deviceWidth / spanX;
    m.sy = deviceHeight / spanY;
    m.ox = -left * m.sx;
    m.oy = -top * m.sy;
    return m;
}

} // namespace pyx
