#pragma once
// The reason a file operation failed, in the words the user is shown.

#include <string>

namespace pyx {

// The reasons a user meets most, in words; the system's own text for the other errno values.
std::string ioReason(int errnoValue);

} // namespace pyx
