#pragma once
// The remark of a raw reading: why the data logger took it.

#include <initializer_list>
#include <string>
#include <string_view>

#include "data/fixed_text.h"

namespace pyx {

// The cause flags of a status byte as the raw data window words them: gauges ("表1 3"),
// time interval ("时间"), interruption ("中断", with " 欠压" for low supply voltage) and
// a manual record ("手动").
std::string decodeStatusFlags(unsigned char status);

// The status text as stored: up to its first NUL character, without control characters
// and without blanks at either end.
std::string storedStatusText(const FixedText<20>& zt);

// Whether a file name ends in one of `endings`, exactly as written (case counts).
bool nameEndsWithOneOf(std::string_view name, std::initializer_list<const char*> endings);

// Whether the status of a file with this name is decoded into cause flags: the record
// files and the logger files ("pys", "pyw", "pyx", in lower or upper case).
bool statusIsDecoded(std::string_view curfile);

// The remark column of the raw data window: decoded flags for the file names above, the
// stored status text for any other file.
std::string rawViewRemark(std::string_view curfile, const FixedText<20>& zt);

} // namespace pyx
