// Saves that never lose a reading and never write where they should not: a failed re-read,
// targets that are no regular files, pipes as inputs, the user's files beside the target,
// the owner of the file, long names, the folder flush, and Save As for each kind of file.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "base/file_io.h"
#include "base/write_faults.h"
#include "data/settings.h"
#include "mainwin/command_names.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/write_fault_double.h"

namespace pyx {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names(const std::string& dir)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

struct SaveMendsTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, dir.file("spconfig.sys")};

    std::string copySample(const std::string& sample, const std::string& name)
    {
        fs::create_directories(dir.file("work"));
        const std::string path = dir.file("work/" + name);
        fs::copy_file(std::string(PYX_SOURCE_DIR) + "/samples/" + sample, path);
        return path;
    }
    void openEdited(const std::string& path)
    {
        w.load(1366);
        w.files.openPath(path);
        dialogs.messages.clear();
        ASSERT_TRUE(w.grid.commitEdit(2, 4, "3.21"));
    }
    std::string lastMessage() const { return dialogs.messages.empty() ? "" : dialogs.messages.back().text; }
};

TEST_F(SaveMendsTest, AFailedReadBeforeTheSaveStopsItAndKeepsTheFile)
{
    const std::string path = copySample("logger_levels.pyx", "t.pyx");
    const std::string before = test::TempDir::read(path);
    openEdited(path);
    {
        ScopedReadFault fault(EIO);
        EXPECT_EQ(w.files.save(), SaveResult::Failed);
    }
    EXPECT_EQ(lastMessage(), "文件保存失败！无法读取原文件：磁盘读写出错");
    EXPECT_EQ(test::TempDir::read(path), before);
    EXPECT_TRUE(d->dirty);
    // Readable again, the save keeps every raw record.
    EXPECT_EQ(w.files.save(), SaveResult::Saved);
    EXPECT_GE(test::TempDir::read(path).size(), before.size());
}

TEST_F(SaveMendsTest, OnlyRegularFilesAreReplaced)
{
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_symlink(fifo, dir.file("to-pipe"));
    for (const std::string& target : {fifo, dir.file("to-pipe")}) {
        const IoResult r = writeFileAtomic(target, "x");
        ASSERT_FALSE(r.ok()) << target;
        EXPECT_EQ(r.reason(), "这不是普通文件（设备、管道或套接字）");
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(dir.file("to-pipe")));
    // A device: refused before anything is written.
    const IoResult device = writeFileAtomic("/dev/null", "x");
    EXPECT_FALSE(device.ok());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(names(dir.file("")), (std::vector<std::string>{"pipe", "to-pipe"}));
}

TEST_F(SaveMendsTest, PipesAndDevicesAreNotReadAndNeverWaitedFor)
{
    const std::string fifo = dir.file("spconfig.sys");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto start = std::chrono::steady_clock::now();
    const ReadResult r = readWholeFile(fifo);
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.error, "这不是普通文件（设备、管道或套接字）");
    SettingsTable csz{};
    readSettings(fifo, csz); // read as an empty settings file
    EXPECT_EQ(csz[4], "");
    EXPECT_FALSE(readWholeFile("/dev/zero").bytes);
    std::string why;
    EXPECT_FALSE(fileLength(fifo, &why));
    EXPECT_EQ(why, "这不是普通文件（设备、管道或套接字）");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(SaveMendsTest, TheSweepRemovesOnlyTheProgramsOwnTemporaries)
{
    const std::string path = copySample("logger_levels.pyx", "logger_levels.pyx");
    const std::string users = dir.write("work/.logger_levels.pyx.2024.backup", "mine");
    const std::string similar = dir.write("work/.pyx-backup-2024.tmp", "mine too");
    // A temporary left by a killed save (no process has this number).
    const std::string stale = dir.write("work/.pyx-4194303-aB3xY9.tmp", "left over");
    openEdited(path);
    ASSERT_EQ(w.files.save(), SaveResult::Saved);
    EXPECT_EQ(test::TempDir::read(users), "mine");
    EXPECT_EQ(test::TempDir::read(similar), "mine too");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_EQ(names(dir.file("work")),
              (std::vector<std::string>{".logger_levels.pyx.2024.backup", ".pyx-backup-2024.tmp",
                                        "logger_levels.pyx"}));
}

TEST_F(SaveMendsTest, TheReplacedFileKeepsItsOwnerGroupAndMode)
{
    const std::string path = dir.write("owned.pys", "old");
    ::chmod(path.c_str(), 0664);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 1234, 4321), 0);
    }
    struct stat before
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ASSERT_TRUE(writeFileAtomic(path, "new").ok());
    struct stat after
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
    EXPECT_EQ(root ? 1234u : ::geteuid(), after.st_uid);
}

TEST_F(SaveMendsTest, ANameNearTheSystemsLimitCanBeSaved)
{
    std::string name;
    for (int i = 0; i < 82; ++i)
        name += "桩";
    name += ".pys"; // 250 bytes of the 255 a name may have
    const std::string path = dir.write(name, "old");
    ASSERT_TRUE(writeFileAtomic(path, "new").ok());
    EXPECT_EQ(test::TempDir::read(path), "new");
    EXPECT_EQ(names(dir.file("")).size(), 1u);
}

TEST_F(SaveMendsTest, AFailedFlushOfTheFolderIsTold)
{
    const std::string path = dir.write("t.pys", "old");
    const ScopedWriteFault fault({WriteStep::Folder, 0, EIO});
    const IoResult r = writeFileAtomic(path, "new");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.reason(), "文件已写入，但未能确认已存到磁盘（磁盘读写出错）");
}

TEST_F(SaveMendsTest, SaveAsWritesEachKindUnderItsNewNameAndGoesOnWithIt)
{
    const struct
    {
        const char* sample;
        const char* ending;
    } kinds[] = {{"record_15_levels.pys", "pys"}, {"logger_levels.pyx", "pyx"}, {"logger_old.pyw", "pyw"}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.sample);
        const std::string path = copySample(k.sample, std::string("orig.") + k.ending);
        const std::string original = test::TempDir::read(path);
        openEdited(path);
        const auto table = d->jlb;
        const std::int16_t rows = d->jlbn;
        const std::string fingerprint = d->logger.sha256;
        // A name without an ending gets the kind's.
        dialogs.fileNames.push_back(dir.file(std::string("work/copy-") + k.ending));
        w.dispatch(tool::kSaveAs);
        const std::string copy = dir.file(std::string("work/copy-") + k.ending + "." + k.ending);
        ASSERT_EQ(d->curfile, copy) << lastMessage();
        EXPECT_FALSE(d->dirty);
        EXPECT_EQ(test::TempDir::read(path), original); // the original is untouched
        EXPECT_EQ(w.caption.rfind(copy, 0), 0u);

        dialogs.fileNames.push_back(copy);
        w.dispatch(tool::kOpen);
        EXPECT_EQ(d->jlbn, rows);
        for (int i = 0; i < rows; ++i)
            EXPECT_EQ(d->jlb[i].ds, table[i].ds) << i;
        EXPECT_FLOAT_EQ(d->jlb[0].ds[0], 3.21f);
        EXPECT_EQ(d->logger.sha256, fingerprint);
        // Saving under its own name is a plain save; an existing file is asked about.
        ASSERT_TRUE(w.grid.commitEdit(2, 4, "3.22"));
        dialogs.fileNames.push_back(path);
        dialogs.answers.push_back(MsgAnswer::No);
        w.dispatch(tool::kSaveAs);
        EXPECT_EQ(lastMessage(), "该文件已经存在！覆盖它？");
        EXPECT_EQ(d->curfile, copy);
        EXPECT_EQ(test::TempDir::read(path), original);
        w.dispatch(tool::kSave);
        fs::remove_all(dir.file("work"));
    }
}

TEST_F(SaveMendsTest, SaveAsTakesTheAnalysisInputsAndReportTextsAlong)
{
    const std::string path = copySample("record_15_levels.pys", "orig.pys");
    const std::string inputs = R"({"width_m": 0.8, "standard": "gb50007-2011"})";
    const std::string report = R"({"report_number": "HZ-9", "client": "某委托单位"})";
    dir.write("work/orig.pys.analysis.json", inputs);
    dir.write("work/orig.pys.report.json", report);
    openEdited(path);
    dialogs.fileNames.push_back(dir.file("copy.pys"));
    w.dispatch(tool::kSaveAs);
    ASSERT_EQ(d->curfile, dir.file("copy.pys")) << lastMessage();
    EXPECT_TRUE(dialogs.messages.empty()) << lastMessage();
    EXPECT_EQ(test::TempDir::read(dir.file("copy.pys.analysis.json")), inputs);
    EXPECT_EQ(test::TempDir::read(dir.file("copy.pys.report.json")), report);
    EXPECT_EQ(test::TempDir::read(dir.file("work/orig.pys.report.json")), report); // the old ones stay
}

TEST_F(SaveMendsTest, NewGivesANameWithoutAnEndingTheRecordFilesEnding)
{
    w.load(1366);
    dialogs.fileNames.push_back(dir.file("fresh"));
    w.dispatch(tool::kNew);
    EXPECT_EQ(d->curfile, dir.file("fresh.pys"));
    EXPECT_TRUE(fs::exists(dir.file("fresh.pys")));
    EXPECT_FALSE(fs::exists(dir.file("fresh")));
}

} // namespace
} // namespace pyx
