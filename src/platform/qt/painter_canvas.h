#pragma once
// The canvas on a QPainter: the drawing's coordinate window is mapped onto a rectangle of
// the painter (a widget, a printer page, a PDF, an image). Texts stay upright and start
// at their reference point with their capital height below it; font sizes and pen
// widths follow the size of the rectangle, so the picture looks the same at every size.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>

#include "platform/canvas_frame.h"
#include "platform/recording_canvas.h"

class QPainter;

namespace pyx {

class PainterCanvas : public Canvas
{
public:
    PainterCanvas(QPainter& painter, const QRectF& target);

    void clear() override;
    void setWindow(double left, double top, double width, double height) override;
    void setFontName(const std::string& name) override;
    void setFontSize(float size) override;
    void setPenColor(Color c) override;
    void setPenWidth(double width) override;
    void setPenStyle(int style) override;
    void setFillColor(Color c) override;
    void setTextColor(Color c) override;
    void setTextAlign(int mode) override;
    void setTextX(double x) override;
    void setTextY(double y) override;
    double textX() const override { return record_.textX(); }
    double textY() const override { return record_.textY(); }
    void drawText(const std::string& text) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawCircle(double x, double y, double radius) override;
    void setDrawStyle(int style) override;
    void setMousePointer(MousePointer p) override;
    Drawing picture() const override { return record_.picture(); }
    // Texts are painted at least this many pixels high (their em), however small the
    // drawing is scaled: a curve on paper keeps readable captions.
    void setMinimumTextPixels(double pixels) { minTextPixels_ = pixels; }
    // On a screen scaled by the system (a device pixel ratio above 1) texts, pens and point
    // marks grow by that ratio, as the window's other texts do; the curve's frame keeps the
    // size of the target.
    void setScreenScale(double ratio) { screenScale_ = ratio > 0 ? ratio : 1; }
    // Renders the picture at the size of the target rectangle.
    bool saveToFile(const std::string& path) override;

private:
    QPen pen() const;
    QPointF device(double x, double y) const;

    QPainter& painter_;
    QRectF target_;
    FrameMap map_;
    RecordingCanvas record_;
    QString fontName_ = QStringLiteral("Tahoma");
    double fontSize_ = 10;
    double minTextPixels_ = 0;
    double screenScale_ = 1;
    QColor penColor_ = Qt::black;
    double penWidth_ = 1;
    int penStyle_ = kPenSolid;
    QColor fillColor_ = Qt::black;
    QColor textColor_ = Qt::black;
};

// The colour a canvas colour stands for (system colours from the application palette).
QColor toQColor(Color c);

// A drawing on a white image of `size` device pixels at `pixelRatio`.
QImage renderDrawing(const Drawing& drawing, const QSize& size, qreal pixelRatio = 1);
// Writes a drawing as an image file; the format follows the file's suffix (".bmp", ".png").
bool saveDrawing(const Drawing& drawing, const QString& path, const QSize& size);

} // namespace pyx
