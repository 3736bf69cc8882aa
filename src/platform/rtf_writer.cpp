#include "platform/rtf_writer.h"

#include <algorithm>
#include <cmath>

#include "base/cp936.h"
#include "base/file_io.h"

namespace pyx {
namespace {

constexpr const char* kBorders = "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                                 "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";

std::string num(double v)
{
    return std::to_string(std::lround(v));
}

bool ascii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

const char* alignWord(TextAlign a)
{
    switch (a) {
    case TextAlign::Center:
        return "\\qc";
    case TextAlign::Right:
        return "\\qr";
    case TextAlign::Left:
        break;
    }
    return "\\ql";
}

// Plain ASCII as it is (with RTF's three special characters escaped), everything else as
// 16-bit Unicode escapes with '?' for readers that know none.
void appendText(std::string& out, std::string_view utf8)
{
    for (const Utf8Char& ch : utf8Chars(utf8)) {
        const char32_t c = ch.code;
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\n') {
            out += "\\line ";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c >= 0x80) {
            const auto unit = [&](unsigned u) {
                out += "\\u" +
                       std::to_string(u >= 0x8000 ? static_cast<int>(u) - 0x10000 : static_cast<int>(u)) +
                       "?";
            };
            if (c > 0xFFFF) {
                const unsigned v = static_cast<unsigned>(c) - 0x10000;
                unit(0xD800 + (v >> 10));
                unit(0xDC00 + (v & 0x3FF));
            } else {
                unit(static_cast<unsigned>(c));
            }
        }
    }
}

class RtfWriter
{
public:
    RtfWriter(const Flow& flow, const WordOptions& options, const WordPlan& plan)
        : flow_(flow), o_(options), plan_(plan), fonts_(flowFonts(flow, options.defaultFont))
    {
    }

    std::string run()
    {
        out_ = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052\\uc1\n";
        fontTable();
        out_ += "{\\colortbl;\\red0\\green0\\blue0;}\n";
        const PageSetup& s = o_.setup;
        out_ += "\\paperw" + num(s.width) + "\\paperh" + num(s.height) + "\\margl" + num(s.marginLeft) +
                "\\margr" + num(s.marginRight) + "\\margt" + num(s.marginTop) + "\\margb" +
                num(s.marginBottom) + "\n";
        section(plan_.picturePartFromStart);
        out_ += o_.rtfHeadFoot;
        bool afterTable = false;
        for (std::size_t i = 0; i < flow_.size(); ++i) {
            const bool breakHere = plan_.startsPage[i];
            if (breakHere && plan_.sectionStart == i) {
                out_ += "\\pard\\plain\\fs2\\sect";
                section(true);
            }
            const bool pageBefore = breakHere && plan_.sectionStart != i;
            if (const auto* p = std::get_if<Paragraph>(&flow_[i])) {
                paragraph(*p, pageBefore);
                afterTable = false;
            } else if (const auto* t = std::get_if<Table>(&flow_[i])) {
                // Rows that follow rows join their table: an empty line keeps two tables apart.
                if (pageBefore || afterTable)
                    out_ += std::string("\\pard\\plain") + (pageBefore ? "\\pagebb" : "") + "\\fs2\\par\n";
                table(*t, plan_.tableNumber[i]);
                afterTable = true;
            } else if (const auto* x = std::get_if<TextBox>(&flow_[i])) {
                frame(x->left, x->top, x->width, x->height, x->style, pageBefore);
                appendText(out_, x->text);
                out_ += "\\par\n";
                afterTable = false;
            } else if (std::holds_alternative<Picture>(flow_[i]) && plan_.pictures[i] && !plan_.inCell(i)) {
                const auto& p = std::get<Picture>(flow_[i]);
                const WordPicture& w = *plan_.pictures[i];
                frame(p.left, p.top, w.size.width, w.size.height, TextStyle{}, pageBefore);
                picture(w);
                out_ += "\\par\n";
                afterTable = false;
            }
        }
        out_ += "}\n";
        return std::move(out_);
    }

private:
    void fontTable()
    {
        out_ += "{\\fonttbl";
        for (std::size_t k = 0; k < fonts_.size(); ++k) {
            const std::string& name = fonts_[k];
            out_ += "{\\f" + std::to_string(k) + "\\fnil\\fcharset" + (ascii(name) ? "0 " : "134 ");
            if (ascii(name)) {
                appendText(out_, name);
            } else {
                // A Chinese font name is given in its character set's bytes, as word
                // processors write it.
                static const char* hex = "0123456789abcdef";
                for (const char b : encodeCp936(name)) {
                    const auto u = static_cast<unsigned char>(b);
                    if (u < 0x80) {
                        appendText(out_, std::string(1, b));
                    } else {
                        out_ += "\\'";
                        out_ += hex[u >> 4];
                        out_ += hex[u & 15];
                    }
                }
            }
            out_ += ";}";
        }
        out_ += "}\n";
    }

    std::size_t fontIndex(const std::string& name) const
    {
        const auto it = std::find(fonts_.begin(), fonts_.end(), name);
        return it == fonts_.end() ? 0 : static_cast<std::size_t>(it - fonts_.begin());
    }

    void section(bool picturePart)
    {
        const PageSetup& s = o_.setup;
        const double top = picturePart ? *o_.picturePartMargin : s.marginTop;
        const double bottom = picturePart ? *o_.picturePartMargin : s.marginBottom;
        out_ += "\\sectd\\sbkpage\\pgwsxn" + num(s.width) + "\\pghsxn" + num(s.height) + "\\marglsxn" +
                num(s.marginLeft) + "\\margrsxn" + num(s.marginRight) + "\\margtsxn" + num(top) +
                "\\margbsxn" + num(bottom) + "\n";
    }

    void charFormat(const TextStyle& style)
    {
        out_ += "\\f" + std::to_string(fontIndex(style.font.name)) + "\\fs" +
                std::to_string(halfPoints(style.font.size));
        if (style.font.bold)
            out_ += "\\b";
        out_ += ' ';
    }

    void paragraph(const Paragraph& p, bool pageBefore)
    {
        out_ += "\\pard\\plain";
        if (pageBefore)
            out_ += "\\pagebb";
        out_ += alignWord(p.style.align);
        charFormat(p.style);
        appendText(out_, p.text);
        out_ += "\\par\n";
    }

    void frame(double left, double top, double width, double height, const TextStyle& style, bool pageBefore)
    {
        out_ += "\\pard\\plain";
        if (pageBefore)
            out_ += "\\pagebb";
        out_ += "\\phpg\\posx" + num(left) + "\\pvpg\\posy" + num(top) + "\\absw" + num(width) + "\\absh-" +
                num(height) + alignWord(style.align);
        charFormat(style);
    }

    void picture(const WordPicture& w)
    {
        out_ += "{\\pict\\pngblip\\picw" + std::to_string(w.pixelWidth) + "\\pich" +
                std::to_string(w.pixelHeight) + "\\picwgoal" + num(w.size.width) + "\\pichgoal" +
                num(w.size.height) + "\n";
        static const char* hex = "0123456789abcdef";
        std::size_t column = 0;
        for (const char b : w.png) {
            const auto u = static_cast<unsigned char>(b);
            out_ += hex[u >> 4];
            out_ += hex[u & 15];
            if (++column == 64) {
                out_ += '\n';
                column = 0;
            }
        }
        out_ += "}";
    }

    void table(const Table& t, int number)
    {
        const bool full = o_.pictureTablesFullWidth && plan_.pictureTables.count(number) > 0;
        const std::vector<long> edges = columnEdges(t, full, o_.setup.contentWidth());
        for (int r = 1; r <= t.rows(); ++r) {
            out_ += "\\trowd\\trgaph" + num(kCellPaddingX) + "\\trleft0\\trqc\\trkeep\\trrh" +
                    num(t.rowHeight(r)) + "\\trpaddl" + num(kCellPaddingX) + "\\trpaddr" +
                    num(kCellPaddingX) + "\\trpaddfl3\\trpaddfr3";
            if (r <= t.headerRows())
                out_ += "\\trhdr";
            if (full)
                out_ += "\\trftsWidth2\\trwWidth5000";
            out_ += "\n";
            std::vector<TableSpan> cells;
            for (int c = 1; c <= t.cols(); ++c) {
                const TableSpan s = t.spanOf(r, c);
                if (s.col != c)
                    continue; // inside a horizontal merge: one cell reaches over it
                cells.push_back(s);
                if (s.rows > 1)
                    out_ += s.row == r ? "\\clvmgf" : "\\clvmrg";
                out_ += std::string("\\clvertalc") + kBorders + "\\cellx" +
                        std::to_string(edges[static_cast<std::size_t>(s.col + s.cols - 2)]) + "\n";
            }
            for (const TableSpan& s : cells)
                cell(t, number, r, s);
            out_ += "\\row\n";
        }
    }

    // The text of a cell of row `r` (the merged range `s` starts in it or above it) and the
    // pictures it holds.
    void cell(const Table& t, int number, int r, const TableSpan& s)
    {
        const bool owner = s.row == r;
        out_ += std::string("\\pard\\plain\\intbl") + alignWord(t.align(s.row, s.col));
        charFormat(t.style);
        const std::vector<std::size_t>* pictures = owner ? plan_.picturesOf(number, r, s.col) : nullptr;
        if (owner)
            appendText(out_, t.text(r, s.col));
        if (pictures) {
            if (!t.text(r, s.col).empty())
                out_ += "\\par\\pard\\plain\\intbl\\qc ";
            for (const std::size_t b : *pictures)
                picture(*plan_.pictures[b]);
        }
        out_ += "\\cell\n";
    }

    const Flow& flow_;
    const WordOptions& o_;
    const WordPlan& plan_;
    std::vector<std::string> fonts_;
    std::string out_;
};

} // namespace

WordOutput rtfDocument(const Flow& flow, const WordOptions& options, const PictureEncoder& encoder)
{
    const WordPlan plan = planWord(flow, options, encoder);
    if (!plan.error.empty())
        return {std::string(), IoResult::failed(plan.error)};
    return {RtfWriter(flow, options, plan).run()};
}

IoResult writeWordOutput(const std::string& path, const WordOutput& output)
{
    if (!output.status)
        return output.status;
    return writeFileAtomic(path, output.bytes);
}

IoResult writeRtf(const std::string& path, const Flow& flow, const WordOptions& options,
                  const PictureEncoder& encoder)
{
    return writeWordOutput(path, rtfDocument(flow, options, encoder));
}

} // namespace pyx
