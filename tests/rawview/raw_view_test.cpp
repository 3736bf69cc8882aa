#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "data/raw_remark.h"
#include "rawview/raw_view.h"

namespace pyx {
namespace {

TEST(Fmat5, HalfAtTheThirdDecimalGoesToTheEvenNeighbour)
{
    EXPECT_FLOAT_EQ(Fmat5(0.125f), 0.12f);
    EXPECT_FLOAT_EQ(Fmat5(0.135f), 0.14f);
    EXPECT_FLOAT_EQ(Fmat5(0.1251f), 0.13f);
    EXPECT_FLOAT_EQ(Fmat5(-0.125f), -0.12f);
    EXPECT_FLOAT_EQ(Fmat5(2.344f), 2.34f);
    EXPECT_FLOAT_EQ(Fmat5(12.0f), 12.0f);
    EXPECT_TRUE(std::isnan(Fmat5(std::nanf(""))));
}

TEST(RawRemark, FlagsAreDecodedForRecordAndLoggerFileNames)
{
    const auto status = [](unsigned char b) {
        FixedText<20> zt;
        zt.setRaw(std::string(1, static_cast<char>(b)));
        return zt;
    };
    EXPECT_EQ(rawViewRemark("/t/a.pys", status(0x05)), "表1 3");
    EXPECT_EQ(rawViewRemark("/t/a.PYS", status(0x60)), "中断 欠压");
    EXPECT_EQ(rawViewRemark("/t/a.pys", status(0x40)), "手动");
    EXPECT_EQ(rawViewRemark("/t/a.pys", status(0x1F)), "表1 2 3 4时间");
    EXPECT_EQ(rawViewRemark("/t/a.pys", status(0x31)), "中断");
    EXPECT_EQ(rawViewRemark("/t/a.pys", status(0x00)), "");
    EXPECT_EQ(rawViewRemark("/t/a.pyx", status(0x40)), "手动");
    EXPECT_EQ(rawViewRemark("/t/a.PYX", status(0x60)), "中断 欠压");
    EXPECT_EQ(rawViewRemark("/t/a.pyw", status(0x05)), "表1 3");
    EXPECT_EQ(rawViewRemark("/t/a.PYW", status(0x10)), "时间");
    // Any other name shows the stored text up to its first NUL, without control characters.
    FixedText<20> stored;
    stored.setRaw(std::string(" ok\0\x7f junk", 11));
    EXPECT_EQ(rawViewRemark("/t/a.Pys", stored), "ok");
    EXPECT_EQ(rawViewRemark("/t/a.dat", FixedText<20>("修改 ")), "修改");
    EXPECT_EQ(rawViewRemark("/t/a.dat", status(0x05)), "");
    stored.setRaw(std::string("a\x01"
                              "b\x1f\x7f"
                              "c"));
    EXPECT_EQ(rawViewRemark("/t/a.Pyx", stored), "abc");
}

struct RawViewTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    TextGrid grid;
    RawDataView view{*d, grid};

    RawViewTest()
    {
        for (auto& r : d->ysd)
            r.sj2.set(kUnusedTime);
        d->curfile = "/data/t.pyx";
        d->ysview = 3;
        stageRow(0, 50);
        reading(1, "08:31", {0.125f, 0.2f, 0.135f, 0.4f});
        reading(2, "08:33", {0.1251f, 0.2f, 0.3f, 0.4f});
        d->ysn2 = 3;
        gauges("1", "0", "1", "0");
    }
    void stageRow(int i, float load)
    {
        d->ysd[i].sj2.set("08:30");
        d->ysd[i].u[0] = load;
        d->ysd[i].u[1] = -100;
        d->ysd[i].zt.setRaw(std::string(1, '\0'));
    }
    void reading(int i, const char* time, std::array<float, 4> g)
    {
        d->ysd[i].sj2.set(time);
        d->ysd[i].u[0] = 49.6f;
        d->ysd[i].u[1] = 3.456f;
        d->ysd[i].zt.setRaw(std::string(1, '\0'));
        for (int k = 0; k < 4; ++k)
            d->ysd[i].u[2 + k] = g[k];
    }
    void gauges(const char* a, const char* b, const char* c, const char* e)
    {
        const char* flags[] = {a, b, c, e};
        for (int k = 0; k < 4; ++k)
            d->ysd[31 + k].s20a.set(flags[k]);
    }
    std::vector<std::string> row(int r) const
    {
        std::vector<std::string> out;
        for (int c = 0; c < grid.cols(); ++c)
            out.push_back(grid.text(r, c));
        return out;
    }
};

TEST_F(RawViewTest, TableWithTheOilPressureColumn)
{
    view.open();
    ASSERT_EQ(grid.cols(), 10);
    ASSERT_EQ(grid.rows(), 5);
    EXPECT_EQ(row(0), (std::vector<std::string>{"", "荷载(kPa)", "油压", "时间", "表(mm)", "表(mm)", "表(mm)",
                                                "表(mm)", "平均(mm)", "修改信息"}));
    EXPECT_EQ(row(1)[4], "1#");
    EXPECT_EQ(row(1)[7], "4#");
    // The first row is the zero reading: its time is replaced.
    EXPECT_EQ(row(2),
              (std::vector<std::string>{"1", "50", "-100.00", "--:--", "--", "--", "--", "--", "--", ""}));
    // Gauges 1 and 3 in use: the mean of 0.12 and 0.14.
    EXPECT_EQ(row(3), (std::vector<std::string>{"2", "50", "3.46", "08:31", "0.12", "--", "0.14", "--",
                                                "0.130", ""}));
    EXPECT_EQ(row(4)[4], "0.13");
    // (0.13 + 0.30) / 2 = 0.215, itself rounded to two decimals.
    EXPECT_EQ(row(4)[8], "0.220");
    EXPECT_EQ(grid.colWidth(0), 1100);
    EXPECT_EQ(grid.colWidth(9), 2500);
    EXPECT_EQ(grid.currentRow(), 4);
    EXPECT_EQ(grid.currentCol(), 0);

    const auto spans = grid.spans();
    EXPECT_NE(std::find(spans.begin(), spans.end(), CellSpan{0, 4, 1, 4}), spans.end());
    EXPECT_NE(std::find(spans.begin(), spans.end(), CellSpan{0, 1, 2, 1}), spans.end());
    EXPECT_NE(std::find(spans.begin(), spans.end(), CellSpan{0, 9, 2, 1}), spans.end());
}

TEST_F(RawViewTest, TableWithoutTheOilPressureColumnStopsAtTheFirstUnusedRow)
{
    d->ysview = 0;
    d->ysn2 = 40;
    view.open();
    ASSERT_EQ(grid.cols(), 9);
    ASSERT_EQ(grid.rows(), 5);
    EXPECT_EQ(row(0)[2], "时间");
    EXPECT_EQ(row(3),
              (std::vector<std::string>{"2", "50", "08:31", "0.12", "--", "0.14", "--", "0.130", ""}));
    EXPECT_EQ(grid.colWidth(8), 2500);
}

TEST_F(RawViewTest, GaugeFlagsApplyFromTheFirstReadingAndAreCorrected)
{
    gauges("x", "0", "0", "0");
    view.open();
    EXPECT_EQ(d->ysd[31].s20a.trimmed(), "1");
    EXPECT_EQ(row(3)[4], "0.12");
    EXPECT_EQ(row(3)[5], "--");
    EXPECT_EQ(row(3)[8], "0.120");
    EXPECT_EQ(d->ysflag[0], 1);
    EXPECT_EQ(d->ysflag[1], 0);

    gauges("0", "0", "0", "0");
    view.open();
    EXPECT_EQ(row(3)[8], "0.000");
    EXPECT_FALSE(d->dirty);
}

TEST_F(RawViewTest, RemarksDependOnTheFileName)
{
    d->ysd[1].zt.setRaw("\x05");
    d->ysd[2].zt.setRaw(std::string("A\0B", 3));
    d->curfile = "/data/t.pys";
    view.open();
    EXPECT_EQ(row(3)[9], "表1 3");
    EXPECT_EQ(row(4)[9], "表1  手动"); // "A": bits 0 and 6
    d->curfile = "/data/t.pyx";
    view.open();
    EXPECT_EQ(row(3)[9], "表1 3");
    d->curfile = "/data/t.dat";
    view.open();
    EXPECT_EQ(row(3)[9], "");
    EXPECT_EQ(row(4)[9], "A");
}

TEST_F(RawViewTest, HeaderOfAnOilPressureSensorAndACalculatedLoad)
{
    const char* slots[] = {"120", "2024-05-16", "SZ-3", "QJ-12345678901234567", "1000", "65", "CG-7", "80",
                           "2.1", "1",          "2"};
    for (int k = 0; k <= 10; ++k)
        d->ysd[k].s20d.set(slots[k]);
    d->ysd[19].s60.set("89");
    view.open();
    EXPECT_EQ(view.label3[0], "千斤顶缸径：120.0");
    EXPECT_EQ(view.label3[1], "测试日期：2024-05-16");
    EXPECT_EQ(view.label3[2], "试桩编号：SZ-3");
    EXPECT_EQ(view.txtText3, "千斤顶编号：QJ-1234567890123456789");
    EXPECT_EQ(view.label3[10], "压力计算方式：计算");
    EXPECT_EQ(view.label3[4], "千斤顶额定出力：1000 kN");
    EXPECT_EQ(view.label3[5], "千斤顶额定油压：65 MPa");
    EXPECT_EQ(view.label3[6], "油压传感器编号：CG-7");
    EXPECT_EQ(view.label3[7], "油压传感器量程：80 MPa");
    EXPECT_EQ(view.label3[8], "油压传感器灵敏度：2.100 mv/V");
    EXPECT_EQ(view.label3[9], "使用千斤顶台数：2 台");

    d->ysd[0].s20d.set("80");
    view.open();
    EXPECT_EQ(view.label3[0].rfind("标定系数：", 0), 0u);
    d->ysd[0].s20d.set("1.052");
    view.open();
    EXPECT_EQ(view.label3[0], "标定系数：1.052");
}

TEST_F(RawViewTest, HeaderOfALoadCellWithRegressionCoefficients)
{
    d->ysd[9].s20d.set("2");
    d->ysd[10].s20d.set("3");
    d->ysd[13].s60.set("3");
    d->ysd[15].s60.set("1.23456789");
    d->ysd[16].s60.set("n/a");
    view.open();
    EXPECT_EQ(view.text2, "3");
    EXPECT_EQ(view.label3[10], "压力计算方式：回归方程");
    EXPECT_EQ(view.label3[4], "千斤顶系数a：1.2345679");
    EXPECT_EQ(view.label3[5], "千斤顶系数b：");
    EXPECT_EQ(d->ysd[16].s60.trimmed(), "");
    EXPECT_EQ(view.label3[6], "测力传感器编号：");
    EXPECT_EQ(view.label3[7], "测力传感器量程：");
    EXPECT_EQ(view.label3[8], "使用千斤顶台数：3 台");
    EXPECT_EQ(view.label3[9], "");

    d->ysd[9].s20d.set("?");
    view.open();
    EXPECT_EQ(d->ysd[9].s20d.trimmed(), "1");
    EXPECT_EQ(view.label3[6], "油压传感器编号：");
    EXPECT_EQ(view.label3[0], "标定系数：0.");
}

} // namespace
} // namespace pyx
