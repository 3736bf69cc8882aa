#pragma once
// Pages two by two on one sheet, for a preview that shows pages side by side as they are
// numbered: 1 and 2, 3 and 4, ... (a book's facing view starts page 1 alone on the right).

#include <QPagedPaintDevice>
#include <vector>

#include "platform/page_layout.h"

namespace pyx {

// The sheet of a pair: two pages and the gap between them.
constexpr int kPairGapTwips = 360;

// The sheet that shows `page` (1-based) and the first page of sheet `sheet` (1-based).
constexpr int pairSheetOf(int page)
{
    return (page + 1) / 2;
}
constexpr int firstPageOfSheet(int sheet)
{
    return 2 * sheet - 1;
}

// Paints the pages two to a sheet, each at its own size, the odd page on the left; a last
// odd page stands alone on the left half. False when painting could not start.
bool renderPagePairs(const std::vector<LaidOutPage>& pages, const PageSetup& setup,
                     QPagedPaintDevice& device);

} // namespace pyx
