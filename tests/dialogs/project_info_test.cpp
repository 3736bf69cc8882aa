#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "data/settings.h"
#include "dialogs/project_info.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

struct ProjectInfoTest : ::testing::Test
{
    test::TempDir dir;
    std::string settings = dir.file("spconfig.sys");
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, settings};
    ProjectInfoDialog dlg{*d, w, dialogs};

    ProjectInfoTest()
    {
        d->csz[10] = d->csz[11] = "1";
        dlg.today = [] { return std::string("2024/5/16"); };
    }
    // A new test with valid serial and pile numbers.
    void newTest()
    {
        d->newtest = true;
        d->curfile = dir.file("new.pys");
        dlg.load();
        dlg.text2[0] = "123456";
        dlg.text2[1] = "0012";
        dlg.text2[5] = "500";
    }
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> out;
        for (const auto& m : dialogs.messages)
            out.push_back(m.text);
        return out;
    }
};

TEST_F(ProjectInfoTest, LoadTakesTheSlotsAndFillsAnEmptyDateWithToday)
{
    d->jlb[0].cstr.set("  某大桥  ");
    d->jlb[5].cstr.set("450");
    dlg.load();
    EXPECT_EQ(dlg.text2[0], "某大桥");
    EXPECT_EQ(dlg.text2[2], "2024/5/16");
    EXPECT_EQ(dlg.text2[5], "450");
    EXPECT_TRUE(dlg.jackFieldsEnabled);

    d->jlb[2].cstr.set("2023-01-02");
    dlg.load();
    EXPECT_EQ(dlg.text2[2], "2023-01-02");
}

TEST_F(ProjectInfoTest, LoadShowsTheFactorButKeepsTheUsersOne)
{
    d->csz[0] = "1.052";
    dlg.load();
    // 2.13 x 65 x 1200 / (80 x 1000 x 1) = 2.07675
    EXPECT_EQ(dlg.label8, "标定系数： 2.077");
    EXPECT_EQ(d->csz[0], "1.052");

    // A typed factor field stores it; leaving with "退出" takes it back.
    dlg.text2[13] = "65";
    dlg.textChanged(13);
    EXPECT_EQ(d->csz[0], "2.077");
    dlg.exit();
    EXPECT_TRUE(dlg.closed);
    EXPECT_EQ(d->csz[0], "1.052");
}

TEST_F(ProjectInfoTest, OpeningAFileKeepsTheCalibrationFactor)
{
    test::TempDir files;
    const std::string path = files.file("t.pys");
    d->csz[0] = "0.987";
    {
        TestData saved;
        saved.jlb[0].hz = 50;
        saved.jlb[1].hz = kEndLoad;
        saved.curfile = path;
        saved.ftype = FileKind::Record;
        ScriptedDialogs quiet;
        FileCommands writer(saved, quiet, files.file("other.sys"));
        ASSERT_EQ(writer.save(), SaveResult::Saved);
    }
    ASSERT_EQ(w.files.openPath(path), OpenResult::Opened);
    EXPECT_EQ(d->csz[0], "0.987");
}

TEST_F(ProjectInfoTest, FactorFollowsTheFieldsAndNeedsValidNumbers)
{
    dlg.load();
    dlg.text2[12] = "2";
    dlg.textChanged(12);
    EXPECT_EQ(d->csz[0], "1.038");
    EXPECT_EQ(dlg.label8, "标定系数： 1.038");

    for (const char* jacks : {"0", "-1", "x"}) {
        dlg.text2[12] = jacks;
        dlg.textChanged(12);
        EXPECT_EQ(dlg.label8, "标定系数： ") << jacks;
        EXPECT_EQ(d->csz[0], "1.038") << jacks;
    }
    dlg.text2[12] = "1";
    dlg.text2[8] = "0";
    dlg.textChanged(8);
    EXPECT_EQ(dlg.label8, "标定系数： ");
    // Fields that do not enter the factor change nothing.
    dlg.text2[8] = "1000";
    dlg.textChanged(6);
    EXPECT_EQ(dlg.label8, "标定系数： ");
}

TEST_F(ProjectInfoTest, SingleCircuitFactorOnlyForANewTest)
{
    dlg.load();
    d->csz[0] = "1";
    dlg.jackType = 1;
    dlg.text2[11] = "3.3";
    dlg.text2[12] = "2";
    dlg.textChanged(11);
    EXPECT_EQ(d->csz[0], "1");

    d->newtest = true;
    dlg.textChanged(11);
    EXPECT_EQ(d->csz[0], "1.650");
    EXPECT_EQ(dlg.label8, "标定系数： 1.650");
}

TEST_F(ProjectInfoTest, RestoredRunShowsTheStoredJackAndSensorData)
{
    d->restored = true;
    for (int i = 0; i <= 5; ++i)
        d->csz[50 + i] = "h" + std::to_string(i);
    d->csz[56] = "1";
    d->csz[57] = "7";
    for (int k = 0; k < 7; ++k)
        d->csz[58 + k] = "j" + std::to_string(k);
    dlg.load();
    EXPECT_FALSE(dlg.jackFieldsEnabled);
    EXPECT_EQ(dlg.text2[2], "h2");
    EXPECT_EQ(dlg.jackType, 1);
    EXPECT_EQ(dlg.sensorType, -1);
    EXPECT_EQ(dlg.text2[6], "j0");
    EXPECT_EQ(dlg.text2[13], "j1");
    EXPECT_EQ(dlg.text2[11], "j6");
}

TEST_F(ProjectInfoTest, EnterMovesTheFocus)
{
    dlg.enter(0);
    EXPECT_EQ(dlg.focus, 1);
    dlg.enter(5);
    EXPECT_EQ(dlg.focus, 6);
    dlg.enter(6); // there is no field 7
    EXPECT_EQ(dlg.focus, 6);
    dlg.enter(13);
    EXPECT_EQ(dlg.focus, ProjectInfoDialog::kOkButton);
}

TEST_F(ProjectInfoTest, GaugeDistanceIsCheckedOnlyWithAnUpperGaugeInUse)
{
    dlg.load();
    dlg.focus = 0;
    dlg.text2[5] = "  ";
    dlg.ok();
    dlg.text2[5] = "0";
    dlg.ok();
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{"上下表距不能为空！", "上下表距不能为零！"}));
    EXPECT_EQ(dialogs.messages[0].title, "系统提示！");
    EXPECT_EQ(dlg.focus, 5);
    EXPECT_FALSE(dlg.closed);

    d->csz[10] = "0";
    d->csz[11] = "0";
    dlg.text2[5] = "";
    dlg.ok();
    EXPECT_TRUE(dlg.closed);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(w.labels[3], "上下表距：");
}

TEST_F(ProjectInfoTest, ExistingTestStoresTheHeaderTextsButNoSettings)
{
    d->curfile = dir.file("t.pys");
    dlg.load();
    const SettingsTable before = d->csz;
    int shown = 0;
    w.textsChanged = [&shown] { ++shown; };
    dlg.text2 = {" P ", "S1", "2024-01-02", "800", "12", "500", "J", "", "1200", "", "", "", "", ""};
    dlg.ok();
    EXPECT_TRUE(dlg.closed);
    EXPECT_EQ(d->jlb[0].cstr.trimmed(), "P");
    EXPECT_EQ(d->jlb[4].cstr.trimmed(), "12");
    EXPECT_EQ(d->csz, before);
    EXPECT_FALSE(std::filesystem::exists(settings));
    EXPECT_EQ(w.labels[0], "工程名称：P");
    EXPECT_EQ(w.labels[2], "测试日期：2024-01-02");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(d->bjtext, "500");
    EXPECT_TRUE(d->dirty);
    EXPECT_TRUE(w.bar.tool("mnuFile", "miFSave")->enabled);
}

TEST_F(ProjectInfoTest, NewTestNeedsNumericSerialAndPileNumbers)
{
    newTest();
    int parameterDialogs = 0;
    dlg.showParameterSetup = [&parameterDialogs] { ++parameterDialogs; };
    dlg.text2[0] = "12a";
    dlg.ok();
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"检测流水号要求为6位数字！"});
    EXPECT_EQ(dlg.focus, 0);
    // The header texts are stored before the check, the settings are not.
    EXPECT_EQ(d->jlb[0].cstr.trimmed(), "12a");
    EXPECT_EQ(d->csz[50], "");

    dlg.text2[0] = "";
    dlg.ok();
    dlg.text2[0] = "123";
    dlg.text2[1] = "A1";
    dlg.ok();
    dlg.text2[1] = "";
    dlg.ok();
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{"检测流水号要求为6位数字！", "检测流水号不能为空！",
                                                        "桩号要求为4位数字！", "桩号不能为空！"}));
    EXPECT_EQ(dlg.focus, 1);
    EXPECT_EQ(parameterDialogs, 0);

    dlg.text2[1] = "7";
    dlg.ok();
    EXPECT_TRUE(dlg.closed);
    EXPECT_EQ(parameterDialogs, 1);
}

TEST_F(ProjectInfoTest, NewTestStoresJackAndSensorDataInTheSettingsFile)
{
    newTest();
    dlg.sensorType = 1;
    dlg.text2[6] = "QJ-01";
    dlg.text2[9] = "CG-9";
    dlg.ok();
    ASSERT_TRUE(dlg.closed);
    EXPECT_EQ(d->csz[50], "123456");
    EXPECT_EQ(d->csz[52], "2024/5/16");
    EXPECT_EQ(d->csz[56], "0");
    EXPECT_EQ(d->csz[57], "1");
    EXPECT_EQ(d->csz[58], "QJ-01");
    EXPECT_EQ(d->csz[59], "65");
    EXPECT_EQ(d->csz[62], "CG-9");
    EXPECT_EQ(d->csz[63], "80 ");
    EXPECT_EQ(d->csz[0], "2.077");
    SettingsTable stored;
    readSettings(settings, stored);
    EXPECT_EQ(stored, d->csz);
}

} // namespace
} // namespace pyx

namespace pyx {
namespace {

struct ProjectInfoLimitTest : ProjectInfoTest
{
};

TEST_F(ProjectInfoLimitTest, TextsLongerThanTheirSlotAreRefusedWhereTyped)
{
    d->curfile = dir.file("t.pyx");
    d->ftype = FileKind::Raw311;
    dlg.load();
    dlg.text2[5] = "500";
    // Twenty bytes fit a logger file's pile number slot, twenty-one do not.
    dlg.text2[1] = "试桩一二三四五六七八";
    dlg.ok();
    EXPECT_TRUE(dlg.closed);
    dlg.closed = false;
    dlg.text2[1] = "试桩一二三四五六七八X";
    dlg.ok();
    EXPECT_FALSE(dlg.closed);
    EXPECT_EQ(dlg.focus, 1);
    EXPECT_EQ(messageTexts().back(), "试桩编号最多 20 个字节（10 个汉字），文件存不下更长的文字！");
    EXPECT_EQ(d->jlb[1].cstr.trimmed(), "试桩一二三四五六七八");

    // A record file keeps 40 bytes of each text.
    d->ftype = FileKind::Record;
    dlg.ok();
    EXPECT_TRUE(dlg.closed);
    dlg.closed = false;
    dlg.text2[0] = std::string(41, 'A');
    dlg.ok();
    EXPECT_FALSE(dlg.closed);
    EXPECT_EQ(messageTexts().back(), "工程名称最多 40 个字节（20 个汉字），文件存不下更长的文字！");
}

TEST(ProjectInfoNewTest, TheNewTestStateEndsWithTheNextOpen)
{
    test::TempDir dir;
    auto d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, dir.file("spconfig.sys")};
    w.load(1366);
    dialogs.fileNames.push_back(dir.file("new.pys"));
    w.dispatch("miFNew");
    EXPECT_TRUE(d->newtest);
    dialogs.answers.push_back(MsgAnswer::No);
    dialogs.fileNames.push_back(std::string(PYX_SOURCE_DIR) + "/samples/record_15_levels.pys");
    w.dispatch("miFOpen");
    ASSERT_EQ(d->jlbn > 0, true);
    EXPECT_FALSE(d->newtest);
    // The opened test's header is taken as it is: its pile number need not be a number.
    ProjectInfoDialog dlg{*d, w, dialogs};
    dlg.load();
    dlg.text2[1] = "A-1";
    dlg.text2[5] = "500";
    dlg.ok();
    EXPECT_TRUE(dlg.closed);
}

} // namespace
} // namespace pyx
