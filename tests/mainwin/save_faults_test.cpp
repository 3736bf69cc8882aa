#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "data/settings.h"
#include "mainwin/command_names.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "samplegen/sample_files.h"
#include "support/temp_dir.h"
#include "support/write_fault_double.h"

namespace pyx {
namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kByteStride = 31; // the sanitizer build tries fewer bytes
#else
constexpr std::size_t kByteStride = 1;
#endif
// Logger files are longer: every byte of their first and last two records, a sample between.
constexpr std::size_t kEdge = 2 * 311;
constexpr std::size_t kLoggerStride = 97;

std::vector<std::size_t> faultBytes(std::size_t size, bool logger)
{
    std::vector<std::size_t> out;
    for (std::size_t n = 0; n < size; n += kByteStride)
        if (!logger || n < kEdge || n + kEdge >= size || n % kLoggerStride == 0)
            out.push_back(n);
    out.push_back(size - 1);
    return out;
}

int entries(const std::string& dir)
{
    return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// A window with a sample open and one cell edited, so that the save tool is on.
struct EditedWindow
{
    std::string path;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> w;

    EditedWindow(const std::string& file, const std::string& settings)
        : path(file), w(std::make_unique<MainWindow>(*d, dialogs, settings))
    {
        w->load(1366);
        w->files.openPath(path);
        dialogs.messages.clear();
        EXPECT_TRUE(w->grid.commitEdit(2, 1, "37"));
    }
    bool saveToolOn() const { return w->bar.tool(band::kFile, tool::kSave)->enabled; }
};

struct SaveFaultsTest : ::testing::TestWithParam<const char*>
{
    test::TempDir dir;

    std::string sample() const
    {
        for (const auto& s : samples::standardSamples())
            if (s.name == GetParam())
                return s.bytes;
        ADD_FAILURE() << GetParam();
        return {};
    }
};

// For every byte at which the write can fail, and at the close, the flush to disk and the
// rename: the file stays as it was, the user is told, and the test stays unsaved.
TEST_P(SaveFaultsTest, FailedWriteAtAnyPointKeepsTheOldFileAndTellsTheUser)
{
    const std::string original = sample();
    const std::string folder = dir.file("work");
    fs::create_directory(folder);
    const std::string path = dir.write(std::string("work/") + GetParam(), original);

    // What a save without faults writes, from a copy of the same file.
    std::string expected;
    {
        EditedWindow copy(dir.write(std::string("copy-") + GetParam(), original), dir.file("copy.sys"));
        copy.w->dispatch(tool::kSave);
        ASSERT_FALSE(copy.d->dirty);
        expected = test::TempDir::read(copy.path);
    }
    ASSERT_NE(expected, original);

    EditedWindow win(path, dir.file("cfg/spconfig.sys"));
    ASSERT_TRUE(win.d->dirty);
    std::vector<WriteFault> faults;
    for (std::size_t n : faultBytes(expected.size(), win.d->ftype != FileKind::Record))
        faults.push_back({WriteStep::Byte, n, ENOSPC});
    for (WriteStep step : {WriteStep::Flush, WriteStep::Sync, WriteStep::Rename})
        faults.push_back({step, 0, EIO});

    int tried = 0;
    for (const WriteFault& fault : faults) {
        win.dialogs.messages.clear();
        {
            const ScopedWriteFault injected(fault);
            win.w->dispatch(tool::kSave);
        }
        ++tried;
        const std::string where =
            "step " + std::to_string(static_cast<int>(fault.step)) + " byte " + std::to_string(fault.byte);
        ASSERT_EQ(test::TempDir::read(path), original) << where;
        ASSERT_TRUE(win.d->dirty) << where;
        ASSERT_TRUE(win.saveToolOn()) << where;
        ASSERT_EQ(win.dialogs.messages.size(), 1u) << where;
        const std::string& text = win.dialogs.messages[0].text;
        ASSERT_EQ(text.rfind("文件保存失败！", 0), 0u) << where;
        ASSERT_NE(text.find(fault.error == ENOSPC ? "磁盘空间不足" : "磁盘读写出错"), std::string::npos)
            << where;
        ASSERT_EQ(entries(folder), 1) << where; // no temporary file left
    }
    RecordProperty("fault_points", tried);
    std::printf("%s: %d fault points\n", GetParam(), tried);

    win.dialogs.messages.clear();
    win.w->dispatch(tool::kSave);
    EXPECT_EQ(test::TempDir::read(path), expected);
    EXPECT_FALSE(win.d->dirty);
    EXPECT_FALSE(win.saveToolOn());
    EXPECT_TRUE(win.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SaveFaultsTest,
                         ::testing::Values("record_15_levels.pys", "logger_levels.pyx", "logger_old.pyw"),
                         [](const auto& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

TEST(SettingsFaults, FailedSettingsWriteAtAnyPointKeepsTheOldFileAndTellsTheUser)
{
    test::TempDir dir;
    const std::string path = dir.file("cfg/spconfig.sys");
    SettingsTable before{};
    checkSettings(before);
    ASSERT_TRUE(writeSettings(path, before).ok());
    const std::string original = test::TempDir::read(path);

    auto d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w(*d, dialogs, path);
    w.load(1366);
    d->csz[3] = "75";
    const std::string expected = encodeSettings(d->csz);
    ASSERT_NE(expected, original);

    std::vector<WriteFault> faults;
    for (std::size_t n : faultBytes(expected.size(), false))
        faults.push_back({WriteStep::Byte, n, ENOSPC});
    for (WriteStep step : {WriteStep::Flush, WriteStep::Sync, WriteStep::Rename})
        faults.push_back({step, 0, EIO});
    std::printf("settings: %zu fault points\n", faults.size());
    for (const WriteFault& fault : faults) {
        dialogs.messages.clear();
        bool written = true;
        {
            const ScopedWriteFault injected(fault);
            written = w.saveSettings();
        }
        ASSERT_FALSE(written) << fault.byte;
        ASSERT_EQ(test::TempDir::read(path), original) << fault.byte;
        ASSERT_EQ(dialogs.messages.size(), 1u);
        ASSERT_EQ(dialogs.messages[0].text.rfind("设置文件保存失败！", 0), 0u);
        ASSERT_EQ(entries(dir.file("cfg")), 1);
    }
    EXPECT_TRUE(w.saveSettings());
    EXPECT_EQ(test::TempDir::read(path), expected);
}

} // namespace
} // namespace pyx
