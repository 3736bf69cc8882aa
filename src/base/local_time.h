#pragma once
// The local date and time of the computer. The system calls are in local_time_posix.cpp and
// local_time_win32.cpp.

#include <ctime>

namespace pyx {

std::tm localTimeNow();

} // namespace pyx
