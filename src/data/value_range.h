#pragma once
// The values the record table holds as numbers: what its editing takes. A value outside
// (not finite, or absurdly large, as damaged files give) is shown as "--", left out of the
// curve scales and told to the user after the open.

#include <cmath>

namespace pyx {

inline constexpr double kMaxReading = 9999;  // mm, either sign
inline constexpr double kMaxLoad = 99999999; // kN

inline bool usableReading(float v)
{
    return std::isfinite(v) && std::fabs(static_cast<double>(v)) <= kMaxReading;
}
inline bool usableLoad(float v)
{
    return std::isfinite(v) && std::fabs(static_cast<double>(v)) <= kMaxLoad;
}

} // namespace pyx
