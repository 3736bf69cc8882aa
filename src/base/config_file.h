#pragma once
// Where the program keeps its configuration files. The system calls are in
// config_file_posix.cpp and config_file_win32.cpp.

#include <string>

#include "base/io_result.h"

namespace pyx {

// The path of the configuration file `name`: $XDG_CONFIG_HOME/pyx/NAME (by default
// ~/.config/pyx/NAME) on Linux, %APPDATA%\PYX\NAME on Windows.
std::string configFilePath(const std::string& name);

// Writes a configuration file atomically, making its folder first when there is none yet.
IoResult writeConfigFile(const std::string& path, const std::string& bytes);

} // namespace pyx
