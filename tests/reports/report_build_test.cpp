#include <gtest/gtest.h>

#include <memory>

#include "eval/evaluation.h"
#include "platform/page_outline.h"
#include "reports/analysis_page.h"
#include "reports/report_build.h"
#include "reports/report_tables.h"
#include "support/report_test_data.h"

namespace pyx {
namespace {

struct ReportBuildTest : ::testing::Test
{
    std::unique_ptr<TestData> d = test::reportTestData();
    FixedTextMeasure measure;
    PageDocument doc{measure};

    void records(int n)
    {
        const auto filled = test::reportTestData(n);
        d->jlb = filled->jlb;
        d->ysn = n;
    }
    void select(std::initializer_list<int> entries)
    {
        for (const int e : entries)
            d->csz[e] = "1";
    }
    DocumentOutline preview()
    {
        ReportBuilder builder(*d, 10);
        builder.buildPreview(doc);
        return outlineOf(doc);
    }
};

TEST_F(ReportBuildTest, PagesHoldTwentyNineRowsAndStampsCarryTheTotal)
{
    select({70});
    for (const auto& [rows, pages, lastRows] : {std::tuple{29, 1, 29}, {30, 2, 1}, {58, 2, 29}}) {
        records(rows);
        const DocumentOutline o = preview();
        ASSERT_EQ(o.pageCount, pages) << rows;
        for (int p = 0; p < pages; ++p) {
            EXPECT_EQ(o.pages[p].stamp, pageStampText(p, pages));
            EXPECT_EQ(o.pages[p].paragraphs, std::vector<std::string>{kTitleJlb});
            ASSERT_EQ(o.pages[p].tables.size(), 1u);
        }
        const OutlineTable& last = o.pages[pages - 1].tables[0];
        EXPECT_EQ(static_cast<int>(last.size()), lastRows + 3);
    }
    EXPECT_EQ(pageStampText(0, 7), "第 1 页 共 7 页");
}

TEST_F(ReportBuildTest, RecordTableRowsAndHeaderBlock)
{
    select({70});
    records(2);
    d->jlb[0].hz = 125.5f;
    d->hzdecimal = true;
    d->csz[11] = "0";
    const OutlineTable t = preview().pages.at(0).tables.at(0);
    using Row = std::vector<std::optional<std::string>>;
    const auto n = std::nullopt;
    EXPECT_EQ(t[0], (Row{"工程名称：某工程", n, n, n, n, n, n, "试桩编号：S1", n, "上下表距：500", n}));
    EXPECT_EQ(t[1], (Row{"荷载(kN)", "观测时间", "循环数", "加载水平位移(mm)", n, n, n, "卸载水平位移(mm)", n,
                         n, n}));
    EXPECT_EQ(t[2], (Row{n, n, n, "上表1", "上表2", "下表1", "下表2", "上表1", "上表2", "下表1", "下表2"}));
    EXPECT_EQ(t[3],
              (Row{"125.50", "08:30", "1", "0.12", "--", "0.20", "0.30", "0.05", "--", "0.10", "0.10"}));
}

TEST_F(ReportBuildTest, NothingSelectedOrNoRowsGivesNoPage)
{
    records(5);
    EXPECT_EQ(preview().pageCount, 0);
    // Tables without rows give no page, and the break before the summary makes no blank one.
    select({70, 71, 78});
    d->ysn = 0;
    d->ysn2 = 0;
    d->hzcount = 0;
    EXPECT_EQ(preview().pageCount, 0);
}

TEST_F(ReportBuildTest, EveryCurveBlockStartsOnItsOwnPage)
{
    records(3);
    select({70, 73});
    DocumentOutline o = preview();
    ASSERT_EQ(o.pageCount, 2);
    EXPECT_EQ(o.pages[1].paragraphs, std::vector<std::string>{kTitleCurves});
    ASSERT_EQ(o.pages[1].pictures.size(), 1u);
    EXPECT_EQ(o.pages[1].pictures[0],
              (OutlinePicture{kGradientCurveTag, 1680, 3420, "60%", "70%", std::nullopt}));
    EXPECT_EQ(o.pages[1].stamp, "第 2 页 共 2 页");

    select({72});
    o = preview();
    ASSERT_EQ(o.pageCount, 3);
    EXPECT_EQ(o.pages[1].pictures.at(0).tag, kTimeCurveTag);
    EXPECT_EQ(o.pages[2].pictures.at(0).tag, kGradientCurveTag);

    // After the raw data table there is no explicit break, yet the curve starts a new page.
    d->csz[70] = "0";
    select({78});
    d->ysn2 = 2;
    for (int i = 0; i < 2; ++i)
        d->ysd[i].sj2.set("08:00");
    d->ysd[2].sj2.set(kUnusedTime);
    o = preview();
    ASSERT_EQ(o.pageCount, 3);
    EXPECT_EQ(o.pages[0].paragraphs, std::vector<std::string>{kTitleYsb});
    EXPECT_TRUE(o.pages[0].pictures.empty());
}

TEST_F(ReportBuildTest, AnalysisPagesFollowTheCurvesWhenSelected)
{
    records(30);
    ystodb(*d);
    select({73});
    const DocumentOutline without = preview();
    ASSERT_EQ(without.pageCount, 1);

    d->csz[80] = "1";
    const DocumentOutline o = preview();
    ASSERT_EQ(o.pageCount, 3);
    EXPECT_EQ(o.pages[0].pictures.at(0).tag, kGradientCurveTag);
    const OutlinePage& tables = o.pages[1];
    ASSERT_FALSE(tables.paragraphs.empty());
    EXPECT_EQ(tables.paragraphs[0], kTitleAnalysis);
    EXPECT_EQ(tables.tables.size(), 5u);
    EXPECT_EQ(tables.stamp, "第 2 页 共 3 页");
    const OutlinePage& curves = o.pages[2];
    ASSERT_EQ(curves.pictures.size(), 3u);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(curves.pictures[static_cast<std::size_t>(k)].tag, kAnalysisPlotTag + k);
    EXPECT_EQ(curves.stamp, "第 3 页 共 3 页");

    // The Word version holds the same pages after its curve.
    PageDocument word{measure};
    ReportBuilder(*d, 10).buildWord(word);
    const DocumentOutline w = outlineOf(word);
    EXPECT_EQ(w.pages.back().pictures.size(), 3u);
}

TEST_F(ReportBuildTest, RawPagesKeepTwentyNineReadingsWithWrappedRemarks)
{
    select({78});
    d->curfile = "/data/t.pyx";
    for (int i = 0; i < 58; ++i) {
        d->ysd[i].sj2.set("08:00");
        // Every gauge and the timer flagged: "位移1 2 3 4 时间" needs two lines in its cell.
        d->ysd[i].zt.setRaw(std::string(1, i % 10 == 0 ? '\x1f' : '\0'));
    }
    d->ysd[58].sj2.set(kUnusedTime);
    d->ysn2 = 58;
    const DocumentOutline o = preview();
    ASSERT_EQ(o.pageCount, 2);
    EXPECT_EQ(o.pages[0].tables.at(0).size(), 32u);
    EXPECT_EQ(o.pages[0].tables[0][3][10], "位移1 2 3 4 时间");
    EXPECT_EQ(o.pages[1].stamp, "第 2 页 共 2 页");
}

TEST_F(ReportBuildTest, ReducedCurvesShareOnePage)
{
    select({72, 79});
    DocumentOutline o = preview();
    ASSERT_EQ(o.pageCount, 1);
    EXPECT_EQ(o.pages[0].pictures,
              (std::vector<OutlinePicture>{{kTimeCurveTag, 4000, 6000, "33%", "38%", {}}}));

    select({73});
    o = preview();
    ASSERT_EQ(o.pageCount, 1);
    ASSERT_EQ(o.pages[0].pictures.size(), 2u);
    EXPECT_EQ(o.pages[0].pictures[0].top, 3450);
    EXPECT_EQ(o.pages[0].pictures[1].top, 9080);
    EXPECT_EQ(o.pages[0].pictures[1].tag, kGradientCurveTag);

    // The curves are compared as texts: "1.0" counts for the page, not for the placement.
    d->csz[73] = "1.0";
    d->csz[72] = "0";
    o = preview();
    ASSERT_EQ(o.pageCount, 1);
    EXPECT_TRUE(o.pages[0].pictures.empty());

    d->csz[73] = "0";
    EXPECT_EQ(preview().pageCount, 0);
}

TEST_F(ReportBuildTest, SummariesFollowTheGaugesInUse)
{
    records(1);
    select({71});
    d->csz[10] = "0";
    d->csz[11] = "0";
    const OutlineTable full = preview().pages.at(0).tables.at(0);
    ASSERT_EQ(full.size(), 4u);
    ASSERT_EQ(full[3].size(), 12u);
    for (const int c : {3, 5, 9, 10})
        EXPECT_EQ(full[3][c], "--") << c;
    EXPECT_EQ(full[3][0], "50");
    EXPECT_EQ(full[3][11], "");

    select({77});
    d->hzdat = {HzRow{50, 30, " 1.25", "0.40 "}};
    d->hzcount = 1;
    const OutlineTable simple = preview().pages.at(0).tables.at(0);
    using Row = std::vector<std::optional<std::string>>;
    EXPECT_EQ(simple[0], (Row{"试验桩号：S1", std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(simple[2], (Row{"50", "30", "1.25", "0.40"}));
}

TEST_F(ReportBuildTest, WordVersionIsOneTableEachWithCurveCells)
{
    records(40);
    select({70, 71, 72, 73});
    ReportBuilder builder(*d, 10);
    builder.buildWord(doc);
    const DocumentOutline o = outlineOf(doc);
    int tables = 0;
    std::vector<OutlinePicture> pictures;
    for (const OutlinePage& p : o.pages) {
        EXPECT_FALSE(p.stamp);
        tables += static_cast<int>(p.tables.size());
        pictures.insert(pictures.end(), p.pictures.begin(), p.pictures.end());
    }
    EXPECT_EQ(doc.tableCount(), 4);
    EXPECT_EQ(tables, 6); // the record table and the summary each on two pages
    EXPECT_EQ(o.pages.at(0).tables.at(0).size() + o.pages.at(1).tables.at(0).size(), 43u); // split, not cut
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].cell, (CellRef{3, 3, 1}));
    EXPECT_EQ(pictures[1].cell, (CellRef{4, 3, 1}));

    // With no rows the record table is still written: its header rows alone.
    d->ysn = 0;
    d->csz[71] = "0";
    d->csz[72] = "0";
    d->csz[73] = "0";
    builder.buildWord(doc);
    EXPECT_EQ(doc.tableCount(), 1);
    EXPECT_EQ(outlineOf(doc).pages.at(0).tables.at(0).size(), 3u);
}

TEST_F(ReportBuildTest, WordReducedPageHasTwoPictureRows)
{
    select({72, 73, 79});
    ReportBuilder builder(*d, 10);
    builder.buildWord(doc);
    const DocumentOutline o = outlineOf(doc);
    ASSERT_EQ(o.pageCount, 1);
    ASSERT_EQ(o.pages[0].tables.size(), 1u);
    EXPECT_EQ(o.pages[0].tables[0].size(), 4u);
    ASSERT_EQ(o.pages[0].pictures.size(), 2u);
    EXPECT_EQ(o.pages[0].pictures[0].cell, (CellRef{1, 3, 1}));
    EXPECT_EQ(o.pages[0].pictures[1].cell, (CellRef{1, 4, 1}));
    // An empty header slot prints its label alone.
    EXPECT_EQ(o.pages[0].tables[0][1][0], "桩径：");
}

TEST_F(ReportBuildTest, PrintingACurveLeavesTheTestAsItWas)
{
    records(10);
    select({72, 73});
    d->curvekind = CurveKind::Time;
    const auto before = std::make_unique<TestData>(*d);
    preview();
    preview();
    EXPECT_TRUE(*d == *before);
}

} // namespace
} // namespace pyx
