// Whole-file reads and atomic writes as both systems must do them: UTF-8 (Chinese) folder and
// file names, what may not be replaced, and failures that leave the old file and no temporary.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "base/file_io.h"
#include "base/utf8_path.h"
#include "base/write_faults.h"
#include "support/temp_dir.h"
#include "support/write_fault_double.h"

namespace pyx {
namespace {

namespace fs = std::filesystem;

int entries(const std::string& dir)
{
    return static_cast<int>(std::distance(fs::directory_iterator(utf8Path(dir)), fs::directory_iterator()));
}

TEST(FileIoPortable, ChineseFolderAndFileNames)
{
    test::TempDir dir;
    const std::string folder = dir.file("试桩 资料");
    fs::create_directory(utf8Path(folder));
    const std::string path = folder + "/一号桩 记录.pys";

    EXPECT_FALSE(pathExists(path));
    ASSERT_TRUE(writeFileAtomic(path, "first"));
    ASSERT_TRUE(writeFileAtomic(path, "second, longer"));
    EXPECT_TRUE(pathExists(path));
    EXPECT_EQ(readWholeFile(path).bytes, "second, longer");
    EXPECT_EQ(readWholeFile(path, 6).bytes, "second");
    EXPECT_EQ(fileLength(path), 14u);
    EXPECT_FALSE(cannotReplace(path));
    EXPECT_EQ(entries(folder), 1) << "a temporary file was left";
    EXPECT_TRUE(fs::exists(utf8Path(folder) / utf8Path("一号桩 记录.pys")));
}

TEST(FileIoPortable, ReadOnlyFilesAndFoldersAreNotReplaced)
{
    test::TempDir dir;
    const std::string path = dir.write("只读.pys", "old");
    fs::permissions(utf8Path(path), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_TRUE(cannotReplace(path));
    const IoResult r = writeFileAtomic(path, "new");
    EXPECT_FALSE(r);
    EXPECT_EQ(r.reason(), "没有权限（文件或文件夹只读）");
    EXPECT_EQ(test::TempDir::read(path), "old");
    fs::permissions(utf8Path(path), fs::perms::owner_write, fs::perm_options::add);

    const std::string folder = dir.file("文件夹.pys");
    fs::create_directory(utf8Path(folder));
    EXPECT_TRUE(cannotReplace(folder));
    EXPECT_EQ(writeFileAtomic(folder, "x").reason(), "这是一个文件夹，不是文件");
    EXPECT_EQ(readWholeFile(folder).error, "这是一个文件夹，不是文件");
    EXPECT_FALSE(fileLength(folder));
    EXPECT_EQ(entries(dir.file("")), 2);
}

TEST(FileIoPortable, FailuresLeaveTheOldFileAndNoTemporary)
{
    test::TempDir dir;
    const std::string path = dir.write("数据.pyx", "old bytes");
    for (const WriteFault& fault :
         {WriteFault{WriteStep::Byte, 3, ENOSPC}, WriteFault{WriteStep::Flush, 0, EIO},
          WriteFault{WriteStep::Sync, 0, EIO}, WriteFault{WriteStep::Rename, 0, EACCES}}) {
        ScopedWriteFault injected(fault);
        const IoResult r = writeFileAtomic(path, "new bytes that never arrive");
        EXPECT_FALSE(r);
        EXPECT_FALSE(r.reason().empty());
        EXPECT_EQ(test::TempDir::read(path), "old bytes");
        EXPECT_EQ(entries(dir.file("")), 1);
    }
    EXPECT_EQ(writeFileAtomic(dir.file("没有/这个文件夹.pyx"), "x").reason(), "文件或文件夹不存在");
    EXPECT_EQ(readWholeFile(dir.file("没有.pyx")).error, "文件或文件夹不存在");
}

TEST(FileIoPortable, CreateIfMissingKeepsWhatIsThere)
{
    test::TempDir dir;
    const std::string fresh = dir.file("新 文件.pys");
    createIfMissing(fresh);
    EXPECT_EQ(fileLength(fresh), 0u);
    const std::string kept = dir.write("已有.pys", "kept");
    createIfMissing(kept);
    EXPECT_EQ(test::TempDir::read(kept), "kept");
}

} // namespace
} // namespace pyx
