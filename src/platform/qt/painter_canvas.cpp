#include "platform/qt/painter_canvas.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace pyx {
namespace {

// Size of the images a canvas saves when it paints on no fixed rectangle.
constexpr QSize kFallbackSize(1200, 1300);

} // namespace

QColor toQColor(Color c)
{
    if (c.systemIndex == kButtonFace)
        return QGuiApplication::palette().color(QPalette::Button);
    if (c.systemIndex != 0)
        return Qt::black;
    return QColor(c.r, c.g, c.b);
}

PainterCanvas::PainterCanvas(QPainter& painter, const QRectF& target) : painter_(painter), target_(target)
{
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

QPointF PainterCanvas::device(double x, double y) const
{
    return {target_.left() + map_.deviceX(x), target_.top() + map_.deviceY(y)};
}

QPen PainterCanvas::pen() const
{
    QPen p(penColor_);
    p.setWidthF(std::max(1.0, penWidth_ * kPenUnit * map_.sizeScale() * screenScale_));
    p.setStyle(penStyle_ == kPenDotted ? Qt::DotLine : Qt::SolidLine);
    p.setCapStyle(Qt::FlatCap);
    return p;
}

void PainterCanvas::clear()
{
    record_.clear();
    painter_.fillRect(target_, Qt::white);
}

void PainterCanvas::setWindow(double left, double top, double width, double height)
{
    record_.setWindow(left, top, width, height);
    map_ = mapFrame(left, top, width, height, target_.width(), target_.height());
}

void PainterCanvas::setFontName(const std::string& name)
{
    record_.setFontName(name);
    fontName_ = QString::fromStdString(name);
}

void PainterCanvas::setFontSize(float size)
{
    record_.setFontSize(size);
    fontSize_ = size;
}

void PainterCanvas::setPenColor(Color c)
{
    record_.setPenColor(c);
    penColor_ = toQColor(c);
}

void PainterCanvas::setPenWidth(double width)
{
    record_.setPenWidth(width);
    penWidth_ = width;
}

void PainterCanvas::setPenStyle(int style)
{
    record_.setPenStyle(style);
    penStyle_ = style;
}

void PainterCanvas::setFillColor(Color c)
{
    record_.setFillColor(c);
    fillColor_ = toQColor(c);
}

void PainterCanvas::setTextColor(Color c)
{
    record_.setTextColor(c);
    textColor_ = toQColor(c);
}

void PainterCanvas::setTextAlign(int mode)
{
    record_.setTextAlign(mode);
}
void PainterCanvas::setTextX(double x)
{
    record_.setTextX(x);
}
void PainterCanvas::setTextY(double y)
{
    record_.setTextY(y);
}

void PainterCanvas::drawText(const std::string& text)
{
    record_.drawText(text);
    const double drawn = kTextEm * fontSize_ * map_.sizeScale() * screenScale_;
    if (!(drawn > 0.5))
        return;
    const double pixels = std::max(drawn, minTextPixels_);
    QFont font(fontName_);
    const int dpi = painter_.device() ? painter_.device()->logicalDpiY() : 96;
    font.setPointSizeF(pixels * 72.0 / dpi);
    const QString s = QString::fromStdString(text);
    const QFontMetricsF fm(font, painter_.device());
    const QPointF at = device(textX(), textY());
    // Texts are painted in the painter's own coordinates, never through a flipped window,
    // so they stay upright: starting at x, capitals hanging from y, kept inside the target.
    const double width = fm.horizontalAdvance(s);
    const double left = std::clamp(at.x(), target_.left(), std::max(target_.left(), target_.right() - width));
    const QPointF baseline(left, at.y() + fm.capHeight());
    painter_.save();
    painter_.setFont(font);
    painter_.setPen(textColor_);
    painter_.drawText(baseline, s);
    painter_.restore();
}

void PainterCanvas::drawLine(double x1, double y1, double x2, double y2)
{
    record_.drawLine(x1, y1, x2, y2);
    painter_.setPen(pen());
    painter_.drawLine(device(x1, y1), device(x2, y2));
}

void PainterCanvas::drawCircle(double x, double y, double radius)
{
    record_.drawCircle(x, y, radius);
    const double r = radius * map_.sizeScale() * screenScale_;
    painter_.setPen(pen());
    painter_.setBrush(fillColor_);
    painter_.drawEllipse(device(x, y), r, r);
    painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::setDrawStyle(int style)
{
    record_.setDrawStyle(style);
}

// The pointer belongs to the window's surface, not to a painted picture.
void PainterCanvas::setMousePointer(MousePointer p)
{
    record_.setMousePointer(p);
}

bool PainterCanvas::saveToFile(const std::string& path)
{
    const QSize size = target_.size().toSize().isEmpty() ? kFallbackSize : target_.size().toSize();
    return saveDrawing(record_.picture(), QString::fromStdString(path), size);
}

QImage renderDrawing(const Drawing& drawing, const QSize& size, qreal pixelRatio)
{
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    replay(drawing, canvas);
    return image;
}

bool saveDrawing(const Drawing& drawing, const QString& path, const QSize& size)
{
    const QImage image = renderDrawing(drawing, size).convertToFormat(QImage::Format_RGB32);
    return image.save(path);
}

} // namespace pyx
