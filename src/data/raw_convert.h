#pragma once
// Conversion of the readings of a 311-byte logger file (ysd) into the record table.

#include "data/model.h"

namespace pyx {

// Runs after ysd(0..ysn0-1) has been read; fills jlb, jlbn, maxload, kz3, nstage,
// the header settings and the text slots.
void convertRawReadings(TestData& d);

} // namespace pyx
