#pragma once
// Conversion of the readings of a 311-byte logger file (ysd) into the record table.

#include "data/model.h"
#include "data/raw_save_mark.h"

namespace pyx {

// Runs after ysd(0..ysn0-1) has been read; fills jlb, jlbn, maxload, kz3, nstage,
// the header settings and the text slots. A record table that the save wrote (see
// raw_save_mark.h) is read back as it was. Returns where the load increment came from.
IncrementSource convertRawReadings(TestData& d);

} // namespace pyx
