#include "eval/gradient_points.h"

#include <algorithm>

namespace pyx {
namespace {

inline constexpr int kLastCycle = 5;

} // namespace

std::vector<int> gradientPointRows(const TestData& d, int gridRows)
{
    std::vector<int> out;
    const int rows = std::clamp<int>(d.jlbn, 0, kJlbRows);
    const int first = gridRows - 1 < 6 ? rows - 1 : 4;
    if (first < 0)
        return out;
    out.push_back(first);
    for (int k = 5; k < rows; ++k)
        if (d.jlbp[k].xh == kLastCycle)
            out.push_back(k);
    return out;
}

} // namespace pyx
