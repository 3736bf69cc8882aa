#include "platform/recording_canvas.h"

namespace pyx {
namespace {

std::vector<CanvasArg> colorArgs(Color c)
{
    if (c.systemIndex != 0)
        return {std::string("system"), static_cast<double>(c.systemIndex)};
    return {static_cast<double>(c.r), static_cast<double>(c.g), static_cast<double>(c.b)};
}

} // namespace

void RecordingCanvas::add(std::string op, std::vector<CanvasArg> args)
{
    ops_.push_back({std::move(op), std::move(args)});
    if (changed)
        changed();
}

void RecordingCanvas::clear()
{
    ops_.clear();
    add("clear", {});
}

void RecordingCanvas::setWindow(double left, double top, double width, double height)
{
    add("window", {left, top, width, height});
}

void RecordingCanvas::setFontName(const std::string& name)
{
    add("fontName", {name});
}
void RecordingCanvas::setFontSize(float size)
{
    add("fontSize", {static_cast<double>(size)});
}
void RecordingCanvas::setPenColor(Color c)
{
    add("penColor", colorArgs(c));
}
void RecordingCanvas::setPenWidth(double width)
{
    add("penWidth", {width});
}
void RecordingCanvas::setPenStyle(int style)
{
    add("penStyle", {static_cast<double>(style)});
}
void RecordingCanvas::setFillColor(Color c)
{
    add("fillColor", colorArgs(c));
}
void RecordingCanvas::setTextColor(Color c)
{
    add("textColor", colorArgs(c));
}
void RecordingCanvas::setTextAlign(int mode)
{
    add("textAlign", {static_cast<double>(mode)});
}

void RecordingCanvas::setTextX(double x)
{
    textX_ = x;
    add("textX", {x});
}

void RecordingCanvas::setTextY(double y)
{
    textY_ = y;
    add("textY", {y});
}

void RecordingCanvas::drawText(const std::string& text)
{
    add("text", {text});
}
void RecordingCanvas::drawLine(double x1, double y1, double x2, double y2)
{
    add("line", {x1, y1, x2, y2});
}
void RecordingCanvas::drawCircle(double x, double y, double radius)
{
    add("circle", {x, y, radius});
}
void RecordingCanvas::setDrawStyle(int style)
{
    add("drawStyle", {static_cast<double>(style)});
}

void RecordingCanvas::setMousePointer(MousePointer p)
{
    if (p == pointer_)
        return;
    pointer_ = p;
    if (pointerChanged)
        pointerChanged(p);
}

bool RecordingCanvas::saveToFile(const std::string& path)
{
    return bitmapWriter && bitmapWriter(ops_, path);
}

} // namespace pyx
