#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "data/startup.h"
#include "platform/scripted_dialogs.h"
#include "session/file_commands.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

// A 267-byte logger file takes its load increment from its own header, whatever file
// was open before.
TEST(RawOldOpen, LoadIncrementComesFromTheFileNotFromThePreviousOne)
{
    test::TempDir dir;
    auto d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    const std::string settings = dir.file("spconfig.sys");
    startValues(*d, settings);
    FileCommands cmd{*d, dialogs, settings};
    const auto sample = std::filesystem::path(PYX_SOURCE_DIR) / "samples";
    const std::string levels = dir.file("levels.pyx");
    const std::string old = dir.file("old.pyw");
    std::filesystem::copy_file(sample / "logger_levels.pyx", levels);
    std::filesystem::copy_file(sample / "logger_old.pyw", old);

    ASSERT_EQ(cmd.openPath(levels), OpenResult::Opened);
    EXPECT_EQ(d->kz3, "40");
    ASSERT_EQ(cmd.openPath(old), OpenResult::Opened);
    EXPECT_EQ(d->csz[3], "30");
    EXPECT_EQ(d->kz3, "30");
    EXPECT_EQ(d->maxload, 270);
    EXPECT_EQ(d->nstage, 9);
}

} // namespace
} // namespace pyx
