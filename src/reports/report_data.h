#pragma once
// The text matrices of the table reports: one row per printed data row, built once per
// document and cut into pages by the report builders.

#include <string>
#include <vector>

#include "data/model.h"

namespace pyx {

using TextMatrix = std::vector<std::vector<std::string>>;

// The record table: `ysn` rows of twelve columns (load, time, cycle, four loading and four
// unloading readings, an unused last column). Empty when no file is open.
TextMatrix DataJlb(const TestData& d);

// The full summary: `ysn` rows of twelve columns (load, time, cycle, upper and lower
// displacements at loading and unloading, the displacements again, reading difference,
// rotation, an unused last column). Empty when no file is open.
TextMatrix DataHzb(const TestData& d);

// The raw data table: one row of eleven columns per raw reading before `ysn2` (theoretical
// load, load, oil pressure, time, interval, four gauges, weighted mean, remark). Refreshes the
// gauge weights `ysflag` from the header rows first. Empty when no file is open.
TextMatrix DataYsb(TestData& d);

// Load factor of the instrument models "7R3K" and "gg", whose loads are stored scaled.
inline constexpr float kScaledModelLoadFactor = 1.0f;

// The remark of a raw reading in the raw data report: cause flags for logger file names
// ("pyw", "PYW", "pyx", "PYX"), else the stored status text.
std::string reportRemark(const std::string& curfile, const FixedText<20>& zt);

} // namespace pyx
