#pragma once
// The rows of the evaluated table that give the points of the H0-△Y0/△H0 curve: the first
// stage's last cycle (or the last record of a short table), then the last cycle of every
// later stage. The curve and the test analysis read the same rows.

#include <vector>

#include "data/model.h"

namespace pyx {

// Row indices into jlbp, in order. `gridRows` is the row count of the main grid, heading
// included, as the gradient curve reads it.
std::vector<int> gradientPointRows(const TestData& d, int gridRows);

} // namespace pyx
