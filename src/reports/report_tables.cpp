#include "reports/report_tables.h"

#include <array>

#include "base/cp936.h"
#include "data/header_labels.h"
#include "data/settings.h"

namespace pyx {
namespace {

constexpr double kTitleSize = 20;
constexpr double kTableSize = 10.5;
constexpr double kAfterTableSize = 14;
constexpr double kRowHeight = 400;

std::string slot(const TestData& d, int k)
{
    return d.jlb[k].cstr.trimmed();
}

// The report title and an empty line, then the table style.
void title(PageDocument& doc, const char* text)
{
    doc.setFontSize(kTitleSize);
    doc.setBold(true);
    doc.setAlign(TextAlign::Center);
    doc.paragraph(text);
    doc.paragraph("");
    doc.setBold(false);
    doc.setAlign(TextAlign::Center);
    doc.setFontSize(kTableSize);
}

void endTable(PageDocument& doc, Table table)
{
    doc.table(std::move(table));
    doc.setFontSize(kAfterTableSize);
}

// Row 1 of a full-width table: project name over columns 1-7, pile number over 8-9, gauge
// distance over the rest.
void headerBlock(Table& t, const TestData& d, TextAlign distanceAlign)
{
    t.span(1, 1, 1, 7);
    t.setText(1, 1, kProjectLabel + slot(d, 0));
    t.setAlign(1, 1, TextAlign::Left);
    t.span(1, 8, 1, 9);
    t.setText(1, 8, kPileLabel + slot(d, 1));
    t.setAlign(1, 8, TextAlign::Left);
    t.span(1, 10, 1, t.cols());
    t.setText(1, 10, kDistanceLabel + slot(d, 5));
    t.setAlign(1, 10, distanceAlign);
}

// A heading over rows 2 and 3 of a column.
void tallHeading(Table& t, int col, const char* text)
{
    t.span(2, col, 3, col);
    t.setText(2, col, text);
}

// A heading over columns col .. lastCol of row 2 and the headings under it in row 3.
template <std::size_t N>
void groupHeading(Table& t, int col, int lastCol, const char* text, const std::array<const char*, N>& under)
{
    t.span(2, col, 2, lastCol);
    t.setText(2, col, text);
    for (std::size_t k = 0; k < N; ++k)
        t.setText(3, col + static_cast<int>(k), under[k]);
}

// Matrix rows first .. first + rows - 1, columns 0 .. cols - 1, into the table from row
// `top` and column 1.
void fillData(Table& t, int top, int first, int rows, const TextMatrix& m, std::size_t cols, bool trim)
{
    for (int j = 0; j < rows; ++j) {
        const std::size_t i = static_cast<std::size_t>(first) + static_cast<std::size_t>(j);
        if (i >= m.size())
            break;
        for (std::size_t c = 0; c < cols && c < m[i].size(); ++c)
            t.setText(top + j, static_cast<int>(c) + 1, trim ? trimBlanks(m[i][c]) : m[i][c]);
    }
}

// The record table and the full summary: one row per cycle, the load, time and cycle in the
// first three columns (of the given widths), the column of the reading difference wider.
Table cycleTable(PageDocument& doc, const TestData& d, const char* text, int cols, int rows,
                 const std::array<double, 3>& firstWidths)
{
    title(doc, text);
    Table t(cols, rows + 3);
    t.setDefaultColWidth(900);
    for (int c = 1; c <= 3; ++c)
        t.setColWidth(c, firstWidths[c - 1]);
    t.setColWidth(10, 1000);
    t.setDefaultRowHeight(kRowHeight);
    headerBlock(t, d, TextAlign::Left);
    t.setHeaderRows(3);
    tallHeading(t, 1, "荷载(kN)");
    tallHeading(t, 2, "观测时间");
    tallHeading(t, 3, "循环数");
    return t;
}

void rawTable(PageDocument& doc, const TestData& d, int first, int rows, const TextMatrix& m, bool word)
{
    title(doc, kTitleYsb);
    Table t(11, rows + 3);
    t.setDefaultColWidth(900);
    if (!word)
        t.setColWidth(10, 1000);
    t.setDefaultRowHeight(kRowHeight);
    headerBlock(t, d, TextAlign::Center);
    t.setHeaderRows(3);
    tallHeading(t, 1, word ? "理论荷 载(kN)" : "理论荷载 (kN)");
    tallHeading(t, 2, "荷载 (kN)");
    tallHeading(t, 3, "油压 (MPa)");
    tallHeading(t, 4, "记录 时间");
    tallHeading(t, 5, word ? "实际 间隔(min)" : "实际 间隔 (min)");
    groupHeading(t, 6, 9, "实 测 读 数 (mm)", std::array{"位移 1", "位移 2", "位移 3", "位移 4"});
    tallHeading(t, 10, "平均 沉降 (mm)");
    tallHeading(t, 11, "备注");
    fillData(t, 4, first, rows, m, 11, word);
    endTable(doc, std::move(t));
}

} // namespace

void TableJlb(PageDocument& doc, const TestData& d, int first, int rows, const TextMatrix& m)
{
    Table t = cycleTable(doc, d, kTitleJlb, 11, rows, {1000, 1000, 600});
    groupHeading(t, 4, 7, "加载水平位移(mm)", kGaugeNames);
    groupHeading(t, 8, 11, "卸载水平位移(mm)", kGaugeNames);
    fillData(t, 4, first, rows, m, 11, true);
    endTable(doc, std::move(t));
}

void TableHzb(PageDocument& doc, const TestData& d, int first, int rows, const TextMatrix& m)
{
    Table t = cycleTable(doc, d, kTitleHzb, 12, rows, {600, 1000, 400});
    groupHeading(t, 4, 5, "加载", std::array{"上表", "下表"});
    groupHeading(t, 6, 7, "卸载", std::array{"上表", "下表"});
    groupHeading(t, 8, 9, "水平位移(mm)", std::array{"加载", "卸载"});
    tallHeading(t, 10, "加载上下表读数差");
    tallHeading(t, 11, "转角");
    tallHeading(t, 12, "备注");
    fillData(t, 4, first, rows, m, 11, true);
    // Without upper gauges there is no upper displacement, difference or rotation to print.
    if (!gaugeFlagNonZero(d.csz, kUpperGauge1) && !gaugeFlagNonZero(d.csz, kUpperGauge2))
        for (int j = 0; j < rows; ++j)
            for (const int c : {3, 5, 9, 10})
                t.setText(4 + j, c + 1, "--");
    endTable(doc, std::move(t));
}

void TableJyhzb(PageDocument& doc, const TestData& d, int first, int rows, const TableRows& stages)
{
    title(doc, kTitleJyhzb);
    Table t(4, rows + 2);
    t.setDefaultColWidth(2400);
    t.setColWidth(1, 2000);
    t.setColWidth(2, 2000);
    t.setColWidth(3, 2600);
    t.setColWidth(4, 2600);
    t.setDefaultRowHeight(kRowHeight);
    t.setRowHeight(1, 600);
    t.setRowHeight(2, 600);
    t.span(1, 1, 1, 4);
    t.setText(1, 1, "试验桩号：" + slot(d, 1));
    t.setHeaderRows(2);
    const std::array headings{"荷载(kN)", "维持时间(min)", "累计最大水平位移量", "累计最大残余水平位移量"};
    for (int c = 0; c < 4; ++c)
        t.setText(2, c + 1, headings[c]);
    for (int j = 0; j < rows; ++j) {
        const std::size_t i = static_cast<std::size_t>(first) + static_cast<std::size_t>(j);
        if (i >= stages.size())
            break;
        // The serial number of the screen's summary is not printed.
        for (int c = 1; c <= 4 && c < static_cast<int>(stages[i].size()); ++c)
            t.setText(3 + j, c, trimBlanks(stages[i][c]));
    }
    endTable(doc, std::move(t));
}

void TableYsb(PageDocument& doc, const TestData& d, int first, int rows, const TextMatrix& m)
{
    rawTable(doc, d, first, rows, m, false);
}

void TableYsbW(PageDocument& doc, const TestData& d, int first, int rows, const TextMatrix& m)
{
    rawTable(doc, d, first, rows, m, true);
}

std::string pageStampText(int counter, int total)
{
    return fillPageFields(kPageStamp, counter + 1, total);
}

void PageNumber(PageDocument& doc)
{
    doc.setFontSize(12);
    doc.setAlign(TextAlign::Center);
    doc.textBox(kPageStamp, 4800, 15600, 3000, 1000, TextBoxRole::PageStamp);
}

} // namespace pyx
