#include <gtest/gtest.h>

#include <memory>

#include "curve_ops.h"
#include "curves/printed_curve.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

// The curve panel as the main window wires it: a test of six stages is open.
struct CurvePanelTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>(*d, dialogs, dir.file("spconfig.sys"));
    CurvePanel& panel = w->curves;
    std::vector<std::string> popups;
    int dialogRuns = 0;
    std::function<void(MarkDialog&)> inDialog = [](MarkDialog&) {};

    CurvePanelTest()
    {
        w->load(1366);
        d->curfile = "t.pys";
        d->kz3 = "40";
        d->nstage = 10;
        d->gmax = 10;
        d->jlbn = 0;
        for (int s = 1; s <= 6; ++s)
            for (int c = 1; c <= 5; ++c) {
                JlbRec& r = d->jlbp[d->jlbn++];
                r.hz = 40.0f * s;
                r.xh = static_cast<std::int16_t>(c);
                r.ds[dispLoading] = 1.0f * s;
            }
        panel.hooks.popupMarks = [this] { popups.push_back("marks"); };
        panel.hooks.runMarkDialog = [this](MarkDialog& dlg) {
            ++dialogRuns;
            inDialog(dlg);
        };
    }
    void hoverOver(int point)
    {
        panel.mouseMove(panel.gpts[point].x + 1, panel.gpts[point].y - 1);
        ASSERT_TRUE(panel.hover.hit);
    }
    bool saveEnabled() const { return w->bar.tool("barStandard", "miFSave")->enabled; }
};

TEST_F(CurvePanelTest, ToolsDrawTheCurvesAndDisplayRedrawsTheOneShown)
{
    w->dispatch("miCh0y");
    EXPECT_EQ(w->label18, "下表 H0--△Y0/△H0 曲线");
    EXPECT_EQ(d->curvekind, CurveKind::Gradient);
    EXPECT_TRUE(w->bar.tool("mnuChart", "miCBJ")->visible);
    EXPECT_FLOAT_EQ(panel.gpts[5].x, 600);

    d->yfix = true; // keep the scales: only the redraw is seen
    d->gmax = 5;
    w->display();
    EXPECT_NE(test::findText(test::texts(panel.surface.ops()), "0.13"), nullptr); // 5 mm / 40 kN

    w->dispatch("miCh0t");
    EXPECT_EQ(w->label18, "下表 H0-t-Y0曲线");
    EXPECT_EQ(d->curvekind, CurveKind::Time);
    EXPECT_FALSE(w->bar.tool("mnuChart", "miCBJ")->visible);
    const std::size_t before = panel.surface.ops().size();
    w->display();
    EXPECT_EQ(panel.surface.ops().size(), before);
    EXPECT_NE(test::findText(test::texts(panel.surface.ops()), "时间 t (h)"), nullptr);
}

TEST_F(CurvePanelTest, HoverSetsTheCrossOnlyOnTheGradientCurve)
{
    w->dispatch("miCh0y");
    hoverOver(2);
    EXPECT_EQ(panel.hover.point, 2);
    EXPECT_EQ(panel.surface.mousePointer(), MousePointer::Cross);
    panel.mouseMove(500, 900);
    EXPECT_FALSE(panel.hover.hit);
    EXPECT_EQ(panel.surface.mousePointer(), MousePointer::Arrow);

    hoverOver(3);
    w->dispatch("miCh0t");
    panel.mouseMove(500, 900); // ignored on the H0-t-Y0 curve
    EXPECT_TRUE(panel.hover.hit);
}

TEST_F(CurvePanelTest, ClickMarksTheHoveredPointAndFlagsTheChange)
{
    w->dispatch("miCh0y");
    EXPECT_FALSE(saveEnabled());
    hoverOver(2);
    panel.click();
    EXPECT_EQ(markIndex(*d, 0), 2);
    EXPECT_TRUE(d->dirty);
    EXPECT_TRUE(saveEnabled());
    EXPECT_NE(test::findText(test::texts(panel.surface.ops()), "Hcr"), nullptr);

    hoverOver(4);
    w->dispatch("miCh0t"); // the hovered point is kept while the other curve is shown
    panel.click();
    EXPECT_EQ(markIndex(*d, 1), 4);
    EXPECT_EQ(d->curvekind, CurveKind::Gradient);
}

TEST_F(CurvePanelTest, RightButtonPopsUpTheMarkMenuOnTheGradientCurve)
{
    w->dispatch("miCh0t");
    panel.mouseDown(kRightButton);
    EXPECT_TRUE(popups.empty());
    w->dispatch("miCh0y");
    panel.mouseDown(1);
    panel.mouseDown(kRightButton);
    EXPECT_EQ(popups, std::vector<std::string>{"marks"});
}

TEST_F(CurvePanelTest, MarkCommandAsksAboutTheHoveredPoint)
{
    w->dispatch("miCh0y");
    hoverOver(3);
    dialogs.answers = {MsgAnswer::Cancel};
    w->dispatch("miCBJ");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "在当前位置标记？");
    EXPECT_EQ(dialogs.messages[0].title, "提示！");
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(dialogRuns, 0);

    // Yes stores the point when the dialog opens; leaving with Exit keeps it, redrawn and flagged.
    dialogs.answers = {MsgAnswer::Yes};
    w->dispatch("miCBJ");
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_EQ(markIndex(*d, 0), 3);
    EXPECT_TRUE(d->dirty);
    EXPECT_TRUE(saveEnabled());
    const Drawing& ops = panel.surface.ops();
    EXPECT_NE(test::indexOf(ops, "penColor", {255.0, 0.0, 0.0}), ops.size());
}

TEST_F(CurvePanelTest, MarkDialogOkStoresAndRedraws)
{
    w->dispatch("miCh0y");
    panel.mouseMove(900, 900);
    inDialog = [](MarkDialog& dlg) {
        dlg.text = {"3", "5", "Hcr", "Hu"};
        dlg.ok();
    };
    w->dispatch("miCBJ");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(markIndex(*d, 0), 2);
    EXPECT_EQ(markIndex(*d, 1), 4);
    EXPECT_NE(test::findText(test::texts(panel.surface.ops()), "Hu"), nullptr);
    EXPECT_TRUE(d->dirty);

    d->dirty = false;
    inDialog = [](MarkDialog&) {}; // Exit with nothing stored
    w->dispatch("miCBJ");
    EXPECT_FALSE(d->dirty);

    w->dispatch("miCh0t");
    w->dispatch("miCBJ"); // only on the gradient curve
    EXPECT_EQ(dialogRuns, 2);
}

TEST_F(CurvePanelTest, ClearMarksKeepsTheTexts)
{
    markIndex(*d, 0) = 2;
    markIndex(*d, 1) = 4;
    markText(*d, 1).set("Hu");
    w->dispatch("miCh0y");
    w->dispatch("miCccbj");
    EXPECT_EQ(markIndex(*d, 0), 0);
    EXPECT_EQ(markIndex(*d, 1), 0);
    EXPECT_EQ(markText(*d, 1).trimmed(), "Hu");
    EXPECT_EQ(test::findText(test::texts(panel.surface.ops()), "Hu"), nullptr);
    EXPECT_TRUE(d->dirty);
    EXPECT_TRUE(saveEnabled());
}

TEST_F(CurvePanelTest, ScaleBarStepsTheShownCurvesScale)
{
    w->dispatch("miCh0t");
    d->ystep = 1.0f;
    panel.scaleScrolled(51);
    EXPECT_FLOAT_EQ(d->ystep, 1.1f);
    EXPECT_EQ(d->ymax0, 51);
    EXPECT_TRUE(d->yfix);
    EXPECT_TRUE(saveEnabled());
    panel.scaleScrolled(52);
    panel.scaleScrolled(40);
    EXPECT_FLOAT_EQ(d->ystep, 1.1f);
    d->ystep = 0.15f;
    panel.scaleScrolled(39);
    EXPECT_FLOAT_EQ(d->ystep, 0.1f);
    EXPECT_EQ(panel.scaleRange().value, 39);

    w->dispatch("miCh0y");
    d->gmax = 0.08f;
    panel.scaleScrolled(38);
    EXPECT_FLOAT_EQ(d->gmax, 0.05f);
    panel.scaleScrolled(60);
    EXPECT_FLOAT_EQ(d->gmax, 0.1f);
    EXPECT_FLOAT_EQ(d->ystep, 0.1f);
}

TEST_F(CurvePanelTest, StageBarSetsTheColumnsOfTheTimeCurve)
{
    w->dispatch("miCh0t");
    panel.stageScrolled(7);
    EXPECT_EQ(d->nstage, 7);
    EXPECT_TRUE(d->yfix);
    EXPECT_TRUE(d->dirty);
    EXPECT_EQ(test::findText(test::texts(panel.surface.ops()), "4"), nullptr);
    EXPECT_EQ(panel.stageRange().value, 7);
    EXPECT_EQ(panel.stageRange().min, 1);

    w->dispatch("miCh0y");
    panel.stageScrolled(12);
    EXPECT_EQ(d->nstage, 7);
    EXPECT_EQ(d->curvekind, CurveKind::Gradient);
}

} // namespace
} // namespace pyx

namespace pyx {
namespace {

TEST_F(CurvePanelTest, PaperDrawingsChangeNeitherTheTestNorTheScreen)
{
    d->jlb[20].cs = 2;
    d->jlb[20].cstr.set("Hcr");
    d->ystep = 0;
    d->gmax = 0;
    w->dispatch("miCh0y");
    const Drawing screen = panel.surface.ops();
    const GradPoints points = panel.gpts;
    const auto before = std::make_unique<TestData>(*d);

    const Drawing time = printedCurve(*d, PrintedCurve::Time, w->grid.rows());
    const Drawing gradient = printedCurve(*d, PrintedCurve::Gradient, w->grid.rows());
    EXPECT_EQ(printedCurve(*d, PrintedCurve::Time, w->grid.rows()), time);
    EXPECT_EQ(printedCurve(*d, PrintedCurve::Gradient, w->grid.rows()), gradient);
    EXPECT_TRUE(*d == *before);
    EXPECT_EQ(d->curvekind, CurveKind::Gradient);
    EXPECT_EQ(panel.surface.ops(), screen);
    for (int i = 0; i < kGradPointCount; ++i)
        EXPECT_TRUE(panel.gpts[i].x == points[i].x && panel.gpts[i].y == points[i].y) << i;

    // The page variants carry their titles; the marked point is drawn as on screen.
    ASSERT_NE(test::findText(test::texts(time), "下表 H0-t-Y0曲线"), nullptr);
    ASSERT_NE(test::findText(test::texts(gradient), "下表 H0--△Y0/△H0 曲线"), nullptr);
    EXPECT_NE(test::findText(test::texts(gradient), "Hcr"), nullptr);
    // Hovering still picks from the curve on screen.
    hoverOver(2);
}

} // namespace
} // namespace pyx
