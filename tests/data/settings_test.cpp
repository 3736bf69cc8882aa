#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "data/settings.h"
#include "data/startup.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

TEST(Settings, FileLayoutIsLengthPlusTextPerRecord)
{
    SettingsTable csz;
    csz[0] = "1.052";
    csz[9] = "/data/试桩.pys";
    const std::string bytes = encodeSettings(csz);
    ASSERT_EQ(bytes.size(), kSettingsCount * kSettingsRecordSize);
    EXPECT_EQ(bytes[0], 5);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes.substr(2, 5), "1.052");
    EXPECT_EQ(bytes[7], '\0');
    const std::size_t rec9 = 9 * kSettingsRecordSize;
    EXPECT_EQ(static_cast<unsigned char>(bytes[rec9]), 14); // 10 ASCII bytes + 2 characters of 2 bytes

    SettingsTable back;
    decodeSettings(bytes, back);
    EXPECT_EQ(back, csz);
}

TEST(Settings, LongTextIsCutAtACharacterBoundary)
{
    SettingsTable csz;
    csz[9] = std::string(125, 'a') + "工程"; // 129 bytes: the first Chinese character would be split
    SettingsTable back;
    decodeSettings(encodeSettings(csz), back);
    EXPECT_EQ(back[9], std::string(125, 'a'));
    csz[9] = std::string(124, 'b') + "工程"; // 128 bytes: one character fits
    decodeSettings(encodeSettings(csz), back);
    EXPECT_EQ(back[9], std::string(124, 'b') + "工");
}

TEST(Settings, ShortOrCorruptFilesYieldWhatIsThere)
{
    SettingsTable csz;
    csz.fill("x");
    decodeSettings({}, csz);
    EXPECT_EQ(csz[0], "");
    EXPECT_EQ(csz[120], "");

    std::string bytes("\x03\x00"
                      "ab",
                      4); // record cut off after two of its three bytes
    decodeSettings(bytes, csz);
    EXPECT_EQ(csz[0], "ab");

    std::string huge(kSettingsRecordSize, 'z');
    huge[0] = '\xff';
    huge[1] = '\xff'; // a length beyond the record holds at most 126 bytes
    decodeSettings(huge, csz);
    EXPECT_EQ(csz[0], std::string(126, 'z'));
}

TEST(Settings, CheckSuppliesDefaultsAndKeepsGaugeFlagsBinary)
{
    SettingsTable csz;
    csz[4] = "abc";
    csz[12] = "2";
    csz[11] = "x";
    csz[10] = "0";
    csz[15] = "sss";
    checkSettings(csz);
    EXPECT_EQ(csz[4], "500");
    EXPECT_EQ(csz[12], "1");
    EXPECT_EQ(csz[11], "1");
    EXPECT_EQ(csz[10], "0");
    EXPECT_EQ(csz[13], "1");
    EXPECT_EQ(csz[15], "2");
    const std::pair<int, const char*> expected[] = {{0, "1"},  {1, "0"},  {2, "5"},  {3, "50"}, {5, "40"},
                                                    {6, "4"},  {7, "2"},  {8, "0"},  {16, "5"}, {17, "0"},
                                                    {74, "0"}, {75, "0"}, {76, "0"}, {77, "1"}, {79, "0"}};
    for (const auto& [entry, value] : expected)
        EXPECT_EQ(csz[entry], value) << "entry " << entry;
    // No print contents chosen: the record table and the curves are turned on.
    EXPECT_EQ(csz[70], "1");
    EXPECT_EQ(csz[72], "1");
    EXPECT_EQ(csz[71], "0");
    EXPECT_EQ(csz[9], "");

    SettingsTable chosen;
    chosen[73] = "1";
    checkSettings(chosen);
    EXPECT_EQ(chosen[70], "0");
    EXPECT_EQ(chosen[72], "0");
}

TEST(Settings, StartUpReadsChecksAndTheCorrectionIsWrittenNextTime)
{
    test::TempDir dir;
    const std::string path = dir.file("sub/dir/spconfig.sys");
    SettingsTable csz;
    csz[4] = "abc";
    csz[1] = "300";
    ASSERT_TRUE(writeSettings(path, csz).ok()); // creates the folders

    TestData d;
    startValues(d, path);
    EXPECT_EQ(d.csz[4], "500");
    EXPECT_EQ(d.csz[1], "0");
    EXPECT_EQ(d.kz3, "50");
    ASSERT_TRUE(writeSettings(path, d.csz).ok());
    SettingsTable back;
    readSettings(path, back);
    EXPECT_EQ(back[4], "500");
}

TEST(Settings, DefaultPathFollowsXdgConfigHome)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(defaultSettingsPath(), "/tmp/cfg/pyx/spconfig.sys");
    ::unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (home) {
        EXPECT_EQ(defaultSettingsPath(), std::string(home) + "/.config/pyx/spconfig.sys");
    }
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

} // namespace
} // namespace pyx
