#pragma once
// What the two curves share: the drawing frame, the load increment they read and where
// a curve is drawn (the window or a page).

#include <optional>

#include "data/model.h"
#include "platform/canvas.h"

namespace pyx {

// The logical frame of every curve: x from -150 to 1050, y from 0 to 1300, y upwards.
inline constexpr double kFrameLeft = -150;
inline constexpr double kFrameTop = 1300;
inline constexpr double kFrameWidth = 1200;
inline constexpr double kFrameHeight = -1300;

// The page drawing adds a title and moves the right-hand captions.
enum class CurveTarget
{
    Screen,
    Page
};

// Clears the drawing and sets the frame.
void beginCurve(Canvas& c);

// A displacement scale as the curves draw it: a zero scale is drawn as 1.
inline float drawnScale(float scale)
{
    return scale == 0 ? 1.0f : scale;
}

// The load increment per stage (kz3), kN; no value when its text is not a number.
std::optional<double> loadIncrement(const TestData& d);

} // namespace pyx
