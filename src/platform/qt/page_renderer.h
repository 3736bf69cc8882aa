#pragma once
// Paints laid-out report pages on a QPainter: the screen, a printer, a PDF writer or an
// image. Curve pictures are replayed through the painter canvas, so paper and screen show
// one drawing.

#include <QRectF>
#include <vector>

#include "platform/page_layout.h"

class QPainter;
class QPagedPaintDevice;

namespace pyx {

// Paints one page, the whole sheet filling `target` (painter coordinates) on white.
void renderPage(QPainter& painter, const LaidOutPage& page, const PageSetup& setup, const QRectF& target);

// Paints every page on a printer or PDF writer, one sheet each, at the page size of the
// setup and without device margins. False when painting could not start on the device.
bool renderPages(const std::vector<LaidOutPage>& pages, const PageSetup& setup, QPagedPaintDevice& device);

} // namespace pyx
