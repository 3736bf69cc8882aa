#include "platform/qt/page_renderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "platform/qt/painter_canvas.h"
#include "platform/qt/qt_text_measure.h"

namespace pyx {
namespace {

// The least size of a picture's texts on paper, in points: still easily read in print, and
// small enough that the axis labels of a curve in a band of half a page (the reduced curves)
// keep clear of the axis.
constexpr double kPictureTextPoints = 5.5;

// A screen of 96 dots per inch.
constexpr double kTwipsPerScreenPixel = 1440.0 / 96;

Qt::Alignment horizontal(TextAlign a)
{
    switch (a) {
    case TextAlign::Center:
        return Qt::AlignHCenter;
    case TextAlign::Right:
        return Qt::AlignRight;
    case TextAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Twips of the sheet to painter coordinates of the target.
struct SheetMap
{
    QRectF target;
    double sx = 1;
    double sy = 1;

    QPointF point(double x, double y) const { return {target.left() + x * sx, target.top() + y * sy}; }
    QRectF rect(const PageRect& r) const
    {
        return {point(r.left, r.top), QSizeF(r.width * sx, r.height * sy)};
    }
    double size(double twips) const { return twips * std::min(sx, sy); }
};

} // namespace

void paintPicture(QPainter& painter, const Drawing& drawing, const QRectF& target, const QSizeF& twips)
{
    if (target.isEmpty() || twips.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    // The drawing is painted as on a screen of the picture's size, then scaled to the
    // device, so that its thinnest pens are as thin as on screen, not one device dot.
    const QSizeF screen(twips.width() / kTwipsPerScreenPixel, twips.height() / kTwipsPerScreenPixel);
    painter.translate(target.topLeft());
    painter.scale(target.width() / screen.width(), target.height() / screen.height());
    PainterCanvas canvas(painter, QRectF(QPointF(0, 0), screen));
    canvas.setMinimumTextPixels(kPictureTextPoints * 96 / 72);
    replay(drawing, canvas);
    painter.restore();
}

void renderPage(QPainter& painter, const LaidOutPage& page, const PageSetup& setup, const QRectF& target)
{
    if (setup.width <= 0 || setup.height <= 0 || target.isEmpty())
        return;
    const SheetMap map{target, target.width() / setup.width, target.height() / setup.height};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(target, Qt::white);

    // Pictures first: each one clears its rectangle to white, and rules and texts stay on top.
    for (const PlacedPicture& p : page.pictures) {
        const QRectF r = map.rect(p.rect);
        if (!p.drawing || r.isEmpty())
            continue;
        paintPicture(painter, *p.drawing, r, QSizeF(p.rect.width, p.rect.height));
    }

    for (const Rule& rule : page.rules) {
        QPen pen(Qt::black);
        // Never thinner than one device pixel, so that a small image keeps its borders.
        pen.setWidthF(std::max(1.0, map.size(rule.width)));
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLine(map.point(rule.x1, rule.y1), map.point(rule.x2, rule.y2));
    }

    painter.setPen(Qt::black);
    for (const TextRun& run : page.texts) {
        const double pixels = map.size(run.font.size * kTwipsPerPoint);
        if (pixels < 0.5)
            continue;
        painter.setFont(pageFont(run.font, pixels, painter.device()));
        painter.drawText(map.rect(run.box),
                         static_cast<int>(horizontal(run.align) | Qt::AlignVCenter) | Qt::TextSingleLine |
                             Qt::TextDontClip,
                         QString::fromStdString(run.text));
    }
    painter.restore();
}

bool renderPages(const std::vector<LaidOutPage>& pages, const PageSetup& setup, QPagedPaintDevice& device)
{
    if (pages.empty())
        return true;
    const QPageSize size(QSizeF(setup.width / kTwipsPerPoint, setup.height / kTwipsPerPoint),
                         QPageSize::Point);
    device.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter's origin is the corner of the printable area, which a printer may keep
    // inside the sheet.
    const int dpi = device.logicalDpiX();
    const QPageLayout layout = device.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    const QRectF target(QPointF(full.left() - paint.left(), full.top() - paint.top()), QSizeF(full.size()));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        renderPage(painter, pages[i], setup, target);
    }
    return painter.end();
}

} // namespace pyx
