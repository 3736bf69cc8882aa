#pragma once
// The laid-out pages of a document: a plain model of positioned items in twips from the
// page's top-left corner, which the renderer paints and the outline reads. Each item that
// stands for a block names the block's index in the flow.
//
// How the flow is set: paragraphs and tables run down the area inside the margins, a line
// being 1.2 times its font size high; a paragraph line or a group of table rows that does
// not fit the rest of a page moves to the next one (table rows whole, rows joined by a
// vertical span together). Tables are centred between the margins. Cell texts wrap within
// the cell, centred in its height; a row grows to fit its texts. Text boxes and pictures
// sit at their own positions on the page the flow has reached and take no room in it.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/page_flow.h"

namespace pyx {

// An A4 portrait page. The margins leave room for the widest report table (10200 twips),
// keep the content above the page stamp (top 15600), and give the reduced curve pictures
// (tops 3450 and 9080, height 38 %) room inside the picture area without overlap. The top
// margin leaves a page of 29 raw readings room for a few remarks that wrap to a second line.
struct PageSetup
{
    double width = 11906;
    double height = 16838;
    double marginLeft = 800;
    double marginTop = 1000;
    double marginRight = 800;
    double marginBottom = 1440;

    double contentLeft() const { return marginLeft; }
    double contentTop() const { return marginTop; }
    double contentRight() const { return width - marginRight; }
    double contentBottom() const { return height - marginBottom; }
    double contentWidth() const { return width - marginLeft - marginRight; }
    double contentHeight() const { return height - marginTop - marginBottom; }
};

inline constexpr double kLineSpacing = 1.2; // line height / font size
inline constexpr double kCellPaddingX = 30; // twips between a cell's side rules and its text
inline constexpr double kCellPaddingY = 20; // least room above and below a cell's text
inline constexpr double kRuleWidth = 10;    // cell borders, twips

double lineHeight(const FontSpec& font);

struct PageRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const PageRect&) const = default;
};

// One line of text, aligned within its box (the line's full width and height).
struct TextRun
{
    std::string text;
    FontSpec font;
    TextAlign align = TextAlign::Left;
    PageRect box;
};

// A straight border line.
struct Rule
{
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    double width = kRuleWidth;
    bool operator==(const Rule&) const = default;
};

struct PlacedPicture
{
    std::size_t block = 0;
    std::shared_ptr<const Drawing> drawing;
    PageRect rect; // the resolved position and size; empty when an extent resolves to 0
};

// The rows firstRow .. lastRow of a table placed on the page.
struct PlacedTable
{
    std::size_t block = 0;
    int firstRow = 1;
    int lastRow = 0;
    PageRect rect;
};

struct PlacedTextBox
{
    std::size_t block = 0;
    PageRect rect;
    std::string text; // as laid out: a page stamp's fields filled
};

struct LaidOutPage
{
    std::vector<TextRun> texts;
    std::vector<Rule> rules;
    std::vector<PlacedPicture> pictures;
    std::vector<std::size_t> paragraphs; // the paragraphs whose first line is on this page
    std::vector<PlacedTable> tables;
    std::vector<PlacedTextBox> textBoxes;
};

// An empty flow has no page; any block but a page break makes at least one.
std::vector<LaidOutPage> layoutPages(const Flow& flow, const PageSetup& setup, const TextMeasure& measure);

} // namespace pyx
