#pragma once
// The arguments a program was started with, in UTF-8. The system calls are in
// program_arguments_posix.cpp and program_arguments_win32.cpp.

#include <string>
#include <vector>

namespace pyx {

// argv[1..] as UTF-8. On Windows they come from the wide command line (argv is in the ANSI
// code page there), and the standard output and error streams are switched to binary, so that
// what a console program prints is the same bytes on every system.
std::vector<std::string> programArguments(int argc, char** argv);

} // namespace pyx
