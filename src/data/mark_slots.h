#pragma once
// Where the two critical-load marks of the gradient curve are kept: parameter slots of the
// record table holding a point index of the curve (0 = no mark) and the text drawn beside it.

#include <optional>

#include "data/model.h"

namespace pyx {

inline constexpr int kMarkRows[2] = {20, 21};
inline constexpr const char* kDefaultMarkText = "Hcr";
inline constexpr int kGradPointCount = 31; // points of the gradient curve

// Mark 1 (which = 0) or mark 2 (which = 1).
inline float& markIndex(TestData& d, int which)
{
    return d.jlb[kMarkRows[which]].cs;
}
inline float markIndex(const TestData& d, int which)
{
    return d.jlb[kMarkRows[which]].cs;
}
inline FixedText<40>& markText(TestData& d, int which)
{
    return d.jlb[kMarkRows[which]].cstr;
}
inline const FixedText<40>& markText(const TestData& d, int which)
{
    return d.jlb[kMarkRows[which]].cstr;
}

// The entry of the point list a mark value refers to (rounded half to even); no value
// outside the list.
std::optional<int> markedPoint(float mark);

} // namespace pyx
