#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/records.h"
#include "data/startup.h"
#include "platform/scripted_dialogs.h"
#include "samplegen/sample_files.h"
#include "session/file_commands.h"
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

    // A folder in place of the file cannot be read back: the save stops there, unasked.
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_EQ(cmd.save(), SaveResult::Failed);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "文件保存失败！无法读取原文件：这是一个文件夹，不是文件");
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

// A mount of its own for this process: as root a new mount namespace, else a user namespace
// in which this user is root. False where the system allows neither.
bool privateMounts()
{
    if (::geteuid() == 0)
        return ::unshare(CLONE_NEWNS) == 0 &&
               ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    auto put = [](const char* file, const std::string& text) {
        const int fd = ::open(file, O_WRONLY);
        const bool ok = fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        if (fd >= 0)
            ::close(fd);
        return ok;
    };
    return put("/proc/self/setgroups", "deny") &&
           put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
           put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
}

// A real full disk: a small tmpfs holds the record file and a filler that leaves less room than
// a save needs. The save fails in words, the file stays as it was, the test stays unsaved, and
// no temporary file takes the space.
TEST_F(SaveConditionsTest, FullDiskKeepsTheFileAndSaysTheDiskIsFull)
{
    fs::create_directory(dir.file("disk"));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // 77: the system gives no mount of our own; 1..: the check that failed.
        if (!privateMounts() || ::mount("tmpfs", dir.file("disk").c_str(), "tmpfs", 0, "size=64k") != 0)
            ::_exit(77);
        for (const auto& s : samples::standardSamples())
            if (s.name == "record_15_levels.pys")
                original = s.bytes;
        const std::string file = dir.write("disk/t.pys", original);
        startValues(*d, dir.file("spconfig.sys"));
        if (cmd.openPath(file) != OpenResult::Opened)
            ::_exit(1);
        d->jlb[0].hz = 33;
        d->dirty = true;
        dialogs.messages.clear();
        {
            // Fill what is left, then free a little less than the file needs.
            std::ofstream filler(dir.file("disk/filler"), std::ios::binary);
            const std::string block(4096, 'x');
            while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
                ;
        }
        fs::resize_file(dir.file("disk/filler"), fs::file_size(dir.file("disk/filler")) - 8192);
        if (cmd.save() != SaveResult::Failed || !d->dirty)
            ::_exit(2);
        if (dialogs.messages.size() != 1 || dialogs.messages[0].text != "文件保存失败！磁盘空间不足")
            ::_exit(3);
        if (test::TempDir::read(file) != original)
            ::_exit(4);
        if (std::distance(fs::directory_iterator(dir.file("disk")), fs::directory_iterator()) != 2)
            ::_exit(5);
        fs::remove(dir.file("disk/filler"));
        if (cmd.save() != SaveResult::Saved || d->dirty || test::TempDir::read(file) == original)
            ::_exit(6);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no tmpfs of our own here; the injected write failures cover a full disk";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the check that failed";
}

} // namespace
} // namespace pyx
