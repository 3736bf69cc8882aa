#pragma once
// The curve pages: the title and the header table with the pile's data around the picture
// area, and the curve pictures placed on the page, full size (one curve a page) or reduced
// (the selected curves together on one page).

#include <optional>

#include "curves/printed_curve.h"
#include "data/model.h"
#include "platform/page_document.h"

namespace pyx {

inline constexpr const char* kTitleCurves = "单桩水平静载试验曲线图";

// The outline's names of the two curves.
inline constexpr int kTimeCurveTag = 1;
inline constexpr int kGradientCurveTag = 2;

// Where the curves come from: the printed variants of the screen drawings.
struct CurveSource
{
    const TestData& data;
    int gridRows = 0; // rows of the main grid, as the gradient curve's guard reads them
};

// The title and the three-row header table whose last row is the picture area (taller in
// the preview than in the Word document).
void CurveHead(PageDocument& doc, const TestData& d, bool word);
// The Word document's reduced page: title and a four-row header table, rows 3 and 4 each
// holding one curve.
void CurveHeadW(PageDocument& doc, const TestData& d);

// A curve at full size; in the Word document `cell` is the cell it goes in.
void placeFullCurve(PageDocument& doc, const CurveSource& src, PrintedCurve curve,
                    std::optional<CellRef> cell = std::nullopt);
// The reduced curves when settings entry 79 asks for them; `table` (Word document only) is
// the header table whose rows 3 and 4 receive them. Returns how many pictures were placed.
int placeReducedCurves(PageDocument& doc, const CurveSource& src, std::optional<int> table = std::nullopt);

} // namespace pyx
