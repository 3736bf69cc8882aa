// Damaged files open as far as they can and are told once, after the open.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

struct DamagedFileTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, dir.file("spconfig.sys")};

    std::vector<std::string> openSample(const char* name)
    {
        w.load(1366);
        dialogs.messages.clear();
        dialogs.fileNames.push_back(std::string(PYX_SOURCE_DIR) + "/samples/" + name);
        w.dispatch("miFOpen");
        std::vector<std::string> out;
        for (const auto& m : dialogs.messages)
            out.push_back(m.text);
        return out;
    }
};

TEST_F(DamagedFileTest, NonFiniteNumbersAreToldOnceAndShownAsDashes)
{
    const std::vector<std::string> messages = openSample("bad_nonfinite.pyx");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("个数值不是有限数或超出范围（表中显示为 --）"), std::string::npos)
        << messages[0];
    EXPECT_EQ(messages[0].find("观测时间"), std::string::npos);
    for (int r = 2; r < w.grid.rows(); ++r)
        for (int c = 1; c < w.grid.cols(); ++c) {
            const std::string& t = w.grid.text(r, c);
            EXPECT_TRUE(t.find("NaN") == std::string::npos && t.find("Inf") == std::string::npos &&
                        t.size() < 12)
                << r << "," << c << " " << t;
        }
    EXPECT_TRUE(std::isfinite(d->ystep) && d->ystep < 10000) << d->ystep;
    EXPECT_TRUE(std::isfinite(d->gmax) && d->gmax < 10000) << d->gmax;
}

TEST_F(DamagedFileTest, EachKindOfDamageHasItsLine)
{
    std::vector<std::string> messages = openSample("bad_truncated.pys");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("短于记录表文件的 16800 字节"), std::string::npos) << messages[0];

    messages = openSample("bad_garbage.pyx");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("个观测时间不是时间"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("项工程信息文字无法识别"), std::string::npos) << messages[0];
}

TEST_F(DamagedFileTest, SoundSamplesOpenWithoutAMessage)
{
    for (const char* name : {"logger_levels.pyx", "logger_pairs.pyx", "logger_old.pyw", "logger_midnight.pyx",
                             "record_15_levels.pys", "record_fractional.pys"})
        EXPECT_TRUE(openSample(name).empty()) << name;
}

} // namespace
} // namespace pyx
