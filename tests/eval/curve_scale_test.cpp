#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "eval/curve_scale.h"

namespace pyx {
namespace {

struct CurveScaleTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();

    // Rows with evaluated loading/unloading displacements and raw lower-gauge readings.
    void rows(const std::vector<std::array<float, 2>>& disp, float lowerGauge = 0)
    {
        for (std::size_t i = 0; i < disp.size(); ++i) {
            d->jlb[i].hz = 10.0f * (i + 1);
            d->jlb[i].ds[2] = lowerGauge;
            d->jlb[i].ds[3] = lowerGauge;
            d->jlbp[i].ds[dispLoading] = disp[i][0];
            d->jlbp[i].ds[dispUnloading] = disp[i][1];
        }
        d->jlb[disp.size()].hz = kEndLoad;
    }
};

TEST_F(CurveScaleTest, StepGrowsWithTheRowsThatExceedTenSteps)
{
    d->csz[12] = "0";
    d->csz[13] = "0";
    const std::vector<std::array<float, 2>> all{{5, 1}, {15, 4}, {25, 9}};
    const float expected[] = {1.0f, 1.67f, 2.78f};
    for (std::size_t n = 1; n <= all.size(); ++n) {
        rows({all.begin(), all.begin() + static_cast<long>(n)});
        genXY(*d);
        EXPECT_FLOAT_EQ(d->ystep, expected[n - 1]) << "after row " << n;
    }
    EXPECT_FLOAT_EQ(d->gmax, 25);
}

TEST_F(CurveScaleTest, SmallDisplacementsKeepTheMinimumScales)
{
    rows({{3.5f, 1}, {8.25f, 9.5f}, {2, 1}});
    genXY(*d);
    EXPECT_FLOAT_EQ(d->ystep, 1);
    EXPECT_FLOAT_EQ(d->gmax, 9.5f);

    rows({{0.05f, 0.01f}, {0.1f, 0.02f}});
    genXY(*d);
    EXPECT_FLOAT_EQ(d->ystep, 1);
    EXPECT_FLOAT_EQ(d->gmax, 0.2f);
}

TEST_F(CurveScaleTest, EmptyTableLeavesTheStartScales)
{
    d->ystep = 7;
    d->gmax = 7;
    rows({});
    genXY(*d);
    EXPECT_FLOAT_EQ(d->ystep, 0.1f);
    EXPECT_FLOAT_EQ(d->gmax, 0.2f);
}

TEST_F(CurveScaleTest, RawLowerGaugeInUseGivesAWholeStep)
{
    d->csz[12] = "1";
    d->csz[13] = "0";
    rows({{2, 1}}, 50); // 50 / 9 = 5.56 shown "#0": 6
    genXY(*d);
    EXPECT_FLOAT_EQ(d->ystep, 6);
    d->csz[12] = "0";
    genXY(*d);
    EXPECT_FLOAT_EQ(d->ystep, 1);
}

TEST_F(CurveScaleTest, NonFiniteDisplacementsLeaveTheStepAlone)
{
    rows({{std::numeric_limits<float>::quiet_NaN(), 15}, {std::numeric_limits<float>::infinity(), 2}});
    genXY(*d);
    EXPECT_FLOAT_EQ(d->ystep, 1.67f);
}

TEST_F(CurveScaleTest, DisplayRedrawsTheCurveShownAndKeepsFixedScales)
{
    rows({{25, 9}});
    int qs = 0;
    int lg = 0;
    const CurveDrawers drawers{[&] { ++qs; }, [&] { ++lg; }};

    d->curvekind = CurveKind::Time;
    display(*d, drawers);
    EXPECT_EQ(qs, 1);
    EXPECT_EQ(lg, 0);
    EXPECT_FLOAT_EQ(d->ystep, 2.78f);

    d->curvekind = CurveKind::Gradient;
    d->yfix = true;
    d->ystep = 0.5f;
    d->gmax = 3;
    display(*d, drawers);
    EXPECT_EQ(qs, 1);
    EXPECT_EQ(lg, 1);
    EXPECT_FLOAT_EQ(d->ystep, 0.5f);
    EXPECT_FLOAT_EQ(d->gmax, 3);

    display(*d, CurveDrawers{}); // nothing registered yet
}

} // namespace
} // namespace pyx
