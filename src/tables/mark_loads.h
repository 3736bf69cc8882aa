#pragma once
// The marks stand on loads, not on positions: an edit that adds, removes or renumbers
// stages moves each mark to the stage of the load it stood on, and clears a mark whose
// load is no longer a stage of the test.

#include <array>
#include <optional>

#include "data/model.h"

namespace pyx {

// The loads of the two marks (none where a mark is not set or not on a point).
struct MarkLoads
{
    std::array<std::optional<float>, 2> load;
};

// Taken from the evaluated table before the edit; `gridRows` is the main grid's row count
// (heading included) that the curve's points were found with.
MarkLoads markLoads(const TestData& d, int gridRows);

// After the edit and the evaluation: each mark is set to the point of its load. Returns the
// loads of the marks cleared because their load is no longer a stage of the curve.
MarkLoads keepMarksOnLoads(TestData& d, int gridRows, const MarkLoads& before);

} // namespace pyx
