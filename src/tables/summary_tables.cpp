#include "tables/summary_tables.h"

#include "tables/record_table.h"
#include "tables/table_rows.h"

namespace pyx {
namespace {

void layout(TextGrid& grid, int cols, int fixedRows, int width)
{
    grid.clear();
    grid.setCols(cols);
    grid.setRows(32);
    grid.setFixedRows(fixedRows);
    grid.setEditable(false);
    grid.setMergeMode(MergeMode::FixedOnly);
    for (int c = 0; c < cols; ++c) {
        grid.setColWidth(c, width);
        grid.setColAlign(c, CellAlign::Center);
    }
}

} // namespace

void headJyhzb(TextGrid& grid, int screenpx)
{
    static const char* const head[5] = {"序号", "荷载(kN)", "维持时间(min)", "累计最大水平位移量",
                                        "累计最大残余水平位移量"};
    layout(grid, 5, 1, tableColumnWidth(screenpx, 2040, 2360, 1835, 2506));
    for (int c = 0; c < 5; ++c)
        grid.setText(0, c, head[c]);
}

void headHzb(TextGrid& grid, int screenpx)
{
    static const char* const row0[12] = {
        "序号", "荷载(kN)",     "观测时间",     "循环数",           "加载", "加载", "卸载",
        "卸载", "水平位移(mm)", "水平位移(mm)", "加载上下表读数差", "转角"};
    static const char* const row1[12] = {
        "序号", "荷载(kN)", "观测时间", "循环数",           "上表", "下表", "上表",
        "下表", "加载",     "卸载",     "加载上下表读数差", "转角"};
    layout(grid, 12, 2, tableColumnWidth(screenpx, 840, 860, 835, 906));
    for (int c = 0; c < 12; ++c) {
        grid.setText(0, c, row0[c]);
        grid.setText(1, c, row1[c]);
        grid.setMergeCol(c, c <= 3 || c == 10 || c == 11);
    }
    grid.setMergeRow(0, true);
    for (int r = 2; r < grid.rows(); ++r)
        grid.setText(r, 0, std::to_string(r - 1));
}

void fillSimpleSummary(TextGrid& grid, const TestData& d)
{
    grid.setEditable(false);
    showDataRows(grid, 1, simpleSummaryRows(d));
}

void fillFullSummary(TextGrid& grid, const TestData& d)
{
    grid.setEditable(false);
    grid.setMergeCol(1, true);
    grid.setMergeCol(10, true);
    grid.setMergeCol(11, true);
    grid.setMergeMode(MergeMode::FixedOnly);
    showDataRows(grid, 2, fullSummaryRows(d));
}

} // namespace pyx
