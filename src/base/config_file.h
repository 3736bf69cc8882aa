#pragma once
// Where the program keeps its configuration files. The system calls are in
// config_file_posix.cpp and config_file_win32.cpp.

#include <string>

namespace pyx {

// The path of the configuration file `name`: $XDG_CONFIG_HOME/pyx/NAME (by default
// ~/.config/pyx/NAME) on Linux, %APPDATA%\PYX\NAME on Windows.
std::string configFilePath(const std::string& name);

} // namespace pyx
