#include <gtest/gtest.h>

#include <memory>

#include "data/settings.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "reports/print_options.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

struct PrintOptionsTest : ::testing::Test
{
    test::TempDir dir;
    std::string settings = dir.file("spconfig.sys");
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow window{*d, dialogs, settings};
    PrintOptionsDialog dlg{*d, dialogs, window};

    PrintOptionsTest()
    {
        for (int e : PrintOptionsDialog::kEntries)
            d->csz[e] = "0";
        d->csz[70] = "1";
        d->csz[78] = "1.0";
        d->csz[72] = "2";
        dlg.load();
    }
};

TEST_F(PrintOptionsTest, LoadTicksTheEntriesThatAreOneAndTheFirstFourApplyAtOnce)
{
    EXPECT_EQ(dlg.checked, (std::array<bool, 6>{true, false, false, false, true, false}));
    dlg.toggled(0, false);
    dlg.toggled(3, true);
    dlg.toggled(4, false);
    EXPECT_EQ(d->csz[70], "0");
    EXPECT_EQ(d->csz[73], "1");
    EXPECT_EQ(d->csz[78], "1.0"); // boxes 5 and 6 wait for confirm
    dlg.exit();
    EXPECT_TRUE(dlg.closed);
    SettingsTable stored;
    readSettings(settings, stored);
    EXPECT_EQ(stored[73], ""); // "退出" writes no file
}

TEST_F(PrintOptionsTest, ConfirmChecksTheChoiceThenStoresAndWrites)
{
    for (int k = 0; k < 5; ++k)
        dlg.toggled(k, false);
    dlg.confirm();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "请至少选择一项表格或曲线，才可导出！");
    EXPECT_EQ(dialogs.messages[0].title, "系统提示！");
    EXPECT_FALSE(dlg.closed);

    dlg.toggled(1, true);
    dlg.toggled(5, true);
    dlg.confirm();
    EXPECT_EQ(dialogs.messages.back().text, "请至少一个曲线，才可导出缩小曲线！");
    EXPECT_EQ(d->csz[79], "0");
    EXPECT_FALSE(dlg.closed);

    dlg.toggled(2, true);
    dlg.toggled(4, true);
    dlg.confirm();
    EXPECT_TRUE(dlg.closed);
    EXPECT_EQ(d->csz[78], "1");
    EXPECT_EQ(d->csz[79], "1");
    SettingsTable stored;
    readSettings(settings, stored);
    EXPECT_EQ(stored, d->csz);
}

TEST_F(PrintOptionsTest, AddedBoxesAreStoredOnConfirmAndOffByDefault)
{
    const std::pair<bool PrintOptionsDialog::*, int> boxes[] = {{&PrintOptionsDialog::analysis, 80},
                                                                {&PrintOptionsDialog::changeRecord, 81},
                                                                {&PrintOptionsDialog::front, 82}};
    for (const auto& [box, entry] : boxes) {
        PrintOptionsDialog dialog{*d, dialogs, window};
        dialog.load();
        EXPECT_FALSE(dialog.*box) << entry; // an entry never written
        dialog.*box = true;
        EXPECT_NE(d->csz[entry], "1") << entry;
        dialog.confirm();
        EXPECT_TRUE(dialog.closed);
        EXPECT_EQ(d->csz[entry], "1");
        SettingsTable stored;
        readSettings(settings, stored);
        EXPECT_EQ(stored[entry], "1");
        PrintOptionsDialog again{*d, dialogs, window};
        again.load();
        EXPECT_TRUE(again.*box);
    }
}

TEST_F(PrintOptionsTest, TheReportFrontAloneIsAChoice)
{
    for (int k = 0; k < 6; ++k)
        dlg.toggled(k, false);
    dlg.front = true;
    dlg.confirm();
    EXPECT_TRUE(dlg.closed);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrintOptionsTest, AFailedWriteIsToldButTheChoiceHolds)
{
    MainWindow blockedWindow{*d, dialogs, dir.write("file", "x") + "/spconfig.sys"};
    PrintOptionsDialog blocked{*d, dialogs, blockedWindow};
    blocked.load();
    blocked.confirm();
    EXPECT_TRUE(blocked.closed);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text.rfind("设置文件保存失败！", 0), 0u);
    EXPECT_EQ(d->csz[78], "1");
}

} // namespace
} // namespace pyx
