#include "reports/curve_pages.h"

#include <utility>

#include "data/header_labels.h"
#include "data/settings.h"

namespace pyx {
namespace {

constexpr double kPreviewPictureRow = 11780;
constexpr double kWordPictureRow = 11600;
constexpr double kWordReducedRow = 5910;

std::string slot(const TestData& d, int k)
{
    return d.jlb[k].cstr.trimmed();
}

// Title, then a table of `rows` rows whose first two rows carry the pile's data.
Table headTable(PageDocument& doc, const TestData& d, int rows)
{
    doc.setFontSize(20);
    doc.setBold(true);
    doc.setAlign(TextAlign::Center);
    doc.paragraph(kTitleCurves);
    doc.paragraph("");
    doc.setBold(false);
    Table t(3, rows);
    t.setDefaultColWidth(3000);
    t.setDefaultRowHeight(500);
    doc.setFontSize(10.5);
    t.span(1, 1, 1, 2);
    t.setText(1, 1, kProjectLabel + slot(d, 0));
    t.setText(1, 3, kPileLabel + slot(d, 1));
    t.setText(2, 1, "桩径：" + slot(d, 3));
    t.setText(2, 2, "桩长：" + slot(d, 4));
    t.setText(2, 3, "检测日期：" + slot(d, 2));
    for (const auto& [r, c] : {std::pair{1, 1}, {1, 3}, {2, 1}, {2, 2}, {2, 3}})
        t.setAlign(r, c, TextAlign::Left);
    return t;
}

int tagOf(PrintedCurve curve)
{
    return curve == PrintedCurve::Time ? kTimeCurveTag : kGradientCurveTag;
}

// On paper the curve fills its band of the picture area of the header table just written
// (the word processor's cell, or the preview's one tall cell shared by the reduced curves).
void place(PageDocument& doc, const CurveSource& src, PrintedCurve curve, double left, double top,
           Extent width, Extent height, std::optional<CellRef> cell, int part = 1, int parts = 1)
{
    const CellFill fill{cell.value_or(CellRef{doc.tableCount(), 3, 1}), cell ? 1 : part, cell ? 1 : parts};
    doc.picture(printedCurve(src.data, curve, src.gridRows), left, top, std::move(width), std::move(height),
                tagOf(curve), cell, fill);
}

} // namespace

void CurveHead(PageDocument& doc, const TestData& d, bool word)
{
    Table t = headTable(doc, d, 3);
    t.span(3, 1, 3, 3);
    t.setRowHeight(3, word ? kWordPictureRow : kPreviewPictureRow);
    doc.table(std::move(t));
    doc.setFontSize(14);
    doc.setAlign(TextAlign::Center);
}

void CurveHeadW(PageDocument& doc, const TestData& d)
{
    Table t = headTable(doc, d, 4);
    for (const int r : {3, 4}) {
        t.span(r, 1, r, 3);
        t.setAlign(r, 1, TextAlign::Center);
        t.setRowHeight(r, kWordReducedRow);
    }
    doc.table(std::move(t));
    doc.setFontSize(14);
    doc.setAlign(TextAlign::Left);
}

void placeFullCurve(PageDocument& doc, const CurveSource& src, PrintedCurve curve,
                    std::optional<CellRef> cell)
{
    place(doc, src, curve, 1680, 3420, "60%", "70%", cell);
}

int placeReducedCurves(PageDocument& doc, const CurveSource& src, std::optional<int> table)
{
    const auto& csz = src.data.csz;
    if (csz[printEntry(PrintItem::ReducedCurves)] != "1")
        return 0;
    // The entries are compared as texts here: a value other than "0" or "1" places nothing.
    const int a = csz[printEntry(PrintItem::TimeCurve)] == "1" ? 1 : 0;
    const int b = csz[printEntry(PrintItem::GradientCurve)] == "1" ? 1 : 0;
    const auto cell = [&](int row) {
        return table ? std::optional<CellRef>(CellRef{*table, row, 1}) : std::nullopt;
    };
    if (a + b == 1) {
        place(doc, src, a == 1 ? PrintedCurve::Time : PrintedCurve::Gradient, 4000, 6000, "33%", "38%",
              cell(3));
        return 1;
    }
    if (a + b == 2) {
        place(doc, src, PrintedCurve::Time, 4000, 3450, "33%", "38%", cell(3), 1, 2);
        place(doc, src, PrintedCurve::Gradient, 4000, 9080, "33%", "38%", cell(4), 2, 2);
        return 2;
    }
    return 0;
}

} // namespace pyx
