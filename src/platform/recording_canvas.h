#pragma once
// A canvas that keeps its operations: the tests and pyx-cli read them, and the window's
// surface paints them again at its current size.

#include <functional>

#include "platform/canvas.h"

namespace pyx {

class RecordingCanvas : public Canvas
{
public:
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
    double textX() const override { return textX_; }
    double textY() const override { return textY_; }
    void drawText(const std::string& text) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawCircle(double x, double y, double radius) override;
    void setDrawStyle(int style) override;
    void setMousePointer(MousePointer p) override;
    Drawing picture() const override { return ops_; }
    bool saveToFile(const std::string& path) override;

    // The operations since the last clear, the clear included.
    const Drawing& ops() const { return ops_; }
    MousePointer mousePointer() const { return pointer_; }

    // Told after every drawing operation and after a change of the mouse pointer.
    std::function<void()> changed;
    std::function<void(MousePointer)> pointerChanged;
    // Writes a bitmap file of a drawing; without one, saving fails.
    std::function<bool(const Drawing&, const std::string& path)> bitmapWriter;

private:
    void add(std::string op, std::vector<CanvasArg> args);

    Drawing ops_;
    double textX_ = 0;
    double textY_ = 0;
    MousePointer pointer_ = MousePointer::Arrow;
};

} // namespace pyx
