#include <gtest/gtest.h>

#include <memory>

#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/record_files.h"
#include "support/temp_dir.h"
#include "tables/record_table.h"

namespace pyx {
namespace {

using test::recordRow;

struct TablesTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, dir.file("spconfig.sys")};
    TextGrid& g = w.grid;

    void openWithGauges(const char* flags, std::vector<JlbRec> rows)
    {
        w.load(1280);
        for (int i = 0; i < 4; ++i)
            d->csz[10 + i] = std::string(1, flags[i]);
        dialogs.fileNames.push_back(dir.write("t.pys", test::recordFile(rows)));
        w.dispatch("miFOpen");
    }
};

TEST(LoadText, DecimalsFollowFractionalLoadsAndTheLargestLoad)
{
    EXPECT_EQ(loadText(12.5f, false, 300), "12"); // half to even
    EXPECT_EQ(loadText(13.5f, false, 300), "14");
    EXPECT_EQ(loadText(12.5f, true, 300), "12.50");
    EXPECT_EQ(loadText(300, true, 300), "300.00");
    EXPECT_EQ(loadText(12.5f, true, 1500), "12.5");
    EXPECT_EQ(loadText(12.5f, true, 12000), "12");
}

TEST_F(TablesTest, RecordTableShowsOnlyGaugesInUse)
{
    openWithGauges("1020", {recordRow("08:00", 12.5f, 1, {1, 2, 3, 4, 5, 6, 7, 8}),
                            recordRow("08:04", 300, 1, {1, 2, 3, 4, 5, 6, 7, 8})});
    EXPECT_EQ(g.text(2, 1), "12.50");
    EXPECT_EQ(g.text(3, 1), "300.00");
    EXPECT_EQ(g.text(2, 4), "1.00");
    EXPECT_EQ(g.text(2, 8), "5.00");
    for (int c : {5, 6, 7, 9, 10, 11})
        EXPECT_EQ(g.text(2, c), "--") << c;
    EXPECT_EQ(g.colWidth(11), 860);
    // Headers merge: the loading group across four columns, the first four columns down.
    const auto spans = g.spans();
    EXPECT_NE(std::find(spans.begin(), spans.end(), CellSpan{0, 4, 1, 4}), spans.end());
    EXPECT_NE(std::find(spans.begin(), spans.end(), CellSpan{0, 0, 2, 1}), spans.end());
}

TEST_F(TablesTest, SimpleSummaryHasOneRowPerStage)
{
    openWithGauges("1111", {recordRow("08:00", 50, 1, {1, 1, 2, 2, 0.5f, 0.5f, 1, 1}),
                            recordRow("08:10", 50, 2, {1, 1, 2.5f, 2.5f, 0.5f, 0.5f, 1.25f, 1.25f}),
                            recordRow("08:20", 100, 1, {1, 1, 4, 4, 0.5f, 0.5f, 2, 2}),
                            recordRow("08:30", 100, 2, {1, 1, 5, 5, 0.5f, 0.5f, 3, 3})});
    d->csz[77] = "1";
    w.dispatch("miChzb");
    ASSERT_EQ(g.rows(), 3);
    EXPECT_EQ(g.text(0, 4), "累计最大残余水平位移量");
    EXPECT_EQ(g.text(1, 1), "50");
    EXPECT_EQ(g.text(1, 2), "14");
    EXPECT_EQ(g.text(1, 3), "2.50");
    EXPECT_EQ(g.text(2, 4), "3.00");
    EXPECT_EQ(g.colWidth(0), 2360);
    EXPECT_FALSE(g.editable());
}

TEST_F(TablesTest, FullSummaryShowsDifferenceAndAngle)
{
    openWithGauges("1111", {recordRow("08:00", 12.5f, 1, {10, 10, 1.27f, 1.27f, 2, 2, 0.3f, 0.3f}),
                            recordRow("08:04", 12.5f, 2, {10, 10, 1.27f, 1.27f, 2, 2, 0.3f, 0.3f})});
    d->csz[77] = "0";
    w.dispatch("miChzb");
    ASSERT_EQ(g.rows(), 4);
    EXPECT_EQ(g.text(0, 8), "水平位移(mm)");
    EXPECT_EQ(g.text(2, 1), "12.5");
    EXPECT_EQ(g.text(2, 4), "10.00");
    EXPECT_EQ(g.text(2, 5), "1.27");
    EXPECT_EQ(g.text(2, 8), "1.27");
    EXPECT_EQ(g.text(2, 10), "8.73");
    EXPECT_EQ(g.text(2, 11), "1.0");
}

TEST_F(TablesTest, FullSummaryDashesGaugeGroupsNotInUse)
{
    openWithGauges("0011", {recordRow("08:00", 10, 1, {1, 1, 2, 2, 1, 1, 1, 1}),
                            recordRow("08:04", 10, 2, {1, 1, 2, 2, 1, 1, 1, 1})});
    d->csz[77] = "0";
    w.dispatch("miChzb");
    for (int c : {4, 6, 10, 11})
        EXPECT_EQ(g.text(2, c), "--") << c;
    EXPECT_EQ(g.text(2, 5), "2.00");
    EXPECT_EQ(g.text(2, 9), "1.00");

    openWithGauges("1000", {recordRow("08:00", 10, 1, {1, 1, 2, 2, 1, 1, 1, 1}),
                            recordRow("08:04", 10, 2, {1, 1, 2, 2, 1, 1, 1, 1})});
    d->csz[77] = "0";
    w.dispatch("miChzb");
    for (int c : {5, 7, 8, 9, 10, 11})
        EXPECT_EQ(g.text(2, c), "--") << c;
    EXPECT_EQ(d->jlbp[0].ds[dispLoading], 1.0f); // the curves use the upper gauge
}

TEST_F(TablesTest, SummariesWithoutATestShowTheirHeaders)
{
    w.load(1366);
    d->csz[77] = "1";
    w.dispatch("miChzb");
    EXPECT_EQ(g.rows(), 32);
    EXPECT_EQ(g.text(1, 0), "");
    d->csz[77] = "0";
    w.dispatch("miChzb");
    EXPECT_EQ(g.rows(), 32);
    EXPECT_EQ(g.text(2, 0), "1");
    EXPECT_EQ(g.text(31, 0), "30");
}

} // namespace
} // namespace pyx
