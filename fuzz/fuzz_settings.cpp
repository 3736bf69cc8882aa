// The settings reader and its check on arbitrary bytes; what the check leaves must come
// back unchanged through the file.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    pyx::SettingsTable csz{};
    pyx::decodeSettings(std::string_view(reinterpret_cast<const char*>(data), size), csz);
    pyx::checkSettings(csz);
    const std::string bytes = pyx::encodeSettings(csz);
    if (bytes.size() != pyx::kSettingsCount * pyx::kSettingsRecordSize)
        std::abort();
    pyx::SettingsTable again{};
    pyx::decodeSettings(bytes, again);
    if (pyx::encodeSettings(again) != bytes)
        std::abort();
    return 0;
}
