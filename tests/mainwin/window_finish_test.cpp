// The main window's files, help, print key and the texts it shows beside the tables.
#include <gtest/gtest.h>

#include <memory>

#include "curves/mark_loads.h"
#include "curves/marks.h"
#include "mainwin/command_names.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/modal_windows_stub.h"
#include "support/record_files.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

struct WindowFinishTest : ::testing::Test
{
    test::TempDir dir;
    std::string settings = dir.file("cfg/spconfig.sys");
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>(*d, dialogs, settings);
    test::ModalWindowsStub windows;

    WindowFinishTest()
    {
        w->keepRecentFiles();
        w->setModalWindows(&windows);
        w->load(1366);
    }

    // Five stages of 50 kN, five cycles each.
    std::string sampleFile(const std::string& name)
    {
        std::vector<JlbRec> rows;
        for (int i = 0; i < 5; ++i)
            for (int c = 1; c <= 5; ++c) {
                const float y = 0.5f * static_cast<float>((i + 1) * (i + 1)) + 0.01f * static_cast<float>(c);
                const std::string time = "1" + std::to_string(i) + ":0" + std::to_string(c);
                rows.push_back(test::recordRow(time.c_str(), 50.0f * static_cast<float>(i + 1), c,
                                               {y, y, y, y, 0.1f, 0.1f, 0.1f, 0.1f}));
            }
        return dir.write(name, test::recordFile(rows, {{0, "某工程"}, {1, "S1"}, {5, "500"}}));
    }
    void open(const std::string& path)
    {
        dialogs.fileNames.push_back(path);
        w->dispatch(tool::kOpen);
    }
};

TEST_F(WindowFinishTest, TheOpenDialogOffersTheTestFilesFirstAndStartsInTheLastFolder)
{
    open(sampleFile("a.pys"));
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileDialogRequest& first = dialogs.fileRequests[0];
    EXPECT_EQ(first.filter,
              "试验文件|*.pys;*.pyx;*.pyw|记录仪文件|*.pyx;*.pyw|All files(*.*)|*.*|pys| *.pys");
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_EQ(first.fileName, ""); // nothing opened before

    int told = 0;
    w->recentChanged = [&] { ++told; };
    open(sampleFile("b.pys"));
    EXPECT_EQ(dialogs.fileRequests.back().fileName, dir.file("")); // the folder of a.pys, with its slash
    EXPECT_EQ(told, 1);
    EXPECT_EQ(w->recent.entries(), (std::vector<std::string>{dir.file("b.pys"), dir.file("a.pys")}));

    // A cancelled or failed open is not listed.
    open(dir.write("junk.bin", "abc"));
    EXPECT_EQ(w->recent.entries().size(), 2u);
    // The next run finds the list.
    MainWindow again(*d, dialogs, settings);
    EXPECT_TRUE(again.recent.entries().empty()); // the command line keeps no list
    again.keepRecentFiles();
    EXPECT_EQ(again.recent.entries().front(), dir.file("b.pys"));
}

TEST_F(WindowFinishTest, ARecentFileOpensAndAMissingOneIsToldAndLeavesTheList)
{
    const std::string a = sampleFile("a.pys");
    open(a);
    const std::string gone = sampleFile("gone.pys");
    open(gone);
    std::remove(gone.c_str());
    open(sampleFile("c.pys"));

    w->openRecent(a);
    EXPECT_EQ(d->curfile, a);
    EXPECT_EQ(w->recent.entries().front(), a);

    const std::size_t messages = dialogs.messages.size();
    w->openRecent(gone);
    ASSERT_EQ(dialogs.messages.size(), messages + 1);
    EXPECT_EQ(dialogs.messages.back().text, "文件不存在：" + gone);
    EXPECT_EQ(d->curfile, a); // the open test stays
    EXPECT_EQ(w->recent.entries(), (std::vector<std::string>{a, dir.file("c.pys")}));
}

TEST_F(WindowFinishTest, HelpPrintAndTheToolThatHasNoCommand)
{
    // 参数 → 数据设置 has no command, so it is not offered.
    EXPECT_FALSE(w->bar.tool(band::kParameter, tool::kDataSetup)->visible);
    w->menuinfo();
    EXPECT_FALSE(w->bar.tool(band::kParameter, tool::kDataSetup)->visible);

    const Tool* guide = w->bar.tool(band::kHelp, tool::kUserGuide);
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->caption, "使用说明");
    EXPECT_EQ(guide->shortcut, ToolShortcut::Help);
    EXPECT_EQ(w->bar.band(band::kHelp)->tools.back().name, tool::kAbout);
    w->dispatch(tool::kUserGuide);

    w->print(); // no test: nothing to print
    open(sampleFile("a.pys"));
    w->print();
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"userGuide", "print"}));
}

TEST_F(WindowFinishTest, ARefusalReasonGoesWithAnotherTableOrTest)
{
    open(sampleFile("a.pys"));
    std::vector<std::string> shown;
    w->editor.refusalChanged = [&](const std::string& reason) { shown.push_back(reason); };
    EXPECT_FALSE(w->grid.commitEdit(2, 2, "24:00"));
    EXPECT_EQ(w->editor.refusal(), "小时应为 00 至 23");
    open(sampleFile("b.pys"));
    EXPECT_EQ(w->editor.refusal(), "");

    EXPECT_FALSE(w->grid.commitEdit(2, 2, "24:00"));
    w->dispatch(tool::kSummary);
    EXPECT_EQ(w->editor.refusal(), "");

    w->dispatch(tool::kRecordTable);
    EXPECT_FALSE(w->grid.commitEdit(2, 2, "24:00"));
    w->dispatch(tool::kNew); // the new file's name is not given: cancelled, the reason stays
    dialogs.fileNames.push_back(dir.file("new.pys"));
    w->dispatch(tool::kNew);
    EXPECT_EQ(w->editor.refusal(), "");
    EXPECT_EQ(shown, (std::vector<std::string>{"小时应为 00 至 23", "", "小时应为 00 至 23", "",
                                               "小时应为 00 至 23", ""}));
}

TEST_F(WindowFinishTest, TheMarksReadInKilonewtons)
{
    open(sampleFile("a.pys"));
    const std::vector<float> loads = gradientStageLoads(*d, w->grid.rows());
    ASSERT_EQ(loads, (std::vector<float>{50, 100, 150, 200, 250}));
    EXPECT_EQ(marksSummary(*d, loads), "");

    markIndex(*d, 0) = 2; // stage 3
    markText(*d, 0).set("Hcr");
    EXPECT_EQ(marksSummary(*d, loads), "Hcr = 150 kN（第3级）");
    markIndex(*d, 1) = 4;
    markText(*d, 1).set("");
    EXPECT_EQ(marksSummary(*d, loads), "Hcr = 150 kN（第3级）    Hu = 250 kN（第5级）");
    markIndex(*d, 1) = 9; // beyond the curve's points: not shown
    EXPECT_EQ(marksSummary(*d, loads), "Hcr = 150 kN（第3级）");

    // The mark dialog shows the load of the stage typed beside its number.
    EXPECT_EQ(stageLoadText(loads, "3"), "150 kN");
    for (const char* none : {"", "0", "6", "2.5", "abc", "-1"})
        EXPECT_EQ(stageLoadText(loads, none), "") << none;
    windows.onMark = [](MarkDialog& dialog) {
        dialog.text[0] = "2";
        EXPECT_EQ(dialog.stageLoad(0), "100 kN");
        EXPECT_EQ(dialog.stageLoad(1), ""); // mark 2 at 9 + 1 = 10: no such stage
    };
    w->dispatch(tool::kGradientCurve);
    w->dispatch(tool::kMark);
    EXPECT_EQ(windows.opened.back(), "mark");
}

} // namespace
} // namespace pyx
