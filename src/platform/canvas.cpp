#include "platform/canvas.h"

#include "base/json_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace pyx {
namespace {

double num(const CanvasOp& op, std::size_t i)
{
    if (i < op.args.size())
        if (const double* v = std::get_if<double>(&op.args[i]))
            return *v;
    return 0;
}

std::string str(const CanvasOp& op, std::size_t i)
{
    if (i < op.args.size())
        if (const std::string* s = std::get_if<std::string>(&op.args[i]))
            return *s;
    return {};
}

std::uint8_t channel(double v)
{
    return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
}

Color color(const CanvasOp& op)
{
    if (str(op, 0) == "system")
        return Color::system(static_cast<int>(num(op, 1)));
    return Color::rgb(channel(num(op, 0)), channel(num(op, 1)), channel(num(op, 2)));
}

void appendNumber(std::string& out, double v)
{
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

} // namespace

void replay(const Drawing& drawing, Canvas& target)
{
    for (const CanvasOp& op : drawing) {
        const std::string& n = op.op;
        if (n == "clear")
            target.clear();
        else if (n == "window")
            target.setWindow(num(op, 0), num(op, 1), num(op, 2), num(op, 3));
        else if (n == "fontName")
            target.setFontName(str(op, 0));
        else if (n == "fontSize")
            target.setFontSize(static_cast<float>(num(op, 0)));
        else if (n == "penColor")
            target.setPenColor(color(op));
        else if (n == "penWidth")
            target.setPenWidth(num(op, 0));
        else if (n == "penStyle")
            target.setPenStyle(static_cast<int>(num(op, 0)));
        else if (n == "fillColor")
            target.setFillColor(color(op));
        else if (n == "textColor")
            target.setTextColor(color(op));
        else if (n == "textAlign")
            target.setTextAlign(static_cast<int>(num(op, 0)));
        else if (n == "textX")
            target.setTextX(num(op, 0));
        else if (n == "textY")
            target.setTextY(num(op, 0));
        else if (n == "text")
            target.drawText(str(op, 0));
        else if (n == "line")
            target.drawLine(num(op, 0), num(op, 1), num(op, 2), num(op, 3));
        else if (n == "circle")
            target.drawCircle(num(op, 0), num(op, 1), num(op, 2));
        else if (n == "drawStyle")
            target.setDrawStyle(static_cast<int>(num(op, 0)));
    }
}

std::string toJson(const CanvasOp& op)
{
    std::string out = "{\"op\":";
    out += quoteJson(op.op);
    out += ",\"args\":[";
    for (std::size_t i = 0; i < op.args.size(); ++i) {
        if (i > 0)
            out += ',';
        if (const double* v = std::get_if<double>(&op.args[i]))
            appendNumber(out, *v);
        else
            out += quoteJson(std::get<std::string>(op.args[i]));
    }
    out += "]}";
    return out;
}

} // namespace pyx
