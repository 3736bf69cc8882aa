#pragma once
// The drawing canvas the curves draw on: a logical coordinate window, pen, fill and
// text state, texts, lines and circles, the mouse pointer over the drawing, the drawing
// as a picture and as a bitmap file. The recording canvas keeps the operations (tests,
// pyx-cli, the window's surface); the Qt canvas paints them on a device.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace pyx {

// An RGB colour, or a system colour by its index (15: the face of buttons).
struct Color
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    int systemIndex = 0; // 0: the RGB value applies

    static constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {r, g, b, 0}; }
    static constexpr Color system(int index) { return {0, 0, 0, index}; }
    bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack = Color::rgb(0, 0, 0);
inline constexpr Color kBrightRed = Color::rgb(255, 0, 0);
inline constexpr int kButtonFace = 15;

inline constexpr int kPenSolid = 0;
inline constexpr int kPenDotted = 2;

enum class MousePointer
{
    Arrow = 1,
    Cross = 2
};

// One recorded operation: its name and arguments, as pyx-cli prints them.
using CanvasArg = std::variant<double, std::string>;
struct CanvasOp
{
    std::string op;
    std::vector<CanvasArg> args;
    bool operator==(const CanvasOp&) const = default;
};
// A drawing as a picture: the operations since the last clear.
using Drawing = std::vector<CanvasOp>;

class Canvas
{
public:
    virtual ~Canvas() = default;

    virtual void clear() = 0;
    // Maps the drawing onto x = left .. left + width and y = top .. top + height (a negative
    // height makes y grow upwards).
    virtual void setWindow(double left, double top, double width, double height) = 0;
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(float size) = 0;
    virtual void setPenColor(Color c) = 0;
    virtual void setPenWidth(double width) = 0;
    virtual void setPenStyle(int style) = 0; // kPenSolid, kPenDotted
    virtual void setFillColor(Color c) = 0;
    virtual void setTextColor(Color c) = 0;
    virtual void setTextAlign(int mode) = 0;
    virtual void setTextX(double x) = 0;
    virtual void setTextY(double y) = 0;
    virtual double textX() const = 0;
    virtual double textY() const = 0;
    virtual void drawText(const std::string& text) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void drawCircle(double x, double y, double radius) = 0;
    virtual void setDrawStyle(int style) = 0;
    virtual void setMousePointer(MousePointer p) = 0;
    virtual Drawing picture() const = 0;
    // Writes the drawing as a bitmap file; false when it could not be written.
    virtual bool saveToFile(const std::string& path) = 0;

    // Text T at (x, y): the text position, then the text.
    void textAt(double x, double y, const std::string& text)
    {
        setTextX(x);
        setTextY(y);
        drawText(text);
    }
};

// Plays a picture's operations on a canvas (the mouse pointer and file saves are not part
// of a picture).
void replay(const Drawing& drawing, Canvas& target);

// The operation as one JSON object: {"op":"line","args":[0,-15,0,1100]}.
std::string toJson(const CanvasOp& op);

} // namespace pyx
