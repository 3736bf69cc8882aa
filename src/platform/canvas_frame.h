#pragma once
// Where a drawing's coordinate window lies on a device of a given size, both ways:
// the painter uses it to place the drawing, the surface to turn mouse positions back into
// drawing units.

#include "platform/canvas.h"

namespace pyx {

// The window fills the device, except a strip to the right of it and one past its bottom
// edge, where captions that stand just outside the window stay visible (fractions of the
// window's width and height).
inline constexpr double kRightMargin = 0.10;
inline constexpr double kBottomMargin = 0.03;
// Font sizes are in drawing units: the em of a font of size s is kTextEm * s units.
inline constexpr double kTextEm = 0.62;
// Pen widths are in half drawing units; a pen is never thinner than one device pixel.
inline constexpr double kPenUnit = 0.5;

struct FrameMap
{
    double sx = 1; // device units per drawing unit, along x and y (negative when y grows upwards)
    double sy = 1;
    double ox = 0; // device position of the drawing's origin
    double oy = 0;

    double deviceX(double x) const { return ox + sx * x; }
    double deviceY(double y) const { return oy + sy * y; }
    double drawingX(double px) const { return (px - ox) / sx; }
    double drawingY(double py) const { return (py - oy) / sy; }
    // Device units per drawing unit for sizes that must not be stretched (texts, pens, radii).
    double sizeScale() const;
};

// A degenerate window (zero width or height) or device maps as the identity.
FrameMap mapFrame(double left, double top, double width, double height, double deviceWidth,
                  double deviceHeight);
// The frame of a drawing: its last coordinate window on that device.
FrameMap drawingFrame(const Drawing& drawing, double deviceWidth, double deviceHeight);

} // namespace pyx
