#include <gtest/gtest.h>

#include "platform/page_flow.h"

namespace pyx {
namespace {

TEST(Extent, TwipsOrPercentOfTheWhole)
{
    EXPECT_DOUBLE_EQ(Extent("60%").resolve(10000), 6000);
    EXPECT_DOUBLE_EQ(Extent(" 33 % ").resolve(10000), 3300);
    EXPECT_DOUBLE_EQ(Extent(2500.0).resolve(10000), 2500);
    EXPECT_DOUBLE_EQ(Extent("1200").resolve(10000), 1200);
    for (const Extent& bad : {Extent("abc"), Extent("%"), Extent("-5%"), Extent(-3.0), Extent("")})
        EXPECT_DOUBLE_EQ(bad.resolve(10000), 0);
    EXPECT_EQ(std::get<std::string>(Extent("38%").given()), "38%");
}

TEST(Table, WidthsAndHeightsFallBackToTheDefaults)
{
    Table t(11, 4);
    t.setDefaultColWidth(900);
    t.setColWidth(1, 1000);
    t.setColWidth(10, 1000);
    t.setColWidth(12, 5000); // no such column
    EXPECT_DOUBLE_EQ(t.width(), 9 * 900 + 2 * 1000);
    t.setDefaultRowHeight(400);
    t.setRowHeight(1, 600);
    EXPECT_DOUBLE_EQ(t.rowHeight(1), 600);
    EXPECT_DOUBLE_EQ(t.rowHeight(4), 400);
    EXPECT_DOUBLE_EQ(t.rowHeight(5), 0);
}

TEST(Table, SpansCoverAllButTheirFirstCell)
{
    Table t(4, 3);
    t.span(2, 1, 3, 1);
    t.span(1, 3, 1, 9); // cut to the last column
    EXPECT_EQ(t.spanOf(3, 1), (TableSpan{2, 1, 2, 1}));
    EXPECT_FALSE(t.covered(2, 1));
    EXPECT_TRUE(t.covered(3, 1));
    EXPECT_TRUE(t.covered(1, 4));
    EXPECT_EQ(t.spanOf(1, 3), (TableSpan{1, 3, 1, 2}));
    EXPECT_EQ(t.spanOf(2, 2), (TableSpan{2, 2, 1, 1}));

    // A span over an earlier one replaces it; a single cell only undoes it.
    t.span(1, 4, 2, 4);
    EXPECT_EQ(t.spans().size(), 2u);
    EXPECT_FALSE(t.covered(1, 4));
    EXPECT_EQ(t.spanOf(1, 3), (TableSpan{1, 3, 1, 1}));
    t.span(3, 1, 3, 1);
    EXPECT_FALSE(t.covered(3, 1));
    EXPECT_EQ(t.spans().size(), 1u);
    t.span(3, 3, 2, 3); // empty range
    EXPECT_EQ(t.spans().size(), 1u);
}

TEST(Table, CellsOutsideAreIgnored)
{
    Table t(2, 2);
    t.style.align = TextAlign::Center;
    t.setText(0, 1, "x");
    t.setText(3, 1, "x");
    t.setText(2, 2, "下表");
    t.setAlign(1, 1, TextAlign::Left);
    EXPECT_EQ(t.text(2, 2), "下表");
    EXPECT_EQ(t.text(0, 1), "");
    EXPECT_EQ(t.align(1, 1), TextAlign::Left);
    EXPECT_EQ(t.align(2, 1), TextAlign::Center);
    Table none(-1, 5);
    EXPECT_EQ(none.cols(), 0);
    none.span(1, 1, 2, 2);
    EXPECT_TRUE(none.spans().empty());
}

} // namespace
} // namespace pyx
