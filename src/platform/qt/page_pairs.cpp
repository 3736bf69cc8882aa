#include "platform/qt/page_pairs.h"

#include <QPainter>

#include "platform/qt/page_renderer.h"
#include "platform/text_measure.h"

namespace pyx {

bool renderPagePairs(const std::vector<LaidOutPage>& pages, const PageSetup& setup, QPagedPaintDevice& device)
{
    if (pages.empty())
        return true;
    const double pageWidth = setup.width / kTwipsPerPoint;
    const double pageHeight = setup.height / kTwipsPerPoint;
    const double gap = kPairGapTwips / kTwipsPerPoint;
    const QPageSize size(QSizeF(2 * pageWidth + gap, pageHeight), QPageSize::Point);
    device.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int dpi = device.logicalDpiX();
    const QPageLayout layout = device.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    const QPointF origin(full.left() - paint.left(), full.top() - paint.top());
    const double scale = full.width() / (2 * pageWidth + gap);
    const QSizeF onePage(pageWidth * scale, full.height());
    const QRectF gapRect(origin + QPointF(onePage.width(), 0), QSizeF(gap * scale, full.height()));
    for (std::size_t i = 0; i < pages.size(); i += 2) {
        if (i > 0 && !device.newPage())
            return false;
        painter.fillRect(QRectF(origin, QSizeF(full.size())), Qt::lightGray);
        renderPage(painter, pages[i], setup, QRectF(origin, onePage));
        if (i + 1 < pages.size())
            renderPage(painter, pages[i + 1], setup, QRectF(gapRect.topRight(), onePage));
    }
    return painter.end();
}

} // namespace pyx
