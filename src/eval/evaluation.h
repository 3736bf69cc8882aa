#pragma once
// Evaluation of the record table: the processed displacements (jlbp) and the
// stage summary (hzdat, hzcount, hzdecimal). The rules on single readings that the
// tables and reports share come with it (eval/readings.h).

#include "data/model.h"
#include "eval/readings.h"

namespace pyx {

// Rebuilds jlbp rows 0..jlbn (the end-marker row included) from jlb and the gauges in
// use (settings 10..13), then the stage summary.
void ystodb(TestData& d);

// Rebuilds the stage summary from jlbp; leaves it as it was when no test is open.
void genhzdat(TestData& d);

} // namespace pyx
