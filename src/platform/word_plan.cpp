#include "platform/word_plan.h"

#include <algorithm>
#include <cmath>

namespace pyx {
namespace {

constexpr double kTwipsPerInch = 1440;
// Larger than any page at the pictures' resolution; keeps a wild extent from asking for an
// image that cannot be held in memory.
constexpr double kMaxPixels = 4000;

int pixels(double twips, double dpi)
{
    return static_cast<int>(std::lround(std::clamp(twips / kTwipsPerInch * dpi, 1.0, kMaxPixels)));
}

// The first of the paragraphs directly before block `i`, or `i` itself.
std::size_t leadIn(const Flow& flow, std::size_t i)
{
    while (i > 0 && std::holds_alternative<Paragraph>(flow[i - 1]))
        --i;
    return i;
}

// Blocks that take a place in the flow of the text (text boxes and pictures stand apart).
bool inFlow(const Block& b)
{
    return std::holds_alternative<Paragraph>(b) || std::holds_alternative<Table>(b);
}

} // namespace

bool WordPlan::inCell(std::size_t block) const
{
    for (const auto& [cell, blocks] : cellPictures)
        if (std::find(blocks.begin(), blocks.end(), block) != blocks.end())
            return true;
    return false;
}

const std::vector<std::size_t>* WordPlan::picturesOf(int table, int row, int col) const
{
    const auto it = cellPictures.find({table, row, col});
    return it == cellPictures.end() ? nullptr : &it->second;
}

long halfPoints(double points)
{
    return std::lround(2 * points);
}

std::vector<long> columnEdges(const Table& table, bool fullWidth, double textWidth)
{
    const double total = table.width();
    const double scale = fullWidth && total > 0 ? textWidth / total : 1;
    std::vector<long> edges;
    double right = 0;
    for (int c = 1; c <= table.cols(); ++c) {
        right += table.colWidth(c) * scale;
        // Every column at least one twip wide, so that no cell of a row vanishes.
        const long previous = edges.empty() ? 0 : edges.back();
        edges.push_back(std::max(previous + 1, std::lround(right)));
    }
    return edges;
}

std::vector<std::string> flowFonts(const Flow& flow, const std::string& defaultFont)
{
    std::vector<std::string> fonts{defaultFont};
    const auto add = [&](const TextStyle& s) {
        if (std::find(fonts.begin(), fonts.end(), s.font.name) == fonts.end())
            fonts.push_back(s.font.name);
    };
    for (const Block& b : flow) {
        if (const auto* p = std::get_if<Paragraph>(&b))
            add(p->style);
        else if (const auto* t = std::get_if<Table>(&b))
            add(t->style);
        else if (const auto* x = std::get_if<TextBox>(&b))
            add(x->style);
    }
    return fonts;
}

namespace {

using CellKey = std::tuple<int, int, int>; // table, row and column of the cell a picture is in

// The size of a picture in the document and the cell it is in (the top-left cell of its span):
// as the flow gives it or the options set it, shrunk to the width of its cell or filling it.
// None for a picture whose cell does not exist.
struct PlacedSize
{
    PictureSize size;
    std::optional<CellKey> cell;
};

std::optional<PlacedSize> placedSize(const Picture& p, const Flow& flow,
                                     const std::vector<std::size_t>& tableBlock, const WordOptions& options)
{
    const PageSetup& setup = options.setup;
    PlacedSize placed{options.pictureSize.value_or(PictureSize{p.width.resolve(setup.contentWidth()),
                                                               p.height.resolve(setup.contentHeight())}),
                      std::nullopt};
    if (!p.cell)
        return placed;
    const CellRef& c = *p.cell;
    if (c.table < 1 || c.table >= static_cast<int>(tableBlock.size()))
        return std::nullopt;
    const Table& t = std::get<Table>(flow[tableBlock[static_cast<std::size_t>(c.table)]]);
    if (c.row < 1 || c.row > t.rows() || c.col < 1 || c.col > t.cols())
        return std::nullopt;
    const TableSpan s = t.spanOf(c.row, c.col);
    placed.cell = CellKey{c.table, s.row, s.col};
    // A picture wider than its cell shrinks to fit, keeping its proportions.
    const std::vector<long> edges = columnEdges(t, options.pictureTablesFullWidth, setup.contentWidth());
    const double left = s.col > 1 ? static_cast<double>(edges[static_cast<std::size_t>(s.col - 2)]) : 0;
    const double inner =
        static_cast<double>(edges[static_cast<std::size_t>(s.col + s.cols - 2)]) - left - 2 * kCellPaddingX;
    PictureSize& size = placed.size;
    if (p.fill && p.fill->parts >= 1 && inner > 0) {
        // A picture that fills its cell takes the cell's width and its band of the cell's
        // height, inside the padding.
        double rows = 0;
        for (int r = s.row; r < s.row + s.rows; ++r)
            rows += t.rowHeight(r);
        size = PictureSize{inner, rows / p.fill->parts - 2 * kCellPaddingY};
    } else if (inner > 0 && size.width > inner) {
        size.height *= inner / size.width;
        size.width = inner;
    }
    return placed;
}

// Page breaks: one break between two pieces of content at most, none before the first or
// after the last; the part of the pictures and (by the options) each table that holds
// pictures start a page.
void planBreaks(const Flow& flow, const WordOptions& options, const std::vector<std::size_t>& tableBlock,
                WordPlan& plan)
{
    std::set<std::size_t> pictureLeadIns;
    for (const int k : plan.pictureTables)
        pictureLeadIns.insert(leadIn(flow, tableBlock[static_cast<std::size_t>(k)]));
    if (options.picturePartMargin && !pictureLeadIns.empty())
        plan.sectionStart = *pictureLeadIns.begin();

    bool written = false;
    bool pending = false;
    for (std::size_t i = 0; i < flow.size(); ++i) {
        const Block& b = flow[i];
        if (std::holds_alternative<PageBreak>(b)) {
            pending = written;
            continue;
        }
        if (const auto* p = std::get_if<Picture>(&b); p && (!plan.pictures[i] || plan.inCell(i)))
            continue;
        const bool newPart = plan.sectionStart == i ||
                             (options.pictureTablesOnNewPage && pictureLeadIns.count(i) > 0 && inFlow(b));
        if (written && (pending || newPart))
            plan.startsPage[i] = true;
        if (plan.sectionStart == i && !written)
            plan.picturePartFromStart = true;
        pending = false;
        written = true;
    }
}

} // namespace

WordPlan planWord(const Flow& flow, const WordOptions& options, const PictureEncoder& encoder)
{
    WordPlan plan;
    const std::size_t n = flow.size();
    plan.tableNumber.assign(n, 0);
    plan.startsPage.assign(n, false);
    plan.pictures.resize(n);

    std::vector<std::size_t> tableBlock{0}; // block index of table k at [k]
    for (std::size_t i = 0; i < n; ++i) {
        if (std::holds_alternative<Table>(flow[i])) {
            plan.tableNumber[i] = static_cast<int>(tableBlock.size());
            tableBlock.push_back(i);
        }
    }

    const PageSetup& setup = options.setup;
    for (std::size_t i = 0; i < n; ++i) {
        const auto* p = std::get_if<Picture>(&flow[i]);
        if (!p || !p->drawing)
            continue;
        const std::optional<PlacedSize> placed = placedSize(*p, flow, tableBlock, options);
        if (!placed)
            continue;
        if (placed->cell)
            plan.pictureTables.insert(std::get<0>(*placed->cell));
        // Nor is any picture larger than the paper.
        PictureSize size = placed->size;
        const double fit = std::min({1.0, setup.width / size.width, setup.height / size.height});
        size.width *= fit;
        size.height *= fit;
        if (!(size.width >= 1 && size.height >= 1))
            continue;
        WordPicture w;
        w.size = size;
        w.pixelWidth = pixels(size.width, options.pictureDpi);
        w.pixelHeight = pixels(size.height, options.pictureDpi);
        w.png = encoder.png(*p->drawing, w.pixelWidth, w.pixelHeight, options.pictureDpi);
        if (w.png.empty()) {
            plan.error = "曲线图片生成失败";
            continue;
        }
        plan.pictures[i] = std::move(w);
        if (placed->cell)
            plan.cellPictures[*placed->cell].push_back(i);
    }
    planBreaks(flow, options, tableBlock, plan);
    return plan;
}

} // namespace pyx
