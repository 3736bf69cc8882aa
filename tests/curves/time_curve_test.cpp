#include <gtest/gtest.h>

#include <memory>

#include "curve_ops.h"
#include "curves/time_curve.h"

namespace pyx {
namespace {

using test::findText;
using test::lines;
using test::texts;

struct TimeCurveTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    RecordingCanvas canvas;

    TimeCurveTest()
    {
        d->curfile = "t.pys";
        d->kz3 = "40";
        d->nstage = 10;
        d->ystep = 1;
    }
    void addRecord(float hz, int xh, float loaded, float unloaded)
    {
        JlbRec& r = d->jlbp[d->jlbn++];
        r.hz = hz;
        r.xh = static_cast<std::int16_t>(xh);
        r.ds[dispLoading] = loaded;
        r.ds[dispUnloading] = unloaded;
    }
    const Drawing& draw(CurveTarget target = CurveTarget::Screen)
    {
        drawTimeCurve(canvas, *d, target);
        return canvas.ops();
    }
    // Axis lines, displacement ticks, stage separators and the four strokes of every stage.
    std::size_t frameLines() const { return 3 + 51 + (d->nstage - 1) + 4 * d->nstage; }
};

TEST_F(TimeCurveTest, StartsWithTheFrameAndTheTextSetUp)
{
    const Drawing& ops = draw();
    ASSERT_GE(ops.size(), 11u);
    EXPECT_EQ(ops[0].op, "clear");
    EXPECT_EQ(ops[1], (CanvasOp{"window", {-150.0, 1300.0, 1200.0, -1300.0}}));
    EXPECT_EQ(ops[4], (CanvasOp{"fontName", {std::string("Tahoma")}}));
    EXPECT_EQ(ops[5], (CanvasOp{"fontSize", {32.0}}));
    EXPECT_EQ(ops[9], (CanvasOp{"textAlign", {1.0}}));
    const auto t = texts(ops);
    ASSERT_NE(findText(t, "时间 t (h)"), nullptr);
    EXPECT_EQ(findText(t, "时间 t (h)")->x, 1060);
    EXPECT_EQ(findText(t, "Y0(mm)")->y, -10);
    EXPECT_EQ(lines(ops).front().y1, -15);
}

TEST_F(TimeCurveTest, TimeLabelsStandEveryTwoStagesUpToTheAxisEnd)
{
    d->nstage = 5;
    auto t = texts(draw());
    ASSERT_NE(findText(t, "1"), nullptr);
    EXPECT_EQ(findText(t, "1")->x, 400);
    EXPECT_EQ(findText(t, "2")->x, 800);
    EXPECT_EQ(findText(t, "2")->y, 1142);
    EXPECT_EQ(findText(t, "3"), nullptr);

    d->nstage = 7;
    t = texts(draw());
    EXPECT_NE(findText(t, "3"), nullptr);
    EXPECT_EQ(findText(t, "4"), nullptr); // x = 1142.9 lies past the axis
    EXPECT_NE(test::indexOf(canvas.ops(), "textX", {8000.0 / 7}), canvas.ops().size());
}

TEST_F(TimeCurveTest, DisplacementLabelsGrowDownwardsFromTheTimeAxis)
{
    d->ystep = 2.78f;
    const auto t = texts(draw());
    ASSERT_NE(findText(t, "27.80"), nullptr);
    EXPECT_EQ(findText(t, "27.80")->y, 15);
    EXPECT_EQ(findText(t, "0.00")->y, 1015);

    // A zero step is drawn as 1 and left as it is.
    d->ystep = 0;
    ASSERT_NE(findText(texts(draw()), "10.00"), nullptr);
    EXPECT_EQ(d->ystep, 0.0f);
}

TEST_F(TimeCurveTest, LoadStripShowsEveryStageColumn)
{
    d->jlbn = 0;
    d->kz3 = "25";
    auto t = texts(draw());
    ASSERT_NE(findText(t, "2.5"), nullptr);
    EXPECT_DOUBLE_EQ(findText(t, "2.5")->x, 100.0 / 4 + 6);
    EXPECT_EQ(findText(t, "2.5")->y, 1040);
    EXPECT_NE(findText(t, "25.0"), nullptr);

    d->nstage = 20; // narrow columns: the load moves closer to the symbol
    t = texts(draw());
    EXPECT_DOUBLE_EQ(findText(t, "2.5")->x, 50.0 / 4 + 3);
    EXPECT_NE(findText(t, "50.0"), nullptr);
}

TEST_F(TimeCurveTest, NoRecordsOrNoTestDrawsTheAxesOnly)
{
    EXPECT_EQ(lines(draw()).size(), frameLines());
    d->curfile.clear();
    addRecord(40, 1, 1, 0.5f);
    EXPECT_EQ(lines(draw()).size(), frameLines());
    d->curfile = "t.pys";
    d->kz3 = "0";
    EXPECT_EQ(lines(draw()).size(), frameLines());
}

TEST_F(TimeCurveTest, CyclesFormASawToothFromTheOrigin)
{
    addRecord(40, 1, 5, 2);
    addRecord(40, 2, 6, 3);
    const auto l = lines(draw());
    ASSERT_EQ(l.size(), frameLines() + 4);
    const auto* c = &l[frameLines()];
    const double w = 1000.0 / 50;
    EXPECT_EQ(c[0].x1, 0);
    EXPECT_EQ(c[0].y1, 1000);
    EXPECT_DOUBLE_EQ(c[0].x2, (2.0 / 3) * w);
    EXPECT_FLOAT_EQ(c[0].y2, 500);
    EXPECT_DOUBLE_EQ(c[1].x2, w);
    EXPECT_FLOAT_EQ(c[1].y2, 800);
    EXPECT_DOUBLE_EQ(c[2].x1, w);
    EXPECT_DOUBLE_EQ(c[2].x2, (1 + 2.0 / 3) * w);
    EXPECT_FLOAT_EQ(c[3].y2, 700);
}

TEST_F(TimeCurveTest, HalfIncrementsRoundToTheEvenStage)
{
    addRecord(100, 1, 1, 1); // 2.5 increments: stage 2
    addRecord(140, 1, 1, 1); // 3.5 increments: stage 4
    const auto l = lines(draw());
    ASSERT_EQ(l.size(), frameLines() + 4);
    EXPECT_DOUBLE_EQ(l[frameLines()].x2, 100 + (2.0 / 3) * 20);
    EXPECT_DOUBLE_EQ(l[frameLines() + 2].x2, 300 + (2.0 / 3) * 20);
}

TEST_F(TimeCurveTest, ManyStageColumnsNeedNoSixteenBitProducts)
{
    d->nstage = 40;
    addRecord(40 * 40, 5, 1, 1);
    const Drawing& ops = draw();
    const auto t = texts(ops);
    ASSERT_NE(findText(t, "20"), nullptr);
    EXPECT_EQ(findText(t, "20")->x, 1000);
    const auto l = lines(ops);
    EXPECT_DOUBLE_EQ(l.back().x2, 975 + 25);
}

TEST_F(TimeCurveTest, PageDrawingHasATitleAndWiderCaptions)
{
    const auto t = texts(draw(CurveTarget::Page));
    ASSERT_NE(findText(t, "下表 H0-t-Y0曲线"), nullptr);
    EXPECT_EQ(findText(t, "下表 H0-t-Y0曲线")->x, 450);
    EXPECT_EQ(findText(t, "时间 t (h)")->x, 1080);
    EXPECT_EQ(findText(t, "H0(10kN)")->x, 1080);
}

} // namespace
} // namespace pyx
