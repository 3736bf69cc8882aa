#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "data/records.h"
#include "data/settings.h"
#include "mainwin/command_names.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/modal_windows_stub.h"
#include "support/record_files.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

struct MainWindowTest : ::testing::Test
{
    test::TempDir dir;
    std::string settings = dir.file("cfg/spconfig.sys");
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>(*d, dialogs, settings);

    void open(const std::string& path)
    {
        dialogs.fileNames.push_back(path);
        w->dispatch("miFOpen");
    }
    bool enabled(const char* band, const char* tool) const { return w->bar.tool(band, tool)->enabled; }
    bool visible(const char* band, const char* tool) const { return w->bar.tool(band, tool)->visible; }

    std::string sampleFile()
    {
        using test::recordRow;
        std::vector<JlbRec> rows;
        const char* times[] = {"08:30", "08:31", "08:32", "08:33"};
        for (int i = 0; i < 4; ++i)
            rows.push_back(
                recordRow(times[i], 50, i + 1, {0.1f * i, 0.2f, 1.0f + i, 1.1f, 0.05f, 0.06f, 0.5f, 0.55f}));
        rows.push_back(recordRow("09:00", 100, 1, {10.0f, 10.0f, 1.27f, 1.27f, 2, 2, 0.3f, 0.3f}));
        rows.push_back(recordRow("09:04", 100, 2, {10.0f, 10.0f, 1.27f, 1.27f, 2, 2, 0.3f, 0.3f}));
        return dir.write("t.pys",
                         test::recordFile(rows, {{0, "某大桥"}, {1, "S1"}, {2, "2026-12-01"}, {5, "500"}}));
    }
};

TEST_F(MainWindowTest, EmptyStartShowsBareCaptionsAndThirtyNumberedRows)
{
    w->load(1366);
    EXPECT_EQ(w->caption, kAppTitle);
    EXPECT_EQ(w->labels[0], "工程名称：");
    EXPECT_EQ(w->labels[3], "上下表距：");
    ASSERT_EQ(w->grid.rows(), 32);
    EXPECT_EQ(w->grid.text(1, 4), "上表1");
    EXPECT_EQ(w->grid.text(2, 0), "1");
    EXPECT_EQ(w->grid.text(31, 0), "30");
    EXPECT_EQ(w->grid.text(2, 1), "");
    EXPECT_EQ(w->grid.colWidth(0), 835);
    EXPECT_FALSE(enabled("mnuMain", "mnuChart"));
    EXPECT_FALSE(enabled("barStandard", "miCjlb"));
    EXPECT_FALSE(enabled("mnuFile", "miFSave"));
    EXPECT_TRUE(enabled("mnuMain", "mnuParameter"));
    // A disabled menu's tools cannot be used.
    w->bar.click("mnuChart", "miChzb");
    EXPECT_EQ(d->tabmode, 1);
}

TEST_F(MainWindowTest, OpeningARecordFileFillsTheWindow)
{
    w->load(1024);
    const std::string path = sampleFile();
    open(path);
    EXPECT_EQ(w->caption, path + kAppTitle + "  ");
    EXPECT_EQ(w->labels[0], "工程名称：某大桥");
    EXPECT_EQ(w->labels[1], "试桩编号：S1");
    EXPECT_EQ(w->labels[3], "上下表距：500");
    ASSERT_EQ(w->grid.rows(), 8);
    EXPECT_EQ(w->grid.text(2, 1), "50");
    EXPECT_EQ(w->grid.text(2, 2), "08:30");
    EXPECT_EQ(w->grid.text(2, 6), "1.00");
    EXPECT_EQ(w->grid.colWidth(3), 840);
    EXPECT_TRUE(enabled("mnuMain", "mnuChart"));
    EXPECT_TRUE(enabled("mnuMain", "mnuedit"));
    EXPECT_FALSE(visible("mnuChart", "miCyssj"));
    EXPECT_FALSE(visible("mnuChart", "miSepCS"));
    EXPECT_FALSE(visible("mnuChart", "miCBJ"));
    EXPECT_EQ(d->hzcount, 2);
}

TEST_F(MainWindowTest, RawFileShowsTheRawDataCommand)
{
    std::string bytes;
    for (int i = 0; i < 12; ++i) {
        YsRec r;
        r.sj.set(i < 4 ? "10:00" : "11111");
        r.sj2.set(i < 4 ? "10:00" : "11111");
        r.v[0] = 50;
        r.v[13] = 1;
        bytes += encodeYsRec(r);
    }
    w->load(1366);
    open(dir.write("raw.dat", bytes));
    EXPECT_EQ(d->ftype, FileKind::Raw311);
    EXPECT_TRUE(visible("mnuChart", "miCyssj"));
    EXPECT_TRUE(visible("mnuChart", "miSepCS"));
    open(sampleFile());
    EXPECT_FALSE(visible("mnuChart", "miCyssj"));
}

TEST_F(MainWindowTest, SummaryViewDisablesEditingButKeepsUnsavedDataSaveable)
{
    w->load(1366);
    open(sampleFile());
    ASSERT_TRUE(w->grid.commitEdit(2, 5, "3"));
    EXPECT_TRUE(d->dirty);
    EXPECT_TRUE(enabled("mnuFile", "miFSave"));
    w->dispatch("miChzb");
    EXPECT_EQ(d->tabmode, 0);
    EXPECT_FALSE(enabled("mnuMain", "mnuedit"));
    EXPECT_TRUE(enabled("mnuFile", "miFSave"));
    EXPECT_TRUE(enabled("barStandard", "miFSave"));
    // No edits and no context menu on a summary table.
    bool popped = false;
    w->editor.popupEditMenu = [&] { popped = true; };
    w->grid.onMouseDown(2, 3, 3);
    EXPECT_FALSE(popped);
}

TEST_F(MainWindowTest, MergeToggleFlipsTheCaptionAndSurvivesARestart)
{
    w->load(1366);
    open(sampleFile());
    EXPECT_EQ(w->bar.tool("mnuedit", "miChb")->caption, "允许表格合并(&H)");
    w->dispatch("miChb");
    EXPECT_EQ(w->bar.tool("mnuedit", "miChb")->caption, "禁止表格合并(&H)");
    EXPECT_EQ(w->grid.mergeMode(), MergeMode::FixedOnly);

    auto d2 = std::make_unique<TestData>();
    MainWindow again(*d2, dialogs, settings);
    again.load(1366);
    EXPECT_EQ(d2->csz[74], "1");
    dialogs.fileNames.push_back(sampleFile());
    again.dispatch("miFOpen");
    EXPECT_EQ(again.bar.tool("mnuedit", "miChb")->caption, "禁止表格合并(&H)");
}

TEST_F(MainWindowTest, LastFileOpensAtStartUpAndCancelLeavesNoTest)
{
    const std::string path = sampleFile();
    SettingsTable csz;
    csz[9] = path;
    csz[55] = "600";
    ASSERT_TRUE(writeSettings(settings, csz).ok());
    dialogs.fileNames.push_back(path);
    w->load(1366);
    EXPECT_EQ(d->curfile, path);
    EXPECT_EQ(d->jlbn, 6);
    EXPECT_EQ(dialogs.fileRequests.back().title, "打开文件");

    EXPECT_TRUE(d->restored);
    EXPECT_EQ(d->bjtext, "600"); // a restored run shows the stored project texts, gauge distance included

    auto d2 = std::make_unique<TestData>();
    MainWindow cancelled(*d2, dialogs, settings);
    cancelled.load(1366); // no name queued: the user cancels
    EXPECT_EQ(d2->curfile, "");
    EXPECT_EQ(cancelled.caption, kAppTitle);
}

TEST_F(MainWindowTest, AFileThatIsNoTestLeavesTheStartUpState)
{
    w->load(1366);
    EXPECT_FALSE(w->grid.commitEdit(2, 5, "3")); // no test open: the empty table takes no edits
    EXPECT_FALSE(d->dirty);

    open(sampleFile());
    ASSERT_EQ(d->jlbn, 6);
    for (const std::string& name : {std::string("junk.dat"), std::string("missing/x.pys")}) {
        const std::string path = name == "junk.dat" ? dir.write(name, std::string(100, 'x')) : dir.file(name);
        open(path);
        EXPECT_EQ(d->curfile, "") << name;
        EXPECT_EQ(d->jlbn, 0) << name;
        EXPECT_EQ(d->ftype, FileKind::None) << name;
        EXPECT_EQ(d->jlb[0].hz, kEndLoad) << name;
        EXPECT_EQ(d->jlbp[0].hz, kEndLoad) << name;
        EXPECT_TRUE(d->hzdat.empty()) << name;
        EXPECT_FALSE(d->hzdecimal) << name;
        EXPECT_EQ(d->nstage, 10) << name;
        EXPECT_EQ(w->caption, kAppTitle) << name;
        ASSERT_EQ(w->grid.rows(), 32) << name;
        for (int r = 2; r < 32; ++r)
            for (int c = 1; c < w->grid.cols(); ++c)
                EXPECT_EQ(w->grid.text(r, c), "") << name << " row " << r << " col " << c;
        EXPECT_FALSE(w->grid.commitEdit(2, 5, "3")) << name;
        EXPECT_FALSE(enabled("mnuFile", "miFSave")) << name;
    }
    // The next open does not ask about unsaved data.
    const auto asked = dialogs.messages.size();
    open(sampleFile());
    EXPECT_EQ(dialogs.messages.size(), asked);
    EXPECT_EQ(d->jlbn, 6);
}

TEST_F(MainWindowTest, ANewTestIsTypedInFromAFirstInsertedRow)
{
    w->load(1366);
    d->csz[13] = "0";
    dialogs.fileNames.push_back(dir.file("hand.pys"));
    w->dispatch("miFNew");
    ASSERT_EQ(w->grid.rows(), 2);
    w->dispatch("miCcryh");
    ASSERT_EQ(w->grid.rows(), 3);
    EXPECT_EQ(w->grid.text(2, 0), "1");
    EXPECT_EQ(w->grid.text(2, 2), "--:--");
    EXPECT_EQ(w->grid.text(2, 4), "0.00");
    EXPECT_EQ(w->grid.text(2, 7), "--");
    EXPECT_EQ(d->jlbn, 1);
    EXPECT_TRUE(d->dirty);
    ASSERT_TRUE(w->grid.commitEdit(2, 1, "50"));
    ASSERT_TRUE(w->grid.commitEdit(2, 2, "08:30"));
    EXPECT_EQ(d->jlb[0].hz, 50.0f);
    EXPECT_EQ(d->jlb[0].sj.trimmed(), "08:30");
    // With a row in place, insert duplicates it only from the second row on, as before.
    w->grid.setCurrent(2, 1);
    w->dispatch("miCcryh");
    EXPECT_EQ(w->grid.rows(), 3);
}

TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsks)
{
    w->load(1366);
    open(sampleFile());
    int quits = 0;
    w->quit = [&] { ++quits; };
    w->dispatch("miFExit");
    EXPECT_EQ(quits, 1); // nothing changed: no question
    EXPECT_TRUE(dialogs.messages.empty());

    ASSERT_TRUE(w->grid.commitEdit(2, 5, "3"));
    dialogs.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(w->confirmClose());
    EXPECT_EQ(dialogs.messages.back().text, "文件没有保存！保存否？");
    EXPECT_EQ(dialogs.messages.back().buttons, MsgButtons::YesNoCancel);

    dialogs.answers.push_back(MsgAnswer::Yes);
    EXPECT_TRUE(w->confirmClose());
    EXPECT_FALSE(d->dirty);
    open(d->curfile);
    EXPECT_EQ(d->jlb[0].ds[1], 3.0f);
}

TEST_F(MainWindowTest, EveryToolHasItsCommandAndAnUnknownNameIsAFault)
{
    std::set<std::string> tools;
    for (const Band& band : w->bar.bands())
        for (const Tool& tool : band.tools)
            if (!tool.isSeparator())
                tools.insert(tool.name);
    const std::vector<std::string> names = w->commands().names();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), tools);

    w->load(1366);
    EXPECT_THROW(w->dispatch("miNoSuchTool"), UnknownCommand);
    EXPECT_THROW(w->dispatch("mnuprint"), UnknownCommand); // the print menu has one name
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(w->bar.bandUsable(band::kPrint)); // no test open: the print menu is off
}

TEST_F(MainWindowTest, TheWindowsOpenThroughTheModalWindows)
{
    w->load(1366);
    w->dispatch(tool::kParameterSetup); // no windows to show it: nothing happens
    EXPECT_TRUE(dialogs.messages.empty());

    test::ModalWindowsStub windows;
    w->setModalWindows(&windows);
    d->csz[6] = "7.5";
    std::string hold;
    windows.onParameterSetup = [&](ParameterSetupDialog& dlg) { hold = dlg.text1[6]; };
    for (const char* t : {tool::kProjectInfo, tool::kParameterSetup, tool::kPrintOptions, tool::kRawData,
                          tool::kAbout, tool::kPrintPreview, tool::kPrintPreviewTool, tool::kWordExport,
                          tool::kExcelExport, tool::kStatistics})
        w->dispatch(t);
    EXPECT_EQ(windows.opened,
              (std::vector<std::string>{"projectInfo", "parameterSetup", "printOptions", "rawData", "about",
                                        "preview", "preview", "wordExport", "excelExport", "statistics"}));
    EXPECT_EQ(hold, "7"); // the dialog opens loaded

    // A click on the gradient curve's mark command opens the mark dialog.
    open(sampleFile());
    windows.opened.clear();
    w->dispatch(tool::kGradientCurve);
    w->dispatch(tool::kMark);
    EXPECT_EQ(windows.opened, std::vector<std::string>{"mark"});
}

TEST_F(MainWindowTest, ANewTestGoesOnFromTheProjectInformationToTheParameters)
{
    w->load(1366);
    test::ModalWindowsStub windows;
    w->setModalWindows(&windows);
    windows.onProjectInfo = [](ProjectInfoDialog& dlg) {
        dlg.text2[0] = "123456";
        dlg.text2[1] = "1234";
        dlg.text2[5] = "500";
        dlg.ok();
    };
    dialogs.fileNames.push_back(dir.file("new.pys"));
    w->dispatch(tool::kNew);
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"projectInfo", "parameterSetup (not blocking)"}));
    ASSERT_EQ(windows.shown.size(), 1u);
    EXPECT_EQ(w->labels[0], "工程名称：123456");
    EXPECT_EQ(w->labels[1], "试桩编号：1234");
}

// Each writer of the settings tells the user when the file cannot be written; the values
// stay in effect.
TEST_F(MainWindowTest, AFailedSettingsWriteIsShown)
{
    const std::string blocked = dir.write("blocker", "x") + "/spconfig.sys";
    auto d2 = std::make_unique<TestData>();
    MainWindow win(*d2, dialogs, blocked);
    win.load(1366);
    dialogs.fileNames.push_back(sampleFile());
    win.dispatch(tool::kOpen);
    const auto told = [this] {
        const bool shown = !dialogs.messages.empty() &&
                           dialogs.messages.back().text.rfind("设置文件保存失败！", 0) == 0 &&
                           dialogs.messages.back().title == "系统警告！";
        dialogs.messages.clear();
        return shown;
    };
    dialogs.messages.clear();

    win.dispatch(tool::kMerge);
    EXPECT_TRUE(told()) << "merge toggle";
    EXPECT_EQ(d2->csz[74], "1");

    test::ModalWindowsStub windows;
    win.setModalWindows(&windows);
    windows.onParameterSetup = [](ParameterSetupDialog& dlg) { dlg.ok(); };
    win.dispatch(tool::kParameterSetup);
    EXPECT_TRUE(told()) << "parameter setup";

    d2->newtest = true;
    windows.onProjectInfo = [](ProjectInfoDialog& dlg) {
        dlg.text2[0] = "123456";
        dlg.text2[1] = "1234";
        dlg.text2[5] = "500";
        dlg.ok();
    };
    win.dispatch(tool::kProjectInfo);
    // The parameter setup that follows a new test's information is not run by the stub.
    EXPECT_TRUE(told()) << "project information";

    windows.onPrintOptions = [](PrintOptionsDialog& dlg) { dlg.confirm(); };
    win.dispatch(tool::kPrintOptions);
    EXPECT_TRUE(told()) << "print options";

    ASSERT_TRUE(win.grid.commitEdit(2, 5, "3"));
    EXPECT_EQ(win.files.save(), SaveResult::Saved); // the test itself is saved
    EXPECT_TRUE(told()) << "save";
    EXPECT_FALSE(d2->dirty);
}

} // namespace
} // namespace pyx
