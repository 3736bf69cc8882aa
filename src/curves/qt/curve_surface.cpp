#include "curves/qt/curve_surface.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/canvas_frame.h"
#include "platform/qt/painter_canvas.h"

namespace pyx {

CurveSurface::CurveSurface(CurvePanel& panel, QWidget* parent) : QWidget(parent), panel_(panel)
{
    setObjectName("VSDraw1");
    setMouseTracking(true);
    setMinimumSize(300, 300);
    setAttribute(Qt::WA_OpaquePaintEvent);
    panel_.surface.changed = [this] { update(); };
    panel_.surface.pointerChanged = [this](MousePointer p) {
        setCursor(p == MousePointer::Cross ? Qt::CrossCursor : Qt::ArrowCursor);
    };
    panel_.surface.bitmapWriter = [](const Drawing& drawing, const std::string& path) {
        return saveDrawing(drawing, QString::fromStdString(path), QSize(1200, 1300));
    };
}

void CurveSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PainterCanvas canvas(painter, QRectF(rect()));
    canvas.setScreenScale(devicePixelRatioF());
    replay(panel_.surface.ops(), canvas);
}

void CurveSurface::mouseMoveEvent(QMouseEvent* event)
{
    const FrameMap m = drawingFrame(panel_.surface.ops(), width(), height());
    const QPointF p = event->position();
    panel_.mouseMove(m.drawingX(p.x()), m.drawingY(p.y()));
}

void CurveSurface::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        panel_.mouseDown(kRightButton);
}

void CurveSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        panel_.click();
}

} // namespace pyx
