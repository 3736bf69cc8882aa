#pragma once
// The settings table and its file: 121 records of 128 bytes, each a 16-bit byte count
// followed by that many bytes of code page 936 text.

#include <array>
#include <string>

#include "data/model.h"

namespace pyx {

using SettingsTable = std::array<std::string, kSettingsCount>;

inline constexpr std::size_t kSettingsRecordSize = 128;
inline constexpr std::size_t kSettingsTextMax = 126;

// $XDG_CONFIG_HOME/pyx/spconfig.sys, or ~/.config/pyx/spconfig.sys.
std::string defaultSettingsPath();

// A missing or short file leaves the entries it does not hold empty.
void readSettings(const std::string& path, SettingsTable& csz);
// Creates the folder when needed. Returns an empty text on success, else the reason.
std::string writeSettings(const std::string& path, const SettingsTable& csz);

std::string encodeSettings(const SettingsTable& csz);
void decodeSettings(std::string_view bytes, SettingsTable& csz);

// Supplies the defaults of entries that are not numbers, turns on the first print
// contents when none is chosen, and keeps the gauge flags at "1" or "0".
void checkSettings(SettingsTable& csz);

// True when an entry's numeric value is 1 / is not 0 (a text that is not a number counts as 0).
bool settingIsOne(const SettingsTable& csz, int entry);
bool settingNonZero(const SettingsTable& csz, int entry);

} // namespace pyx
