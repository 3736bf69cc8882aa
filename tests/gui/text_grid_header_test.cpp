#include <QHeaderView>
#include <QTableView>
#include <gtest/gtest.h>

#include "platform/qt/qt_text_grid.h"

namespace pyx {
namespace {

// Two header rows: column 0 merged down, columns 1 and 2 merged across in row 0.
void fillHeader(TextGrid& g, const std::string& down, const std::string& across, const std::string& below)
{
    g.setCols(3);
    g.setRows(4);
    g.setFixedRows(2);
    g.setText(0, 0, down);
    g.setText(1, 0, down);
    g.setText(0, 1, across);
    g.setText(0, 2, across);
    g.setText(1, 1, below);
    g.setText(1, 2, "下表");
    for (int c = 0; c < 3; ++c)
        g.setColWidth(c, 600); // 40 pixels at 96 dpi
    g.setMergeMode(MergeMode::FixedOnly);
    g.setMergeRow(0, true);
    g.setMergeCol(0, true);
}

int defaultRow(const QTableView* v)
{
    return v->verticalHeader()->defaultSectionSize();
}

TEST(QtTextGridHeader, ShortTextsKeepTheRowHeight)
{
    TextGrid grid;
    fillHeader(grid, "序号", "加载位移", "上表");
    QtTextGrid view(grid);
    const QTableView* header = view.headerView();
    EXPECT_EQ(header->rowHeight(0), defaultRow(header));
    EXPECT_EQ(header->rowHeight(1), defaultRow(header));
    EXPECT_EQ(header->height(), 2 * defaultRow(header));
}

TEST(QtTextGridHeader, LongTextsWrapAndTheirRowsGrow)
{
    TextGrid grid;
    fillHeader(grid, "序号", "加载位移", "累计最大残余水平位移量");
    QtTextGrid view(grid);
    const QTableView* header = view.headerView();
    EXPECT_EQ(header->rowHeight(0), defaultRow(header));
    EXPECT_GT(header->rowHeight(1), 2 * defaultRow(header)); // 11 characters in 40 pixels
    EXPECT_EQ(header->height(), header->rowHeight(0) + header->rowHeight(1));

    // A text merged down both rows needs their sum; what it lacks goes to its last row.
    fillHeader(grid, "加载上下表读数差累计", "加载位移", "上表");
    view.sync();
    EXPECT_EQ(header->rowHeight(0), defaultRow(header));
    EXPECT_GT(header->rowHeight(1), defaultRow(header));
    const int need = header->rowHeight(1);
    fillHeader(grid, "序号", "加载位移", "上表");
    view.sync();
    EXPECT_EQ(header->rowHeight(1), defaultRow(header));
    EXPECT_LT(header->rowHeight(1), need);
}

} // namespace
} // namespace pyx
