#include <gtest/gtest.h>

#include "data/recent_files.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

TEST(RecentFilesTest, KeepsTheLastEightNewestFirstAcrossRuns)
{
    test::TempDir dir;
    const std::string list = RecentFiles::pathBeside(dir.file("cfg/spconfig.sys"));
    EXPECT_EQ(list, dir.file("cfg/recent.txt"));
    {
        RecentFiles recent(list);
        EXPECT_TRUE(recent.entries().empty());
        EXPECT_EQ(recent.lastFolder(), "");
        for (int i = 1; i <= 10; ++i)
            recent.add("/data/p" + std::to_string(i) + ".pyx");
        recent.add("/data/p5.pyx"); // again: moves to the front, listed once
        recent.add("/other/中文 文件.pys");
    }
    const RecentFiles again(list);
    ASSERT_EQ(again.entries().size(), RecentFiles::kMaxEntries);
    EXPECT_EQ(again.entries()[0], "/other/中文 文件.pys");
    EXPECT_EQ(again.entries()[1], "/data/p5.pyx");
    EXPECT_EQ(again.entries()[2], "/data/p10.pyx");
    EXPECT_EQ(again.entries().back(), "/data/p4.pyx");
    EXPECT_EQ(again.lastFolder(), "/other");
}

TEST(RecentFilesTest, RemovesClearsAndSurvivesAStrangeListFile)
{
    test::TempDir dir;
    const std::string list = dir.write("recent.txt", "/a/x.pys\r\n\n/a/x.pys\n/b/y.pyx\n");
    RecentFiles recent(list);
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{"/a/x.pys", "/b/y.pyx"}));
    recent.remove("/a/x.pys");
    recent.add("bad\nname"); // a name that would split the list is not kept
    EXPECT_EQ(RecentFiles(list).entries(), std::vector<std::string>{"/b/y.pyx"});
    recent.clear();
    EXPECT_TRUE(RecentFiles(list).entries().empty());

    // Without a settings folder the list lives for the run only.
    EXPECT_EQ(RecentFiles::pathBeside("spconfig.sys"), "");
    RecentFiles memory("");
    memory.add("/c/z.pys");
    EXPECT_EQ(memory.lastFolder(), "/c");
}

TEST(RecentFilesTest, AMissingFileIsToldApart)
{
    test::TempDir dir;
    const std::string there = dir.write("t.pys", "x");
    EXPECT_TRUE(recentFileExists(there));
    EXPECT_FALSE(recentFileExists(dir.file("gone.pys")));
    EXPECT_FALSE(recentFileExists(dir.file(""))); // a folder is no test file
}

} // namespace
} // namespace pyx
