#include "platform/page_layout.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "platform/text_wrap.h"

namespace pyx {
namespace {

// Heights are sums of twips; this much past the content bottom still fits.
constexpr double kFitTolerance = 0.5;

// A piece of a horizontal (at = y) or vertical (at = x) border.
struct Segment
{
    double at = 0;
    double from = 0;
    double to = 0;
};

// Joins pieces of one line that touch or overlap, so that a border is drawn once.
void mergeSegments(std::vector<Segment>& segs, bool horizontal, std::vector<Rule>& out)
{
    std::sort(segs.begin(), segs.end(), [](const Segment& a, const Segment& b) {
        return std::tie(a.at, a.from) < std::tie(b.at, b.from);
    });
    for (std::size_t i = 0; i < segs.size();) {
        Segment run = segs[i++];
        while (i < segs.size() && segs[i].at == run.at && segs[i].from <= run.to) {
            run.to = std::max(run.to, segs[i].to);
            ++i;
        }
        if (horizontal)
            out.push_back({run.from, run.at, run.to, run.at, kRuleWidth});
        else
            out.push_back({run.at, run.from, run.at, run.to, kRuleWidth});
    }
}

// The rows of a table placed on one page.
struct Chunk
{
    std::size_t page = 0;
    int first = 0;
    int last = 0;
};

class Layouter
{
public:
    Layouter(const PageSetup& setup, const TextMeasure& measure) : setup_(setup), measure_(measure) {}

    // A page stamp placed: its page, its box there and where its lines go among the texts.
    struct Stamp
    {
        std::size_t page = 0;
        std::size_t box = 0;
        std::size_t textAt = 0;
    };

    std::vector<LaidOutPage> run(const Flow& flow)
    {
        // The tables whose cells pictures fill keep their geometry.
        for (const Block& b : flow)
            if (const auto* p = std::get_if<Picture>(&b); p && p->fill)
                filledTables_.insert(p->fill->cell.table);
        for (std::size_t i = 0; i < flow.size(); ++i) {
            if (!std::holds_alternative<PageBreak>(flow[i]))
                page();
            std::visit([&](const auto& b) { place(i, b); }, flow[i]);
        }
        fillStamps(flow);
        return std::move(pages_);
    }

private:
    LaidOutPage& page()
    {
        if (pages_.empty())
            newPage();
        return pages_.back();
    }

    void newPage()
    {
        pages_.emplace_back();
        y_ = setup_.contentTop();
    }

    // Moves the flow to a new page unless `height` fits below it or nothing has been set on
    // the page yet.
    void makeRoom(double height)
    {
        if (y_ + height > setup_.contentBottom() + kFitTolerance && y_ > setup_.contentTop())
            newPage();
    }

    // A break ends a page that holds something; before the first block or right after
    // another break it makes no page.
    void place(std::size_t, const PageBreak&)
    {
        if (!pages_.empty() && !blank(pages_.back()))
            newPage();
    }

    bool blank(const LaidOutPage& p) const
    {
        return y_ == setup_.contentTop() && p.texts.empty() && p.rules.empty() && p.pictures.empty() &&
               p.tables.empty() && p.textBoxes.empty() && p.paragraphs.empty();
    }

    void place(std::size_t block, const Paragraph& p)
    {
        const double lh = lineHeight(p.style.font);
        std::vector<std::string> lines = wrapText(p.text, setup_.contentWidth(), p.style.font, measure_);
        if (lines.empty())
            lines.emplace_back();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            makeRoom(lh);
            if (i == 0)
                page().paragraphs.push_back(block);
            if (!lines[i].empty())
                page().texts.push_back({std::move(lines[i]),
                                        p.style.font,
                                        p.style.align,
                                        {setup_.contentLeft(), y_, setup_.contentWidth(), lh}});
            y_ += lh;
        }
    }

    void place(std::size_t block, const TextBox& b)
    {
        page().textBoxes.push_back({block, {b.left, b.top, b.width, b.height}, b.text});
        // A page stamp's lines wait for the page count, in their place among the page's texts.
        if (b.role == TextBoxRole::PageStamp) {
            stamps_.push_back({pages_.size() - 1, page().textBoxes.size() - 1, page().texts.size()});
            return;
        }
        addLines(page().texts, page().texts.size(), b, b.text);
    }

    void addLines(std::vector<TextRun>& texts, std::size_t at, const TextBox& b, const std::string& text)
    {
        const double lh = lineHeight(b.style.font);
        double top = b.top;
        std::vector<TextRun> lines;
        for (std::string& line : wrapText(text, b.width, b.style.font, measure_)) {
            if (!line.empty())
                lines.push_back({std::move(line), b.style.font, b.style.align, {b.left, top, b.width, lh}});
            top += lh;
        }
        texts.insert(texts.begin() + static_cast<std::ptrdiff_t>(at), lines.begin(), lines.end());
    }

    // The stamps numbered in their order and given the page count; the last first, so that
    // the places of the earlier ones among their page's texts hold.
    void fillStamps(const Flow& flow)
    {
        const int pages = static_cast<int>(pages_.size());
        for (std::size_t k = stamps_.size(); k-- > 0;) {
            const Stamp& s = stamps_[k];
            PlacedTextBox& box = pages_[s.page].textBoxes[s.box];
            const auto& b = std::get<TextBox>(flow[box.block]);
            box.text = fillPageFields(b.text, static_cast<int>(k) + 1, pages);
            addLines(pages_[s.page].texts, s.textAt, b, box.text);
        }
    }

    void place(std::size_t block, const Picture& p)
    {
        if (p.fill)
            if (const std::optional<std::pair<std::size_t, PageRect>> area = fillArea(*p.fill)) {
                pages_[area->first].pictures.push_back({block, p.drawing, area->second});
                return;
            }
        const PageRect rect{p.left, p.top, p.width.resolve(setup_.contentWidth()),
                            p.height.resolve(setup_.contentHeight())};
        page().pictures.push_back({block, p.drawing, rect});
    }

    void place(std::size_t block, const Table& t);

    // The page and the area of a band of a laid-out table's cell.
    std::optional<std::pair<std::size_t, PageRect>> fillArea(const CellFill& f) const;

    // Where the rows of a table went: the page of each row and the cells' rectangles there.
    struct TableGeometry
    {
        std::vector<double> x;    // x[c]: right edge of column c, x[0] the left edge
        std::vector<double> tops; // by row, from 1
        std::vector<double> bottoms;
        std::vector<std::size_t> pages;
        const Table* table = nullptr;
    };

    const PageSetup& setup_;
    const TextMeasure& measure_;
    std::vector<LaidOutPage> pages_;
    std::vector<Stamp> stamps_;
    double y_ = 0;
    int tables_ = 0; // tables placed so far
    std::set<int> filledTables_;
    std::map<int, TableGeometry> geometry_;
};

// One table: its geometry, the wrapped texts of its cells, and where its rows went.
class TableLayout
{
public:
    TableLayout(const Table& t, double left, const TextMeasure& measure)
        : t_(t), lh_(lineHeight(t.style.font)), x_(static_cast<std::size_t>(t.cols()) + 1, left),
          heights_(static_cast<std::size_t>(t.rows()) + 1), tops_(heights_.size()),
          lines_(static_cast<std::size_t>(t.rows()) * static_cast<std::size_t>(t.cols()))
    {
        for (int c = 1; c <= t.cols(); ++c)
            x_[ux(c)] = x_[ux(c - 1)] + t.colWidth(c);
        for (int r = 1; r <= t.rows(); ++r)
            heights_[ux(r)] = t.rowHeight(r);
        growRows(measure);
    }

    double height(int row) const { return heights_[ux(row)]; }
    // Rows row and row + 1 are joined by a vertical span.
    bool joinedToNext(int row) const
    {
        for (const TableSpan& s : t_.spans())
            if (s.row <= row && row < s.row + s.rows - 1)
                return true;
        return false;
    }
    void setTop(int row, double y) { tops_[ux(row)] = y; }
    double top(int row) const { return tops_[ux(row)]; }
    const std::vector<double>& edges() const { return x_; }

    void emit(const Chunk& chunk, std::size_t block, LaidOutPage& page) const
    {
        const double top = tops_[ux(chunk.first)];
        const double bottom = tops_[ux(chunk.last)] + height(chunk.last);
        page.tables.push_back(
            {block, chunk.first, chunk.last, {x_[0], top, x_.back() - x_[0], bottom - top}});
        std::vector<Segment> across;
        std::vector<Segment> down;
        for (int r = chunk.first; r <= chunk.last; ++r)
            for (int c = 1; c <= t_.cols(); ++c) {
                const TableSpan s = t_.spanOf(r, c);
                const bool start = s.row == r && s.col == c;
                const bool continued = s.row < chunk.first && r == chunk.first && s.col == c;
                if (!start && !continued)
                    continue;
                const int r0 = std::max(s.row, chunk.first);
                const int r1 = std::min(s.row + s.rows - 1, chunk.last);
                const double left = x_[ux(s.col - 1)];
                const double right = x_[ux(s.col - 1 + s.cols)];
                const double cellTop = tops_[ux(r0)];
                const double cellBottom = tops_[ux(r1)] + height(r1);
                across.push_back({cellTop, left, right});
                across.push_back({cellBottom, left, right});
                down.push_back({left, cellTop, cellBottom});
                down.push_back({right, cellTop, cellBottom});
                if (start)
                    setText(r, c, {left, cellTop, right - left, cellBottom - cellTop}, page);
            }
        mergeSegments(across, true, page.rules);
        mergeSegments(down, false, page.rules);
    }

private:
    static std::size_t ux(int i) { return static_cast<std::size_t>(i); }
    std::size_t cell(int row, int col) const { return ux(row - 1) * ux(t_.cols()) + ux(col - 1); }
    double spanWidth(const TableSpan& s) const { return x_[ux(s.col - 1 + s.cols)] - x_[ux(s.col - 1)]; }

    // Wraps every cell's text and grows the rows to hold it: single-row cells first, then
    // each vertical span, shortest first, by growing its last row.
    void growRows(const TextMeasure& measure)
    {
        std::vector<std::pair<TableSpan, double>> tall;
        for (int r = 1; r <= t_.rows(); ++r)
            for (int c = 1; c <= t_.cols(); ++c) {
                const std::string& text = t_.text(r, c);
                if (text.empty() || t_.covered(r, c))
                    continue;
                const TableSpan s = t_.spanOf(r, c);
                std::vector<std::string>& lines = lines_[cell(r, c)];
                lines =
                    wrapText(text, std::max(0.0, spanWidth(s) - 2 * kCellPaddingX), t_.style.font, measure);
                const double need = static_cast<double>(lines.size()) * lh_ + 2 * kCellPaddingY;
                if (s.rows == 1)
                    heights_[ux(r)] = std::max(heights_[ux(r)], need);
                else
                    tall.emplace_back(s, need);
            }
        std::stable_sort(tall.begin(), tall.end(),
                         [](const auto& a, const auto& b) { return a.first.rows < b.first.rows; });
        for (const auto& [s, need] : tall) {
            double sum = 0;
            for (int r = s.row; r < s.row + s.rows; ++r)
                sum += heights_[ux(r)];
            if (need > sum)
                heights_[ux(s.row + s.rows - 1)] += need - sum;
        }
    }

    void setText(int row, int col, const PageRect& rect, LaidOutPage& page) const
    {
        const std::vector<std::string>& lines = lines_[cell(row, col)];
        if (lines.empty())
            return;
        const double block = static_cast<double>(lines.size()) * lh_;
        double y = rect.top + std::max(kCellPaddingY, (rect.height - block) / 2);
        const PageRect box{rect.left + kCellPaddingX, 0, std::max(0.0, rect.width - 2 * kCellPaddingX), lh_};
        for (const std::string& line : lines) {
            if (!line.empty())
                page.texts.push_back(
                    {line, t_.style.font, t_.align(row, col), {box.left, y, box.width, lh_}});
            y += lh_;
        }
    }

    const Table& t_;
    double lh_;
    std::vector<double> x_;       // x_[c]: right edge of column c, x_[0] the table's left edge
    std::vector<double> heights_; // by row, from 1
    std::vector<double> tops_;    // by row, from 1: top on its page
    std::vector<std::vector<std::string>> lines_;
};

std::optional<std::pair<std::size_t, PageRect>> Layouter::fillArea(const CellFill& f) const
{
    const auto it = geometry_.find(f.cell.table);
    if (it == geometry_.end() || f.parts < 1 || f.part < 1 || f.part > f.parts)
        return std::nullopt;
    const TableGeometry& g = it->second;
    const Table& t = *g.table;
    if (f.cell.row < 1 || f.cell.row > t.rows() || f.cell.col < 1 || f.cell.col > t.cols())
        return std::nullopt;
    const TableSpan s = t.spanOf(f.cell.row, f.cell.col);
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    // A cell that a page break cuts keeps to its first page.
    int last = s.row;
    while (last < s.row + s.rows - 1 && g.pages[at(last + 1)] == g.pages[at(s.row)])
        ++last;
    const double left = g.x[at(s.col - 1)] + kCellPaddingX;
    const double right = g.x[at(s.col - 1 + s.cols)] - kCellPaddingX;
    const double top = g.tops[at(s.row)] + kCellPaddingY;
    const double band = (g.bottoms[at(last)] - kCellPaddingY - top) / f.parts;
    if (!(right > left) || !(band > 0))
        return std::nullopt;
    return std::pair{g.pages[at(s.row)], PageRect{left, top + band * (f.part - 1), right - left, band}};
}

void Layouter::place(std::size_t block, const Table& t)
{
    ++tables_;
    if (t.rows() == 0 || t.cols() == 0)
        return;
    TableLayout table(t, setup_.contentLeft() + (setup_.contentWidth() - t.width()) / 2, measure_);
    std::vector<Chunk> chunks;
    const auto setRow = [&](int row) {
        const std::size_t at = pages_.size() - 1;
        if (chunks.empty() || chunks.back().page != at)
            chunks.push_back({at, row, row});
        chunks.back().last = row;
        table.setTop(row, y_);
        y_ += table.height(row);
    };
    for (int r = 1; r <= t.rows();) {
        int last = r;
        double group = table.height(r);
        while (last < t.rows() && table.joinedToNext(last))
            group += table.height(++last);
        // A group taller than a page fills pages row by row.
        const bool whole = group <= setup_.contentHeight() + kFitTolerance;
        for (int k = r; k <= last; ++k) {
            makeRoom(whole && k == r ? group : table.height(k));
            setRow(k);
        }
        r = last + 1;
    }
    for (const Chunk& chunk : chunks)
        table.emit(chunk, block, pages_[chunk.page]);
    if (filledTables_.count(tables_) > 0) {
        TableGeometry g{table.edges(), {0}, {0}, {0}, &t};
        for (const Chunk& chunk : chunks)
            for (int r = chunk.first; r <= chunk.last; ++r) {
                g.tops.push_back(table.top(r));
                g.bottoms.push_back(table.top(r) + table.height(r));
                g.pages.push_back(chunk.page);
            }
        geometry_[tables_] = std::move(g);
    }
}

} // namespace

double lineHeight(const FontSpec& font)
{
    return font.size * kTwipsPerPoint * kLineSpacing;
}

std::vector<LaidOutPage> layoutPages(const Flow& flow, const PageSetup& setup, const TextMeasure& measure)
{
    return Layouter(setup, measure).run(flow);
}

} // namespace pyx
