#include <gtest/gtest.h>

#include <memory>

#include "data/settings.h"
#include "dialogs/parameter_setup.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

struct ParameterSetupTest : ::testing::Test
{
    test::TempDir dir;
    std::string settings = dir.file("spconfig.sys");
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, settings};
    ParameterSetupDialog dlg{*d, w};

    ParameterSetupTest()
    {
        checkSettings(d->csz);
        d->kz3 = "50";
    }
};

TEST_F(ParameterSetupTest, LoadShowsTheSettings)
{
    d->csz[0] = "1.0526";
    d->csz[6] = "4.8";
    d->csz[8] = "3";
    d->csz[15] = "9";
    d->csz[11] = "0";
    d->csz[75] = "2";
    d->csz[16] = "7";
    dlg.load();
    EXPECT_EQ(dlg.text1[0], "1.053");
    EXPECT_EQ(dlg.text1[4], "500");
    EXPECT_EQ(dlg.text1[6], "4");
    EXPECT_EQ(dlg.text1[8], "7");
    EXPECT_TRUE(dlg.reserveTimeEnabled);
    EXPECT_EQ(dlg.port1, 3);
    EXPECT_EQ(dlg.port2, -1);
    EXPECT_EQ(dlg.gauges, (std::array<bool, 4>{true, false, true, true}));
    EXPECT_TRUE(dlg.autoAxis);
    EXPECT_FALSE(dlg.showManual);
    EXPECT_TRUE(dlg.simpleSummary);
}

TEST_F(ParameterSetupTest, SingleCircuitJackHasNoReserveTime)
{
    d->csz[16] = "7";
    d->csz[56] = "1";
    dlg.load();
    EXPECT_EQ(dlg.text1[8], "0");
    EXPECT_FALSE(dlg.reserveTimeEnabled);
}

TEST_F(ParameterSetupTest, FractionalLoadIncrementShowsTwoDecimals)
{
    d->kz3 = "50.5";
    dlg.load();
    EXPECT_EQ(dlg.text1[3], "50.50");
    d->kz3 = "50";
    dlg.load();
    EXPECT_EQ(dlg.text1[3], "50");
}

TEST_F(ParameterSetupTest, EnterMovesTheFocus)
{
    dlg.enter(0);
    EXPECT_EQ(dlg.focus, 1);
    dlg.enter(3);
    EXPECT_EQ(dlg.focus, 4);
    dlg.enter(4);
    EXPECT_EQ(dlg.focus, ParameterSetupDialog::kOkButton);
}

TEST_F(ParameterSetupTest, OkStoresTheSettingsAndTheRawGaugeSlots)
{
    d->curfile = dir.file("t.pyx");
    dlg.load();
    dlg.gauges[0] = false;
    dlg.text1[3] = "60";
    dlg.text1[6] = "abc";
    dlg.port1 = 5;
    dlg.port2 = 1;
    dlg.autoAxis = true;
    dlg.simpleSummary = false;
    dlg.ok();
    EXPECT_TRUE(dlg.closed);
    EXPECT_EQ(d->csz[10], "0");
    EXPECT_EQ(d->ysd[31].s20a.trimmed(), "0");
    EXPECT_EQ(d->ysd[32].s20a.trimmed(), "1");
    EXPECT_EQ(d->csz[3], "60");
    EXPECT_EQ(d->kz3, "60");
    EXPECT_EQ(d->csz[6], "4");
    EXPECT_EQ(d->csz[8], "5");
    EXPECT_EQ(d->csz[15], "1");
    EXPECT_EQ(d->csz[75], "1");
    EXPECT_EQ(d->csz[77], "0");
    EXPECT_TRUE(d->yfix);
    EXPECT_TRUE(d->dirty);
    EXPECT_TRUE(w.bar.tool("barStandard", "miFSave")->enabled);
    SettingsTable stored;
    readSettings(settings, stored);
    EXPECT_EQ(stored, d->csz);
}

TEST_F(ParameterSetupTest, OkWithoutATestLeavesNothingToSave)
{
    d->dirty = true;
    d->tabmode = 0;
    dlg.load();
    dlg.ok();
    EXPECT_FALSE(d->dirty);
    // The summary table was shown again.
    EXPECT_EQ(d->tabmode, 0);
}

TEST_F(ParameterSetupTest, ExitStoresNothing)
{
    dlg.load();
    const SettingsTable before = d->csz;
    dlg.text1[0] = "9";
    dlg.exit();
    EXPECT_TRUE(dlg.closed);
    EXPECT_EQ(d->csz, before);
}

} // namespace
} // namespace pyx
