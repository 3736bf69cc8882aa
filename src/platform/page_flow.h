#pragma once
// The flow of a report document: the blocks in the order the builders write them
// (paragraphs, tables, page breaks, text boxes at fixed page positions, pictures). The page
// layout turns the flow into pages; the word-processor writers walk the flow itself.
//
// Positions and sizes are in twips, font sizes in points. Table rows and columns count
// from 1, as the reports number them.

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/canvas.h"
#include "platform/text_measure.h"

namespace pyx {

enum class TextAlign
{
    Left,
    Center,
    Right
};

struct TextStyle
{
    FontSpec font;
    TextAlign align = TextAlign::Left;
    bool operator==(const TextStyle&) const = default;
};

struct Paragraph
{
    std::string text; // an empty paragraph is an empty line
    TextStyle style;
};

// Ends the current page; what follows starts on a new one.
struct PageBreak
{
};

enum class TextBoxRole
{
    Plain,
    PageStamp // the text box that numbers the page; its text may hold the fields below
};

// The fields of a page stamp's text, filled when the pages are laid out: the stamp's number
// (a document stamps each page once: its first stamp is 1) and the number of pages.
inline constexpr const char* kStampNumberField = "{page}";
inline constexpr const char* kPageCountField = "{pages}";
// `text` with the fields filled.
std::string fillPageFields(std::string text, int number, int pages);

// A text at a fixed place of the current page, outside the flow.
struct TextBox
{
    std::string text;
    TextStyle style;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    TextBoxRole role = TextBoxRole::Plain;
};

// A picture extent as the reports pass it: a number of twips, or a percentage text ("60%")
// of the area inside the page margins. A text that is neither resolves to 0.
class Extent
{
public:
    Extent(double twips) : given_(twips) {}
    Extent(int twips) : given_(static_cast<double>(twips)) {}
    Extent(std::string text) : given_(std::move(text)) {}
    Extent(const char* text) : given_(std::string(text)) {}

    const std::variant<double, std::string>& given() const { return given_; }
    // In twips, where the area inside the margins is `whole` twips long in this direction.
    double resolve(double whole) const;
    bool operator==(const Extent&) const = default;

private:
    std::variant<double, std::string> given_;
};

// A cell of a table of the document: table counted from 1 in the flow, row and column of it.
struct CellRef
{
    int table = 0;
    int row = 0;
    int col = 0;
    bool operator==(const CellRef&) const = default;
};

// The area of a table cell that a picture fills on paper: the cell inside its padding, cut
// into `parts` equal bands from the top, the picture in band `part` (from 1).
struct CellFill
{
    CellRef cell;
    int part = 1;
    int parts = 1;
    bool operator==(const CellFill&) const = default;
};

// A drawing placed on the current page at a fixed position, outside the flow.
struct Picture
{
    std::shared_ptr<const Drawing> drawing;
    double left = 0;
    double top = 0;
    Extent width = 0;
    Extent height = 0;
    int tag = 0;                 // the caller's name for the picture (which curve)
    std::optional<CellRef> cell; // the table cell a word processor puts the picture in
    // On paper the picture fills this area instead of its position and extents, which stay as
    // the reports gave them (the outline tells them). A cell that does not exist leaves them.
    std::optional<CellFill> fill;
};

// A merged range of cells: its top-left cell holds the text, the others are covered.
struct TableSpan
{
    int row = 1;
    int col = 1;
    int rows = 1;
    int cols = 1;
    bool operator==(const TableSpan&) const = default;
};

// A ruled table: every cell has thin borders. Heights are the least a row takes; a row grows
// to fit the text of its cells. Calls with a row or column outside the table do nothing.
class Table
{
public:
    Table(int cols, int rows);

    int cols() const { return cols_; }
    int rows() const { return rows_; }

    void setDefaultColWidth(double twips) { defaultColWidth_ = twips; }
    void setColWidth(int col, double twips);
    double colWidth(int col) const;
    double width() const;

    void setDefaultRowHeight(double twips) { defaultRowHeight_ = twips; }
    void setRowHeight(int row, double twips);
    double rowHeight(int row) const;

    void setText(int row, int col, std::string text);
    const std::string& text(int row, int col) const;

    // Without an alignment of its own a cell takes the table's style.
    void setAlign(int row, int col, TextAlign align);
    TextAlign align(int row, int col) const;

    // Merges rows row .. lastRow and columns col .. lastCol, cut to the table; an earlier
    // span that overlaps the new one is dropped.
    void span(int row, int col, int lastRow, int lastCol);
    const std::vector<TableSpan>& spans() const { return spans_; }
    // The span that holds the cell; the cell alone when no span holds it.
    TableSpan spanOf(int row, int col) const;
    // Held by a span whose top-left cell is another one.
    bool covered(int row, int col) const;

    // The first `rows` rows head the table: a word processor repeats them on every page the
    // table runs on to (cut to the table's rows).
    void setHeaderRows(int rows);
    int headerRows() const { return headerRows_; }

    // Font, size, bold and the cells' default alignment; the document sets it from its
    // current style when the table enters the flow.
    TextStyle style;

private:
    bool inside(int row, int col) const { return row >= 1 && row <= rows_ && col >= 1 && col <= cols_; }
    std::size_t index(int row, int col) const;

    int cols_;
    int rows_;
    int headerRows_ = 0;
    double defaultColWidth_ = 1440;
    double defaultRowHeight_ = 300;
    std::vector<std::optional<double>> colWidths_;
    std::vector<std::optional<double>> rowHeights_;
    std::vector<std::string> texts_;
    std::vector<std::optional<TextAlign>> aligns_;
    std::vector<TableSpan> spans_;
    std::vector<int> owner_; // per cell: index into spans_ of the span holding it, or -1
};

using Block = std::variant<Paragraph, Table, PageBreak, TextBox, Picture>;
using Flow = std::vector<Block>;

} // namespace pyx
