#include <gtest/gtest.h>

#include <memory>

#include "reports/report_data.h"

namespace pyx {
namespace {

struct RawReportTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    int rows = 0;

    RawReportTest()
    {
        for (auto& r : d->ysd)
            r.sj2.set(kUnusedTime);
        d->curfile = "/data/t.pyx";
        d->ysview = 3;
        d->maxload = 500;
        for (int k = 0; k < 4; ++k)
            d->ysd[31 + k].s20a.set("1");
    }
    void stage(float load)
    {
        YsRec& r = d->ysd[rows++];
        r.sj2.set(kNoTime);
        r.u[0] = load;
        r.u[1] = -100;
        d->ysn2 = static_cast<std::int16_t>(rows);
    }
    YsRec& reading(const char* time, float oil, std::array<float, 4> g, unsigned char status = 0)
    {
        YsRec& r = d->ysd[rows++];
        r.sj2.set(time);
        r.u[0] = 49.6f;
        r.u[1] = oil;
        for (int k = 0; k < 4; ++k)
            r.u[2 + k] = g[k];
        r.zt.setRaw(std::string(1, static_cast<char>(status)));
        d->ysn2 = static_cast<std::int16_t>(rows);
        return r;
    }
};

TEST_F(RawReportTest, StageRowsCarryTheirLoadAndIntervalsRunAcrossMidnight)
{
    stage(12.5f);
    reading("23:58", -100, {1, 2, 3, 4}, 0x15);
    reading("00:03", 0, {1, 2, 3, 4}, 0x60);
    reading("00:03", 2.345f, {1, 2, 3, 4}, 0x40);
    d->ysflag = {1, 1, 0, 0};
    const TextMatrix m = DataYsb(*d);
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[0], (std::vector<std::string>{"12", "12.50", "--", "--:--", "--", "--", "--", "--", "--",
                                              "--", ""}));
    EXPECT_EQ(m[1][0], "12"); // the stage's load as its column shows it
    EXPECT_EQ(m[1][1], "49.60");
    EXPECT_EQ(m[1][2], "--");
    EXPECT_EQ(m[1][4], "0"); // first reading after a stage row
    EXPECT_EQ(m[2][4], "5"); // 23:58 to 00:03
    EXPECT_EQ(m[2][2], "0.00");
    EXPECT_EQ(m[3][2], "2.35");
    EXPECT_EQ(m[3][4], "0");
    // Weights of gauges 1 and 2 (the header rows are not read for short files): (1 + 2) / 2.
    EXPECT_EQ(m[1][9], "1.50");
    EXPECT_EQ(m[1][10], "位移1 3 时间");
    EXPECT_EQ(m[2][10], "中断  欠压");
    EXPECT_EQ(m[3][10], "手动");
}

TEST_F(RawReportTest, GaugeFlagsAndWeights)
{
    reading("08:00", 1, {1.125f, 2, 3, 4});
    d->ysd[32].s20a.set("0");
    d->ysflag = {0, 0, 0, 0};
    TextMatrix m = DataYsb(*d);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0][4], "0"); // no record before the first
    EXPECT_EQ(m[0][5], "1.12");
    EXPECT_EQ(m[0][6], "--");
    // All weights 0: the second gauge alone, though its column shows "--".
    EXPECT_EQ(m[0][9], "2.00");
    EXPECT_EQ(d->ysflag[1], 1);

    // From 35 rows on, the weights follow the header flags.
    for (int i = 1; i < 40; ++i)
        reading("08:01", 1, {1, 2, 3, 4});
    d->ysd[31].s20a.set("1");
    d->ysd[32].s20a.set("0");
    d->ysd[33].s20a.set("1");
    d->ysd[34].s20a.set("0");
    m = DataYsb(*d);
    EXPECT_EQ(d->ysflag[0], 1);
    EXPECT_EQ(d->ysflag[1], 0);
    EXPECT_EQ(m[1][9], "2.00"); // (1 + 3) / 2
}

TEST_F(RawReportTest, RemarksFollowTheFileName)
{
    reading("08:00", 1, {1, 2, 3, 4}, 0x05);
    d->curfile = "/data/t.pyw";
    EXPECT_EQ(DataYsb(*d)[0][10], "位移1 3");
    d->curfile = "/data/t.Pyx";
    d->ysd[0].zt.setRaw(std::string("ok\0x", 4));
    EXPECT_EQ(DataYsb(*d)[0][10], "ok");
    d->curfile.clear();
    EXPECT_TRUE(DataYsb(*d).empty());
}

TEST(TableReportData, RecordAndFullSummaryRows)
{
    auto d = std::make_unique<TestData>();
    d->curfile = "t.pys";
    d->csz[10] = d->csz[11] = "0";
    d->csz[12] = d->csz[13] = "1";
    d->maxload = 500;
    d->hzdecimal = true;
    d->ysn = 2;
    d->jlb[0].hz = 125.5f;
    d->jlb[0].sj.set("08:30");
    d->jlb[0].xh = 1;
    d->jlb[0].ds = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f};
    d->jlb[1].hz = 120;
    d->jlbp[0].hz = 125.5f;
    d->jlbp[0].ds[dispLoading] = 1.234f;
    const TextMatrix jlb = DataJlb(*d);
    ASSERT_EQ(jlb.size(), 2u);
    EXPECT_EQ(jlb[0], (std::vector<std::string>{"125.50", "08:30", "1", "--", "--", "0.30", "0.40", "--",
                                                "--", "0.70", "0.80", ""}));
    const TextMatrix hzb = DataHzb(*d);
    ASSERT_EQ(hzb.size(), 2u);
    EXPECT_EQ(hzb[0][0], "125.5");
    EXPECT_EQ(hzb[1][0], "120");
    EXPECT_EQ(hzb[0][3], "--");
    EXPECT_EQ(hzb[0][4], "1.23");
    EXPECT_EQ(hzb[0][7], "1.23");
    EXPECT_EQ(hzb[0][9], "--"); // no upper gauge: no difference, no rotation
    EXPECT_EQ(hzb[0][11], "");
    d->curfile.clear();
    EXPECT_TRUE(DataJlb(*d).empty());
    EXPECT_TRUE(DataHzb(*d).empty());
}

} // namespace
} // namespace pyx
