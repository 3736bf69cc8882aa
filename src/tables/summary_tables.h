#pragma once
// The two read-only summary tables in the main grid.

#include "data/model.h"
#include "platform/text_grid.h"

namespace pyx {

void headJyhzb(TextGrid& grid, int screenpx);
void headHzb(TextGrid& grid, int screenpx);
// One row per load stage.
void fillSimpleSummary(TextGrid& grid, const TestData& d);
// One row per record-table row, with the reading difference and rotation angle.
void fillFullSummary(TextGrid& grid, const TestData& d);

} // namespace pyx
