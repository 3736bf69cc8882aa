#include <gtest/gtest.h>

#include <memory>

#include "curve_ops.h"
#include "curves/gradient_curve.h"

namespace pyx {
namespace {

using test::findText;
using test::indexOf;
using test::lines;
using test::texts;

struct GradientCurveTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    RecordingCanvas canvas;
    GradPoints gpts{};
    int gridRows = 40;

    GradientCurveTest()
    {
        d->curfile = "t.pys";
        d->kz3 = "40";
        d->nstage = 10;
        d->ystep = 1;
        d->gmax = 10;
    }
    // One stage of five cycles whose last loaded reading is `last`.
    void addStage(float hz, float last)
    {
        for (int c = 1; c <= 5; ++c) {
            JlbRec& r = d->jlbp[d->jlbn++];
            r.hz = hz;
            r.xh = static_cast<std::int16_t>(c);
            r.ds[dispLoading] = c == 5 ? last : last / 2;
        }
    }
    const Drawing& draw(CurveTarget target = CurveTarget::Screen)
    {
        drawGradientCurve(canvas, *d, gridRows, gpts, target);
        return canvas.ops();
    }
    void mark(int which, float index, const char* text)
    {
        markIndex(*d, which) = index;
        markText(*d, which).set(text);
    }
    // Lines drawn in bright red.
    std::vector<test::Segment> redLines()
    {
        const Drawing& ops = canvas.ops();
        const std::size_t red = indexOf(ops, "penColor", {255.0, 0.0, 0.0});
        return red == ops.size() ? std::vector<test::Segment>{} : lines(ops, red);
    }
};

TEST_F(GradientCurveTest, LoadLabelsStandAtEverySecondStage)
{
    d->nstage = 5;
    const auto t = texts(draw());
    ASSERT_NE(findText(t, "0.0"), nullptr);
    EXPECT_EQ(findText(t, "0.0")->x, 0);
    EXPECT_EQ(findText(t, "8.0")->x, 400);
    EXPECT_EQ(findText(t, "16.0")->x, 800);
    EXPECT_EQ(findText(t, "16.0")->y, 20);
    EXPECT_EQ(findText(t, "24.0"), nullptr);
    // Gradient labels: the full scale over the increment, in mm/kN.
    EXPECT_EQ(findText(t, "0.25")->y, 1065);
    EXPECT_EQ(findText(t, "0.05")->y, 265);
}

TEST_F(GradientCurveTest, FirstPointIsTheFifthRecordOrTheLastOfAShortTable)
{
    addStage(40, 2);
    addStage(80, 5);
    draw();
    EXPECT_FLOAT_EQ(gpts[0].x, 100);
    EXPECT_FLOAT_EQ(gpts[0].y, 2 * 100 + 50);
    EXPECT_FLOAT_EQ(gpts[1].x, 200);
    EXPECT_FLOAT_EQ(gpts[1].y, 3 * 100 + 50);
    EXPECT_EQ(lines(canvas.ops()).back().x1, 100);
    EXPECT_EQ(test::countOps(canvas.ops(), "circle"), 2u);

    gridRows = 6; // a short table in the grid: the curve starts at the last record
    draw();
    EXPECT_FLOAT_EQ(gpts[0].x, 200);
    EXPECT_FLOAT_EQ(gpts[0].y, 5 * 100 + 50);
    EXPECT_FLOAT_EQ(gpts[1].y, 50); // the later stages follow as before
    EXPECT_FLOAT_EQ(gpts[2].x, 0);
}

TEST_F(GradientCurveTest, GainsAboveFullScaleStopAtTheTopButNotBelowTheAxis)
{
    addStage(40, 2);
    addStage(80, 20); // gain 18 mm > gmax
    addStage(120, 5); // negative gain
    draw();
    EXPECT_FLOAT_EQ(gpts[1].y, 1000);
    EXPECT_FLOAT_EQ(gpts[2].y, -15 * 100 + 50);
}

TEST_F(GradientCurveTest, FewGridRowsOrNoTestDrawTheAxesOnly)
{
    addStage(40, 2);
    gpts[3] = {5, 5};
    gridRows = 2;
    draw();
    EXPECT_EQ(test::countOps(canvas.ops(), "circle"), 0u);
    EXPECT_FLOAT_EQ(gpts[3].x, 0); // no stale points to pick
    gridRows = 40;
    d->curfile.clear();
    draw();
    EXPECT_EQ(test::countOps(canvas.ops(), "circle"), 0u);
}

TEST_F(GradientCurveTest, MarkLinesReachPastTheirPoints)
{
    for (int s = 1; s <= 5; ++s)
        addStage(40.0f * s, 1.0f * s * s); // gains 1, 3, 5, 7, 9 after the first point
    mark(0, 1, "Hcr");
    mark(1, 3, "Hu");
    draw();
    const auto red = redLines();
    ASSERT_EQ(red.size(), 5u);
    const GradPoint m1 = gpts[1], m2 = gpts[3], e = gpts[4];
    const double s1 = (m1.y - 50.0) / m1.x;
    EXPECT_DOUBLE_EQ(red[0].x1, 0);
    EXPECT_DOUBLE_EQ(red[0].y1, 50);
    EXPECT_DOUBLE_EQ(red[0].x2, m1.x + 100.0 / 3);
    EXPECT_DOUBLE_EQ(red[0].y2, m1.y + 25 * s1);
    EXPECT_DOUBLE_EQ(red[1].x1, m1.x); // dotted drop to the load axis
    EXPECT_DOUBLE_EQ(red[1].y2, 50);
    const double s2 = (static_cast<double>(m2.y) - m1.y) / (static_cast<double>(m2.x) - m1.x);
    EXPECT_DOUBLE_EQ(red[2].x1, m1.x - 100.0 / 3);
    EXPECT_DOUBLE_EQ(red[2].y1, m1.y - 25 * s2);
    EXPECT_DOUBLE_EQ(red[2].x2, m2.x + 100.0 / 3);
    const double s3 = (static_cast<double>(e.y) - m2.y) / (static_cast<double>(e.x) - m2.x);
    EXPECT_DOUBLE_EQ(red[4].x1, m2.x - 100.0 / 3);
    EXPECT_DOUBLE_EQ(red[4].y2, e.y + 25 * s3);
    const auto t = texts(canvas.ops());
    EXPECT_DOUBLE_EQ(findText(t, "Hcr")->y, m1.y + 45);
    EXPECT_DOUBLE_EQ(findText(t, "Hu")->y, m2.y + 50);
    EXPECT_EQ(canvas.ops().back().op, "text"); // black again before the last text
    EXPECT_EQ(canvas.ops()[canvas.ops().size() - 4], (CanvasOp{"penColor", {0.0, 0.0, 0.0}}));
}

TEST_F(GradientCurveTest, SecondMarkWithoutTheFirstDrawsNoLines)
{
    addStage(40, 1);
    addStage(80, 3);
    mark(1, 1, "Hu");
    draw();
    EXPECT_TRUE(redLines().empty());
    EXPECT_EQ(findText(texts(canvas.ops()), "Hu"), nullptr);
}

TEST_F(GradientCurveTest, MarksOnEmptyEntriesUseTheOrigin)
{
    addStage(40, 2); // exactly five records: one point
    mark(0, 2, "Hcr");
    draw();
    const auto red = redLines();
    ASSERT_EQ(red.size(), 1u); // same x as the start: no slope line, only the drop
    EXPECT_EQ(red[0].x1, 0);
    EXPECT_EQ(red[0].y1, 0);
    EXPECT_EQ(red[0].y2, 50);
    EXPECT_EQ(findText(texts(canvas.ops()), "Hcr")->y, 45);

    mark(0, 40, "Hcr"); // outside the point list: no mark
    draw();
    EXPECT_TRUE(redLines().empty());
}

TEST_F(GradientCurveTest, PageDrawingHasATitleAndNoDrawStyle)
{
    addStage(40, 2);
    draw(CurveTarget::Page);
    EXPECT_NE(findText(texts(canvas.ops()), "下表 H0--△Y0/△H0 曲线"), nullptr);
    EXPECT_EQ(test::countOps(canvas.ops(), "drawStyle"), 0u);
    draw();
    EXPECT_EQ(test::countOps(canvas.ops(), "drawStyle"), 1u);
}

} // namespace
} // namespace pyx
