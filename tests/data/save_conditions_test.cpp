#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "data/file_commands.h"
#include "data/records.h"
#include "data/startup.h"
#include "platform/scripted_dialogs.h"
#include "samplegen/sample_files.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

namespace fs = std::filesystem;

// The file system in the way of a save: the user is told in words, the test stays open and
// unsaved, and no file is lost.
struct SaveConditionsTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    FileCommands cmd{*d, dialogs, dir.file("spconfig.sys")};
    std::string path;
    std::string original;

    void openSample(const char* name)
    {
        startValues(*d, dir.file("spconfig.sys"));
        for (const auto& s : samples::standardSamples())
            if (s.name == name)
                original = s.bytes;
        fs::create_directory(dir.file("work"));
        path = dir.write(std::string("work/") + name, original);
        ASSERT_EQ(cmd.openPath(path), OpenResult::Opened);
        d->jlb[0].hz = 33;
        d->dirty = true;
        dialogs.messages.clear();
    }
    void expectRefused(const std::string& reason)
    {
        EXPECT_EQ(cmd.save(), SaveResult::Failed);
        EXPECT_TRUE(d->dirty);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "文件保存失败！" + reason);
        dialogs.messages.clear();
    }
};

TEST_F(SaveConditionsTest, ReadOnlyFileOrFolderAndFolderInPlaceOfTheFileAreToldInWords)
{
    openSample("record_15_levels.pys");
    ::chmod(path.c_str(), 0444);
    expectRefused("没有权限（文件或文件夹只读）");
    EXPECT_EQ(test::TempDir::read(path), original);
    ::chmod(path.c_str(), 0644);

    if (::geteuid() != 0) { // the system lets root write into a read-only folder
        ::chmod(dir.file("work").c_str(), 0555);
        expectRefused("没有权限（文件或文件夹只读）");
        ::chmod(dir.file("work").c_str(), 0755);
        EXPECT_EQ(test::TempDir::read(path), original);
    }

    fs::remove(path);
    fs::create_directory(path);
    dialogs.answers.push_back(MsgAnswer::Yes); // the file is gone: save anyway
    EXPECT_EQ(cmd.save(), SaveResult::Failed);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, "文件保存失败！这是一个文件夹，不是文件");
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_TRUE(d->dirty);

    d->curfile = dir.file("no-such-folder/t.pys");
    dialogs.messages.clear();
    dialogs.answers.push_back(MsgAnswer::Yes);
    EXPECT_EQ(cmd.save(), SaveResult::Failed);
    EXPECT_EQ(dialogs.messages.back().text, "文件保存失败！文件或文件夹不存在");
}

TEST_F(SaveConditionsTest, FileChangedByAnotherProgramIsNotOverwrittenUnasked)
{
    openSample("logger_levels.pyx");
    const std::string other = std::string(original.size(), 'x');
    dir.write("work/logger_levels.pyx", other);
    // The default answer keeps the other program's file.
    EXPECT_EQ(cmd.save(), SaveResult::Failed);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "文件打开后已被删除或被其他程序改动！仍然保存（覆盖）吗？");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].defaultButton, 2);
    EXPECT_EQ(test::TempDir::read(path), other);
    EXPECT_TRUE(d->dirty);

    // Saving anyway writes the test as it was opened, with the edit, over the other file.
    dialogs.answers.push_back(MsgAnswer::Yes);
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    const std::string saved = test::TempDir::read(path);
    EXPECT_EQ(saved.size(), original.size());
    EXPECT_EQ(saved.substr(saved.size() - kYsRecSize), original.substr(original.size() - kYsRecSize));
    EXPECT_FALSE(d->dirty);
    // A second save finds the file as the first one left it and asks nothing.
    dialogs.messages.clear();
    d->dirty = true;
    EXPECT_EQ(cmd.save(), SaveResult::Saved);
    EXPECT_TRUE(dialogs.messages.empty());
}

// A logger file deleted after it was opened: saving anyway keeps every reading the window
// read, not only the rows the save rewrites.
TEST_F(SaveConditionsTest, DeletedLoggerFileSavedAgainKeepsAllItsReadings)
{
    openSample("logger_levels.pyx");
    fs::remove(path);
    dialogs.answers.push_back(MsgAnswer::Yes);
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    const std::string saved = test::TempDir::read(path);
    ASSERT_EQ(saved.size(), original.size());
    const std::size_t records = original.size() / kYsRecSize;
    // The readings after the rewritten table are the file's own, byte for byte.
    const std::size_t tail = records - 1;
    EXPECT_EQ(saved.substr(tail * kYsRecSize), original.substr(tail * kYsRecSize));
}

} // namespace
} // namespace pyx
