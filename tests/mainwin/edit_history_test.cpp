#include <gtest/gtest.h>

#include <memory>

#include "curves/marks.h"
#include "data/edit_history.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/modal_windows_stub.h"
#include "support/record_files.h"
#include "support/temp_dir.h"
#include "tables/mark_loads.h"

namespace pyx {
namespace {

using test::recordRow;

// Ten stages of 40 kN, five cycles each; the marks on 240 kN (Hcr) and 360 kN (Hu).
std::vector<JlbRec> markedTest()
{
    std::vector<JlbRec> rows;
    for (int stage = 1; stage <= 10; ++stage)
        for (int cycle = 1; cycle <= 5; ++cycle)
            rows.push_back(recordRow("08:30", 40.0f * stage, cycle,
                                     {0.1f * stage, 0.1f * stage, 0.2f * stage, 0.2f * stage, 0, 0, 0, 0}));
    rows[20].cs = 5; // point 5: the sixth stage
    rows[20].cstr.set("Hcr");
    rows[21].cs = 8;
    rows[21].cstr.set("Hu");
    return rows;
}

struct EditHistoryTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    test::ModalWindowsStub windows;
    MainWindow w{*d, dialogs, dir.file("spconfig.sys")};
    TextGrid& g = w.grid;

    void open(const std::vector<JlbRec>& rows, const char* name = "t.pys")
    {
        w.setModalWindows(&windows);
        w.load(1366);
        dialogs.fileNames.push_back(dir.write(name, test::recordFile(rows)));
        w.dispatch("miFOpen");
    }
    std::optional<float> markLoad(int which) { return markLoads(*d, g.rows()).load[which]; }
    // The grid row of the last cycle of the stage at `load`.
    int lastCycleRow(const char* load)
    {
        for (int r = 2; r < g.rows(); ++r)
            if (g.text(r, 1) == load && g.text(r, 3) == "5")
                return r;
        return -1;
    }
    bool toolOn(const char* t) { return w.bar.tool("mnuedit", t)->enabled; }
};

TEST_F(EditHistoryTest, MarksStayOnTheirLoadsWhenRowsAreInsertedOrDeleted)
{
    open(markedTest());
    ASSERT_EQ(markLoad(0), 240.0f);
    ASSERT_EQ(markLoad(1), 360.0f);

    // A copy of the last cycle of 80 kN makes a second point at 80 kN before the marks.
    g.setCurrent(lastCycleRow("80"), 1);
    w.dispatch("miCcryh");
    EXPECT_EQ(markLoad(0), 240.0f);
    EXPECT_EQ(markLoad(1), 360.0f);
    EXPECT_EQ(markIndex(*d, 0), 6.0f);
    EXPECT_TRUE(dialogs.messages.empty());

    // Without the last cycle of 360 kN that load is no stage: Hu is cleared and told.
    g.setCurrent(lastCycleRow("360"), 1);
    w.dispatch("miCscyh");
    EXPECT_EQ(markLoad(0), 240.0f);
    EXPECT_EQ(markIndex(*d, 1), 0.0f);
    EXPECT_EQ(markText(*d, 1).trimmed(), "Hu");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "第二拐点（水平极限荷载）所在的荷载 360 kN 已不是试验的一级荷载，该标记已清除。");
    // The serial numbers close the gap.
    for (int r = 2; r < g.rows(); ++r)
        EXPECT_EQ(g.text(r, 0), std::to_string(r - 1)) << r;

    // The cycle correction makes the copied row a cycle of its own stage again.
    w.dispatch("miCxhs");
    EXPECT_EQ(markLoad(0), 240.0f);
    EXPECT_EQ(markIndex(*d, 0), 5.0f);
}

TEST_F(EditHistoryTest, EveryKindOfChangeIsUndoneAndRedoneAcrossASave)
{
    open(markedTest());
    EXPECT_FALSE(toolOn("miEUndo"));
    EXPECT_FALSE(toolOn("miERedo"));
    std::vector<TestState> states{TestState::of(*d)};
    const auto changed = [&](const char* what) {
        const TestState now = TestState::of(*d);
        ASSERT_FALSE(now == states.back()) << what;
        states.push_back(now);
    };

    ASSERT_TRUE(g.commitEdit(3, 4, "7"));
    changed("cell edit");
    g.setCurrent(5, 1);
    w.dispatch("miCcryh");
    changed("insert");
    g.setCurrent(8, 1);
    w.dispatch("miCscyh");
    changed("delete");
    g.setText(4, 3, "9");
    w.dispatch("miCxhs");
    changed("cycles");
    d->curvekind = CurveKind::Gradient;
    w.dispatch("miCccbj");
    changed("marks");
    windows.onProjectInfo = [](ProjectInfoDialog& dialog) {
        dialog.text2[0] = "新工程";
        dialog.text2[5] = "500";
        dialog.ok();
    };
    w.dispatch("miPprojectInfo");
    changed("project information");
    EXPECT_EQ(w.labels[0], "工程名称：新工程");
    windows.onParameterSetup = [](ParameterSetupDialog& dialog) {
        dialog.gauges[1] = !dialog.gauges[1];
        dialog.ok();
    };
    w.dispatch("miPparameterSetup");
    changed("parameter setup");
    EXPECT_EQ(w.history.undoName(), "参数设置");

    w.dispatch("miFSave");
    EXPECT_FALSE(d->dirty);
    ASSERT_TRUE(toolOn("miEUndo"));

    // Back to the opened test one change at a time, the table shown as it was.
    for (std::size_t k = states.size() - 1; k > 0; --k) {
        w.dispatch("miEUndo");
        EXPECT_TRUE(TestState::of(*d) == states[k - 1]) << k;
        EXPECT_TRUE(d->dirty);
    }
    EXPECT_FALSE(toolOn("miEUndo"));
    EXPECT_EQ(g.text(3, 4), "0.10");
    EXPECT_EQ(g.rows(), 52);
    EXPECT_EQ(w.labels[0], "工程名称：");
    // And forward again.
    for (std::size_t k = 1; k < states.size(); ++k) {
        w.dispatch("miERedo");
        EXPECT_TRUE(TestState::of(*d) == states[k]) << k;
    }
    EXPECT_FALSE(toolOn("miERedo"));
    EXPECT_EQ(w.labels[0], "工程名称：新工程");

    // A new change after an undo drops what could be redone.
    w.dispatch("miEUndo");
    ASSERT_TRUE(g.commitEdit(2, 5, "3"));
    EXPECT_FALSE(w.history.canRedo());
    EXPECT_EQ(w.history.undoName(), "修改数据");
}

TEST_F(EditHistoryTest, OpenAndNewStartAFreshHistory)
{
    open(markedTest());
    ASSERT_TRUE(g.commitEdit(3, 4, "7"));
    EXPECT_TRUE(toolOn("miEUndo"));
    w.dispatch("miFSave");
    EXPECT_TRUE(w.history.canUndo()); // a save keeps the history
    dialogs.fileNames.push_back(d->curfile);
    w.dispatch("miFOpen");
    EXPECT_FALSE(w.history.canUndo());
    EXPECT_FALSE(toolOn("miEUndo"));
    EXPECT_EQ(g.text(3, 4), "7.00");

    ASSERT_TRUE(g.commitEdit(3, 4, "8"));
    dialogs.answers.push_back(MsgAnswer::No); // not saved first
    dialogs.fileNames.push_back(dir.file("new.pys"));
    w.dispatch("miFNew");
    EXPECT_FALSE(w.history.canUndo());
}

TEST(EditHistory, KeepsAtMostItsLimitAndSkipsCommandsThatChangeNothing)
{
    auto d = std::make_unique<TestData>();
    EditHistory h;
    h.reset(*d);
    EXPECT_FALSE(h.record(*d, "nothing"));
    for (std::size_t i = 0; i < EditHistory::kMaxEntries + 5; ++i) {
        d->jlb[0].hz = static_cast<float>(i + 1);
        ASSERT_TRUE(h.record(*d, "edit"));
    }
    EXPECT_EQ(h.size(), EditHistory::kMaxEntries);
    while (h.undo(*d)) {
    }
    EXPECT_EQ(d->jlb[0].hz, 5.0f); // the five oldest changes were dropped
    EXPECT_TRUE(h.redo(*d));
    EXPECT_EQ(d->jlb[0].hz, 6.0f);
}

} // namespace
} // namespace pyx
