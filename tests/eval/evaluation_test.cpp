#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "eval/evaluation.h"

namespace pyx {
namespace {

struct Reading
{
    const char* time;
    float load;
    float loadingMm = 1; // every gauge at loading
    float unloadingMm = 0.5f;
};

struct EvaluationTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();

    void SetUp() override
    {
        d->curfile = "/tmp/test.pys";
        for (int entry = 10; entry <= 13; ++entry)
            d->csz[entry] = "1";
    }

    void gauges(const char* u1, const char* u2, const char* l1, const char* l2)
    {
        d->csz[10] = u1;
        d->csz[11] = u2;
        d->csz[12] = l1;
        d->csz[13] = l2;
    }

    void table(const std::vector<Reading>& rows)
    {
        d->jlbn = static_cast<std::int16_t>(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            JlbRec& r = d->jlb[i];
            r.sj.set(rows[i].time);
            r.hz = rows[i].load;
            r.xh = 1;
            for (int g = 0; g < 4; ++g) {
                r.ds[g] = rows[i].loadingMm;
                r.ds[4 + g] = rows[i].unloadingMm;
            }
        }
        d->jlb[rows.size()] = JlbRec{};
        d->jlb[rows.size()].hz = kEndLoad;
        d->jlb[rows.size()].sj.set(kUnusedTime);
    }

    void expectStage(int i, float load, int minutes, const char* maxDisp, const char* maxResidual)
    {
        ASSERT_LT(i, d->hzcount);
        const HzRow& h = d->hzdat[i];
        EXPECT_EQ(h.load, load) << "stage " << i;
        EXPECT_EQ(h.minutes, minutes) << "stage " << i;
        EXPECT_EQ(h.maxDisp, maxDisp) << "stage " << i;
        EXPECT_EQ(h.maxResidual, maxResidual) << "stage " << i;
    }
};

TEST_F(EvaluationTest, ALoneFirstReadingOpensNoStage)
{
    table({{"08:00", 0, 0, 0},
           {"08:10", 10, 1.1f, 0.3f},
           {"08:16", 10, 1.2f, 0.4f},
           {"08:22", 10, 1.3f, 0.5f},
           {"08:30", 20, 2.1f, 0.8f},
           {"08:36", 20, 2.2f, 0.9f}});
    ystodb(*d);
    ASSERT_EQ(d->hzcount, 2);
    expectStage(0, 10, 12 + 4, "1.30", "0.50");
    expectStage(1, 20, 6 + 4, "2.20", "0.90");
    EXPECT_FALSE(d->hzdecimal);
    EXPECT_EQ(d->hzdat.size(), 6u);
}

TEST_F(EvaluationTest, ALoneReadingAfterAStageRewritesThatStage)
{
    table({{"08:00", 10}, {"08:06", 10}, {"08:20", 20, 2, 1}, {"08:30", 30}, {"08:36", 30}});
    ystodb(*d);
    ASSERT_EQ(d->hzcount, 2);
    expectStage(0, 20, 20 + 4, "2.00", "1.00");
    expectStage(1, 30, 6 + 4, "1.00", "0.50");
}

TEST_F(EvaluationTest, HoldingTimeAcrossMidnightAndOfASingleMinute)
{
    table({{"23:50", 10}, {"23:58", 10}, {"00:10", 10}, {"10:00", 20}, {"10:00", 20}});
    ystodb(*d);
    ASSERT_EQ(d->hzcount, 2);
    EXPECT_EQ(d->hzdat[0].minutes, 20 + 4);
    EXPECT_EQ(d->hzdat[1].minutes, 4);
}

TEST_F(EvaluationTest, UnreadableTimesCountAsZeroMinutes)
{
    table({{"--:--", 10}, {"", 10}, {"1030", 10}, {"8:05", 10}});
    ystodb(*d);
    ASSERT_EQ(d->hzcount, 1);
    EXPECT_EQ(d->hzdat[0].minutes, 485 + 4);
}

TEST_F(EvaluationTest, FractionalLoadsAreNoticed)
{
    table({{"08:00", 10}, {"08:06", 10}, {"08:12", 12.5f}, {"08:18", 12.5f}});
    ystodb(*d);
    EXPECT_TRUE(d->hzdecimal);
    table({{"08:00", 10}, {"08:06", 10}});
    ystodb(*d);
    EXPECT_FALSE(d->hzdecimal);
}

TEST_F(EvaluationTest, WithoutAnOpenTestTheSummaryStays)
{
    table({{"08:00", 10}, {"08:06", 10}});
    ystodb(*d);
    ASSERT_EQ(d->hzcount, 1);
    d->curfile.clear();
    table({{"09:00", 40}, {"09:06", 40}, {"09:12", 50}, {"09:18", 50}});
    ystodb(*d);
    EXPECT_EQ(d->hzcount, 1);
    EXPECT_EQ(d->hzdat[0].load, 10);
    EXPECT_EQ(d->jlbp[2].hz, 50); // the processed rows are still rebuilt
}

TEST_F(EvaluationTest, SummaryStopsAtAnEndRowInsideTheTable)
{
    table({{"08:00", 10}, {"08:06", 10}, {"08:12", 20}, {"08:18", 20}});
    d->jlb[2].sj.set(kUnusedTime);
    ystodb(*d);
    EXPECT_EQ(d->hzcount, 1);
}

TEST_F(EvaluationTest, GaugePairsAreAveragedOrTakenAlone)
{
    table({{"08:00", 10}});
    JlbRec& r = d->jlb[0];
    r.ds = {0.1f, 0.2f, 1.0f, 3.0f, 0.05f, 0.07f, 0.5f, 0.9f};

    ystodb(*d);
    const auto& p = d->jlbp[0].ds;
    EXPECT_EQ(p[upperLoading], static_cast<float>((static_cast<double>(0.1f) + 0.2f) / 2));
    EXPECT_EQ(p[dispLoading], 2.0f);
    EXPECT_EQ(p[upperUnloading], static_cast<float>((static_cast<double>(0.05f) + 0.07f) / 2));
    EXPECT_EQ(p[dispUnloading], 0.7f);

    gauges("0", "1", "0", "1");
    ystodb(*d);
    EXPECT_EQ(p[upperLoading], 0.2f);
    EXPECT_EQ(p[upperUnloading], 0.07f);
    EXPECT_EQ(p[dispLoading], 3.0f);
    EXPECT_EQ(p[dispUnloading], 0.9f);

    gauges("1", "2", "2", "1"); // 1 AND 2 is 0: the first gauge that is not 0 alone
    ystodb(*d);
    EXPECT_EQ(p[upperLoading], 0.1f);
    EXPECT_EQ(p[dispLoading], 1.0f);
}

TEST_F(EvaluationTest, UpperGaugesStandInForMissingLowerGauges)
{
    table({{"08:00", 10}});
    d->jlb[0].ds = {0.4f, 0.8f, 9, 9, 0.1f, 0.3f, 9, 9};
    gauges("1", "0", "0", "0");
    ystodb(*d);
    const auto& p = d->jlbp[0].ds;
    EXPECT_EQ(p[upperLoading], 0.4f);
    EXPECT_EQ(p[dispLoading], 0.4f);
    EXPECT_EQ(p[upperUnloading], 0.1f);
    EXPECT_EQ(p[dispUnloading], 0.1f);

    // No gauge in use: the previous results stay.
    d->jlb[0].ds.fill(5);
    gauges("0", "0", "0", "0");
    ystodb(*d);
    EXPECT_EQ(p[upperLoading], 0.4f);
    EXPECT_EQ(p[dispUnloading], 0.1f);
}

TEST_F(EvaluationTest, EndMarkerIsCopiedAndSummaryTextsUseTheStoredFloats)
{
    table({{"08:00", 10, 1.005f, 0.125f}, {"08:06", 10, 1.005f, 0.125f}});
    ystodb(*d);
    EXPECT_EQ(d->jlbp[2].hz, kEndLoad);
    expectStage(0, 10, 10, "1.01", "0.13");
}

} // namespace
} // namespace pyx
