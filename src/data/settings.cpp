#include "data/settings.h"

#include <algorithm>
#include <utility>

#include "base/byte_io.h"
#include "base/config_file.h"
#include "base/cp936.h"
#include "base/file_io.h"
#include "data/numfmt.h"

namespace pyx {

std::string defaultSettingsPath()
{
    return configFilePath("spconfig.sys");
}

void decodeSettings(std::string_view bytes, SettingsTable& csz)
{
    for (int n = 0; n < kSettingsCount; ++n) {
        const std::size_t start = n * kSettingsRecordSize;
        if (start >= bytes.size()) {
            csz[n].clear();
            continue;
        }
        // A record cut off by the end of the file holds what is there.
        const std::string_view record = bytes.substr(start, kSettingsRecordSize);
        ByteReader in(record);
        const std::size_t len = std::min<std::size_t>(in.u16(), kSettingsTextMax);
        const std::size_t available = record.size() > 2 ? record.size() - 2 : 0;
        csz[n] =
            decodeCp936(record.substr(std::min<std::size_t>(2, record.size()), std::min(len, available)));
    }
}

void readSettings(const std::string& path, SettingsTable& csz)
{
    // The settings are the file's first 121 records; the rest of an oversized file is not read.
    const ReadResult r = readWholeFile(path, kSettingsCount * kSettingsRecordSize);
    decodeSettings(r.bytes ? *r.bytes : std::string(), csz);
}

std::string encodeSettings(const SettingsTable& csz)
{
    ByteWriter out;
    for (const std::string& entry : csz) {
        std::string bytes = encodeCp936(entry);
        if (bytes.size() > kSettingsTextMax) {
            // Cut at a character boundary: fitField blanks a lead byte that would be split.
            const bool splitLead = bytes[kSettingsTextMax - 1] != ' ';
            bytes = fitField(bytes, kSettingsTextMax);
            if (splitLead && bytes.back() == ' ')
                bytes.pop_back();
        }
        out.u16(static_cast<std::uint16_t>(bytes.size()));
        out.bytes(bytes);
        out.zeros(kSettingsRecordSize - 2 - bytes.size());
    }
    return out.take();
}

IoResult writeSettings(const std::string& path, const SettingsTable& csz)
{
    return writeConfigFile(path, encodeSettings(csz));
}

bool settingIsOne(const SettingsTable& csz, int entry)
{
    return leadingNumber(csz[entry]) == 1;
}
bool settingNonZero(const SettingsTable& csz, int entry)
{
    return leadingNumber(csz[entry]) != 0;
}

void checkSettings(SettingsTable& csz)
{
    static const std::pair<int, const char*> defaults[] = {
        {0, "1"},  {1, "0"},  {2, "5"},  {3, "50"}, {4, "500"}, {5, "40"}, {6, "4"},  {7, "2"},
        {70, "0"}, {71, "0"}, {72, "0"}, {73, "0"}, {74, "0"},  {8, "0"},  {75, "0"}, {76, "0"},
        {77, "1"}, {78, "0"}, {79, "0"}, {15, "2"}, {16, "5"},  {17, "0"},
    };
    for (const auto& [entry, value] : defaults)
        if (!isNumeric(csz[entry]))
            csz[entry] = value;

    if (!settingNonZero(csz, 70) && !settingNonZero(csz, 71) && !settingNonZero(csz, 78) &&
        !settingNonZero(csz, 72) && !settingNonZero(csz, 73)) {
        csz[70] = "1";
        csz[72] = "1";
    }
    for (int entry = 10; entry <= 13; ++entry) {
        if (!isNumeric(csz[entry]))
            csz[entry] = "1";
        const double v = leadingNumber(csz[entry]);
        if (v != 1 && v != 0)
            csz[entry] = "1";
    }
}

} // namespace pyx
