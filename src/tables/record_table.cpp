#include "tables/record_table.h"

#include "data/numfmt.h"
#include "data/settings.h"
#include "tables/table_rows.h"

namespace pyx {

int tableColumnWidth(int screenpx, int at1024, int at1280, int at1366, int above1439)
{
    if (screenpx == 1366)
        return at1366;
    if (screenpx == 1024)
        return at1024;
    if (screenpx == 1280)
        return at1280;
    if (screenpx > 1439)
        return above1439;
    return TextGrid::kDefaultWidth;
}

std::string loadText(float hz, bool hzdecimal, std::int32_t maxload)
{
    if (!hzdecimal || maxload > 9999) {
        const auto whole = toLong(hz);
        return whole ? std::to_string(*whole) : formatSingle(hz, "#0");
    }
    if (maxload >= 1000)
        return formatSingle(hz, "##0.0");
    return formatSingle(hz, "##0.00");
}

void headJlb(TextGrid& grid, int screenpx)
{
    static const char* const row0[kRecordCols] = {
        "序号",         "荷载(kN)",     "观测时间",     "循环数",       "加载位移(mm)", "加载位移(mm)",
        "加载位移(mm)", "加载位移(mm)", "卸载位移(mm)", "卸载位移(mm)", "卸载位移(mm)", "卸载位移(mm)"};
    static const char* const row1[kRecordCols] = {"序号",  "荷载(kN)", "观测时间", "循环数",
                                                  "上表1", "上表2",    "下表1",    "下表2",
                                                  "上表1", "上表2",    "下表1",    "下表2"};
    grid.clear();
    grid.setCols(kRecordCols);
    grid.setRows(32);
    grid.setEditable(true);
    grid.setFixedRows(2);
    const int width = tableColumnWidth(screenpx, 840, 860, 835, 906);
    for (int c = 0; c < kRecordCols; ++c) {
        grid.setColWidth(c, width);
        grid.setColAlign(c, CellAlign::Center);
        grid.setMergeCol(c, c <= 3);
        grid.setText(0, c, row0[c]);
        grid.setText(1, c, row1[c]);
    }
    grid.setMergeRow(0, true);
    grid.setMergeMode(MergeMode::FixedOnly);
    for (int r = 2; r < grid.rows(); ++r)
        grid.setText(r, 0, std::to_string(r - 1));
}

void fillRecordTable(TextGrid& grid, const TestData& d)
{
    if (mergeTables(d.csz)) {
        for (int c = 1; c <= 3; ++c)
            grid.setMergeCol(c, true);
        grid.setMergeMode(MergeMode::FixedOnly);
    } else {
        grid.setMergeCol(1, true);
        grid.setMergeMode(MergeMode::RestrictAll);
    }
    grid.setEditable(true);
    showDataRows(grid, 2, recordTableRows(d));
}

void showDataRows(TextGrid& grid, int headerRows, const TableRows& rows)
{
    grid.setRows(headerRows + static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t c = 0; c < rows[i].size(); ++c)
            grid.setText(headerRows + static_cast<int>(i), static_cast<int>(c), rows[i][c]);
}

} // namespace pyx
