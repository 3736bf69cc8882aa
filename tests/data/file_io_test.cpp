#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "base/file_io.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

namespace fs = std::filesystem;

int entries(const std::string& dir)
{
    return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(FileIo, WriteThroughSymbolicLinksReplacesTheTargetAndKeepsTheLinks)
{
    test::TempDir dir;
    fs::create_directory(dir.file("data"));
    fs::create_directory(dir.file("links"));
    const std::string target = dir.write("data/test.pyx", "old");
    ::chmod(target.c_str(), 0640);
    // links/b -> links/a -> ../data/test.pyx (relative links, resolved from their own folder)
    fs::create_symlink("../data/test.pyx", dir.file("links/a"));
    fs::create_symlink("a", dir.file("links/b"));

    ASSERT_TRUE(writeFileAtomic(dir.file("links/b"), "new bytes").ok());
    EXPECT_TRUE(fs::is_symlink(dir.file("links/a")));
    EXPECT_TRUE(fs::is_symlink(dir.file("links/b")));
    EXPECT_EQ(fs::read_symlink(dir.file("links/b")), "a");
    EXPECT_EQ(test::TempDir::read(target), "new bytes");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // No temporary file is left beside the target or the links.
    EXPECT_EQ(entries(dir.file("data")), 1);
    EXPECT_EQ(entries(dir.file("links")), 2);

    // A link to a file that does not exist yet creates that file.
    fs::create_symlink(dir.file("data/later.pyx"), dir.file("links/c"));
    ASSERT_TRUE(writeFileAtomic(dir.file("links/c"), "x").ok());
    EXPECT_TRUE(fs::is_symlink(dir.file("links/c")));
    EXPECT_EQ(test::TempDir::read(dir.file("data/later.pyx")), "x");
}

TEST(FileIo, LinkLoopFailsAndChangesNothing)
{
    test::TempDir dir;
    fs::create_symlink("loop2", dir.file("loop1"));
    fs::create_symlink("loop1", dir.file("loop2"));
    const IoResult written = writeFileAtomic(dir.file("loop1"), "x");
    EXPECT_FALSE(written.ok());
    EXPECT_FALSE(written.reason().empty()); // the user is told why
    EXPECT_TRUE(fs::is_symlink(dir.file("loop1")));
    EXPECT_EQ(entries(dir.file("")), 2);
}

TEST(FileIo, ReadsWholeFilesAndTheirFirstBytes)
{
    test::TempDir dir;
    std::string bytes(200'000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + 3);
    const std::string path = dir.write("raw.pyx", bytes);
    EXPECT_EQ(readWholeFile(path).bytes, bytes);
    EXPECT_EQ(readWholeFile(path, bytes.size()).bytes, bytes);
    EXPECT_EQ(readWholeFile(path, 311).bytes, bytes.substr(0, 311));
    EXPECT_EQ(readWholeFile(path, 0).bytes, std::string());
    EXPECT_EQ(readWholeFile(dir.write("empty.pyx", "")).bytes, std::string());

    const ReadResult folder = readWholeFile(dir.file(""));
    EXPECT_FALSE(folder.bytes);
    EXPECT_FALSE(folder.error.empty());
    EXPECT_FALSE(readWholeFile(dir.file("missing.pyx")).bytes);

    // A file that reports no length still reads to its end.
    const ReadResult status = readWholeFile("/proc/self/status");
    ASSERT_TRUE(status.bytes);
    EXPECT_NE(status.bytes->find("Name:"), std::string::npos);
    EXPECT_EQ(readWholeFile("/proc/self/status", 5).bytes, "Name:");
}

} // namespace
} // namespace pyx
