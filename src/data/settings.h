#pragma once
// The settings table and its file: 121 records of 128 bytes, each a 16-bit byte count
// followed by that many bytes of code page 936 text.

#include <array>
#include <string>

#include "base/io_result.h"
#include "data/model.h"
#include "data/settings_entries.h"

namespace pyx {

inline constexpr std::size_t kSettingsRecordSize = 128;
inline constexpr std::size_t kSettingsTextMax = 126;

// $XDG_CONFIG_HOME/pyx/spconfig.sys (by default ~/.config/pyx/spconfig.sys); on Windows
// %APPDATA%\PYX\spconfig.sys.
std::string defaultSettingsPath();

// A missing or short file leaves the entries it does not hold empty.
void readSettings(const std::string& path, SettingsTable& csz);
// Creates the folder when needed.
IoResult writeSettings(const std::string& path, const SettingsTable& csz);

std::string encodeSettings(const SettingsTable& csz);
void decodeSettings(std::string_view bytes, SettingsTable& csz);

// Supplies the defaults of entries that are not numbers, turns on the first print
// contents when none is chosen, and keeps the gauge flags at "1" or "0".
void checkSettings(SettingsTable& csz);

} // namespace pyx
