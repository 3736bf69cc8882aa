#pragma once
// Start values of a run: the model's initial state and the checked settings.

#include <string>

#include "data/model.h"

namespace pyx {

// Sets the start values, reads the settings file and checks it, resets the current
// control load and takes the load increment from the settings. The open of the last
// data file (settings entry 9) is left to the caller.
void startValues(TestData& d, const std::string& settingsPath);

// The last data file named in the settings, trimmed; empty when none.
std::string lastDataFile(const TestData& d);

} // namespace pyx
