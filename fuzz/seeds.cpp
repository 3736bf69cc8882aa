// Writes the seed corpus of the fuzz targets into the folder given: test/ (the open and
// the report targets: a name-ending byte, then a sample file), raw/, settings/, edits/.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "data/settings.h"
#include "sample_files.h"

namespace {

void put(const std::filesystem::path& file, const std::string& bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

char endingByte(const std::string& name)
{
    // The order of kEndings in fuzz_window.h: pys, PYS, dat, pyw, pyx.
    if (name.ends_with(".pys"))
        return 0;
    if (name.ends_with(".pyw"))
        return 3;
    return 4;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    for (const auto& s : pyx::samples::standardSamples()) {
        put(out / "test" / s.name, std::string(1, endingByte(s.name)) + s.bytes);
        if (s.name.ends_with(".pyx"))
            put(out / "raw" / s.name, s.bytes);
    }
    pyx::SettingsTable csz{};
    pyx::checkSettings(csz);
    put(out / "settings" / "defaults.sys", pyx::encodeSettings(csz));
    using namespace std::string_literals;
    put(out / "edits" / "valid", "\x02\x01"
                                 "120\0\x02\x02"
                                 "08:45\0\x03\x03"
                                 "2\0\x02\x04"
                                 "0.55"s);
    put(out / "edits" / "invalid", "\x02\x01"
                                   "abc\0\x02\x02"
                                   "25:61\0\x03\x03"
                                   "99\0\x04\x05"
                                   "1234567"s);
    return 0;
}
