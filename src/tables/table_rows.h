#pragma once
// The cell texts of the data rows of the three tables, from the test data alone: the main
// grid shows them and the reports print them.

#include <array>
#include <string>
#include <vector>

#include "data/model.h"

namespace pyx {

using TableRow = std::vector<std::string>;
using TableRows = std::vector<TableRow>;

// Which of the four gauges are in use, by gauge number.
using GaugesInUse = std::array<bool, 4>;
GaugesInUse gaugesInUse(const TestData& d);
// Record-table row i without its serial number: load, time, cycle, the eight readings
// ("--" for a gauge not in use).
TableRow recordRowCells(const TestData& d, int i, const GaugesInUse& use);
// Record table: serial number and the cells above; one row per record-table row.
TableRows recordTableRows(const TestData& d);
// Simple summary: serial number, load, holding time, cumulative maximum and residual
// displacement; one row per load stage.
TableRows simpleSummaryRows(const TestData& d);
// Full-summary row i without its serial number: evaluated load, time, cycle, upper and lower
// displacements at loading and unloading, the lower ones again, difference and rotation.
TableRow fullSummaryCells(const TestData& d, int i);
// Full summary: one row per record-table row with the evaluated displacements, the reading
// difference of upper and lower gauges and the rotation angle.
TableRows fullSummaryRows(const TestData& d);

} // namespace pyx
