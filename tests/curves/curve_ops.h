#pragma once
// Reading recorded curve drawings back: texts with their positions, lines, pen changes.

#include <string>
#include <vector>

#include "platform/recording_canvas.h"

namespace pyx::test {

struct PlacedText
{
    double x = 0;
    double y = 0;
    std::string text;
};

struct Segment
{
    double x1, y1, x2, y2;
};

inline double arg(const CanvasOp& op, std::size_t i)
{
    return std::get<double>(op.args.at(i));
}

inline std::vector<PlacedText> texts(const Drawing& ops)
{
    std::vector<PlacedText> out;
    double x = 0;
    double y = 0;
    for (const CanvasOp& op : ops) {
        if (op.op == "textX")
            x = arg(op, 0);
        else if (op.op == "textY")
            y = arg(op, 0);
        else if (op.op == "text")
            out.push_back({x, y, std::get<std::string>(op.args.at(0))});
    }
    return out;
}

inline const PlacedText* findText(const std::vector<PlacedText>& all, const std::string& text)
{
    for (const PlacedText& t : all)
        if (t.text == text)
            return &t;
    return nullptr;
}

inline std::vector<Segment> lines(const Drawing& ops, std::size_t from = 0)
{
    std::vector<Segment> out;
    for (std::size_t i = from; i < ops.size(); ++i)
        if (ops[i].op == "line")
            out.push_back({arg(ops[i], 0), arg(ops[i], 1), arg(ops[i], 2), arg(ops[i], 3)});
    return out;
}

inline std::size_t countOps(const Drawing& ops, const std::string& name)
{
    std::size_t n = 0;
    for (const CanvasOp& op : ops)
        n += op.op == name;
    return n;
}

// Index of the first operation `name` with these arguments, or the size when none.
inline std::size_t indexOf(const Drawing& ops, const std::string& name, const std::vector<CanvasArg>& args)
{
    for (std::size_t i = 0; i < ops.size(); ++i)
        if (ops[i].op == name && ops[i].args == args)
            return i;
    return ops.size();
}

} // namespace pyx::test
