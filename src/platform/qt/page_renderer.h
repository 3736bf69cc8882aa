#pragma once
// Paints laid-out report pages on a QPainter: the screen, a printer, a PDF writer or an
// image. Curve pictures are replayed through the painter canvas, so paper and screen show
// one drawing.

#include <QRectF>
#include <QSizeF>
#include <vector>

#include "platform/page_layout.h"

class QPainter;
class QPagedPaintDevice;

namespace pyx {

// Paints a curve picture into `target` (painter coordinates) as the pages show it: laid out as
// on a screen of the picture's size on paper (`twips`), so that thin pens stay thin and the
// texts readable however far the picture is scaled.
void paintPicture(QPainter& painter, const Drawing& drawing, const QRectF& target, const QSizeF& twips);

// Paints one page, the whole sheet filling `target` (painter coordinates) on white.
void renderPage(QPainter& painter, const LaidOutPage& page, const PageSetup& setup, const QRectF& target);

// Paints every page on a printer or PDF writer, one sheet each, at the page size of the
// setup and without device margins. False when painting could not start on the device.
bool renderPages(const std::vector<LaidOutPage>& pages, const PageSetup& setup, QPagedPaintDevice& device);

} // namespace pyx
