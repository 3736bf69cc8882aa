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

FrameMap drawingFrame(const Drawing& drawing, double deviceWidth, double deviceHeight)
{
    for (auto it = drawing.rbegin(); it != drawing.rend(); ++it) {
        if (it->op != "window" || it->args.size() != 4)
            continue;
        double v[4] = {};
        for (int i = 0; i < 4; ++i)
            if (const double* a = std::get_if<double>(&it->args[i]))
                v[i] = *a;
        return mapFrame(v[0], v[1], v[2], v[3], deviceWidth, deviceHeight);
    }
    return {};
}

} // namespace pyx
