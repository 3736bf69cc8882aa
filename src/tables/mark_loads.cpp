#include "tables/mark_loads.h"

#include <vector>

#include "data/mark_slots.h"
#include "eval/gradient_points.h"

namespace pyx {
MarkLoads markLoads(const TestData& d, int gridRows)
{
    MarkLoads out;
    const std::vector<int> rows = gradientPointRows(d, gridRows);
    for (int which = 0; which < 2; ++which) {
        if (markIndex(d, which) == 0)
            continue;
        const auto point = markedPoint(markIndex(d, which));
        if (point && *point < static_cast<int>(rows.size()))
            out.load[which] = d.jlbp[rows[*point]].hz;
    }
    return out;
}

MarkLoads keepMarksOnLoads(TestData& d, int gridRows, const MarkLoads& before)
{
    const std::vector<int> rows = gradientPointRows(d, gridRows);
    MarkLoads cleared;
    for (int which = 0; which < 2; ++which) {
        if (!before.load[which])
            continue;
        const float load = *before.load[which];
        // Point 0 cannot carry a mark (a mark of 0 means none).
        int found = 0;
        for (std::size_t j = 1; j < rows.size() && found == 0; ++j)
            if (d.jlbp[rows[j]].hz == load)
                found = static_cast<int>(j);
        markIndex(d, which) = static_cast<float>(found);
        if (found == 0)
            cleared.load[which] = load;
    }
    return cleared;
}

} // namespace pyx
