#include "mainwin/summary_tables.h"

#include <algorithm>

#include "data/numfmt.h"
#include "data/settings.h"
#include "data/text_format.h"
#include "eval/evaluation.h"
#include "mainwin/record_table.h"

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
    const int stages = std::min<int>(d.hzcount, static_cast<int>(d.hzdat.size()));
    grid.setEditable(false);
    grid.setRows(std::max(0, stages) + 1);
    for (int i = 0; i < stages; ++i) {
        const HzRow& h = d.hzdat[i];
        grid.setText(i + 1, 0, std::to_string(i + 1));
        grid.setText(i + 1, 1, loadText(h.load, d.hzdecimal, d.maxload));
        grid.setText(i + 1, 2, std::to_string(h.minutes));
        grid.setText(i + 1, 3, h.maxDisp);
        grid.setText(i + 1, 4, h.maxResidual);
    }
}

void fillFullSummary(TextGrid& grid, const TestData& d)
{
    grid.setEditable(false);
    grid.setMergeCol(1, true);
    grid.setMergeCol(10, true);
    grid.setMergeCol(11, true);
    grid.setMergeMode(MergeMode::FixedOnly);
    const int rows = std::max(0, std::min<int>(d.jlbn, kJlbRows));
    grid.setRows(rows + 2);
    const bool upper = settingNonZero(d.csz, 10) || settingNonZero(d.csz, 11);
    const bool lower = settingNonZero(d.csz, 12) || settingNonZero(d.csz, 13);
    const auto shown = [](bool inUse, float v) {
        return inUse ? formatSingle(v, "#0.00") : std::string("--");
    };
    for (int i = 0; i < rows; ++i) {
        const JlbRec& p = d.jlbp[i];
        const int r = i + 2;
        grid.setText(r, 0, std::to_string(i + 1));
        grid.setText(r, 1, singleText(p.hz));
        grid.setText(r, 2, p.sj.trimmed());
        grid.setText(r, 3, std::to_string(p.xh));
        grid.setText(r, 4, shown(upper, p.ds[upperLoading]));
        grid.setText(r, 5, shown(lower, p.ds[dispLoading]));
        grid.setText(r, 6, shown(upper, p.ds[upperUnloading]));
        grid.setText(r, 7, shown(lower, p.ds[dispUnloading]));
        grid.setText(r, 8, formatNumericText(grid.text(r, 5), "#0.00"));
        grid.setText(r, 9, formatNumericText(grid.text(r, 7), "#0.00"));
        if (upper && lower) {
            const ReadingDifference diff = readingDifference(grid.text(r, 4), grid.text(r, 5));
            grid.setText(r, 10, diff.diff);
            grid.setText(r, 11, diff.angle);
        } else {
            grid.setText(r, 10, "--");
            grid.setText(r, 11, "--");
        }
    }
}

} // namespace pyx
