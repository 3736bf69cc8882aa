#pragma once
// What is wrong with the test an opened file gave: numbers that are not finite or out of
// range, times that are not times, texts that cannot be read, a record file cut short. The
// open keeps what can be opened; this is told to the user once, after it.

#include <optional>
#include <string>

#include "data/model.h"

namespace pyx {

// The user's message, one line per kind of damage; empty when nothing is wrong.
// `fileLength` is the length of the file read (none when unknown).
std::string damageMessage(const TestData& d, std::optional<unsigned long long> fileLength);

} // namespace pyx
