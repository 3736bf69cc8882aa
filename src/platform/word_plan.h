#pragma once
// What the word-processor writers (RTF and Office Open XML) share: the options their caller
// sets, and the plan of a flow that both follow: where pages and the picture part's section
// begin, which tables hold pictures, the pictures of each cell at their size in the document
// and as PNG bytes, and the column edges of every table.
//
// The writers put a picture that names a table cell into that cell; a picture without a cell
// is a frame at its page position; a picture whose cell does not exist is left out.

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/page_flow.h"
#include "platform/page_layout.h"
#include "platform/picture_encoder.h"

namespace pyx {

struct PictureSize
{
    double width = 0; // twips
    double height = 0;
};

struct WordOptions
{
    PageSetup setup; // paper and margins; picture extents resolve in its text area
    std::string defaultFont = "Tahoma";
    // The tables that hold pictures span the whole text area.
    bool pictureTablesFullWidth = false;
    // Each table that holds pictures starts a new page, with the paragraphs that lead into it.
    bool pictureTablesOnNewPage = false;
    // The part from the first table that holds pictures (with its lead-in paragraphs) to the
    // end is a section of its own with these top and bottom margins (twips).
    std::optional<double> picturePartMargin;
    // Every picture at this size instead of its extents, but for those that fill their cell.
    std::optional<PictureSize> pictureSize;
    double pictureDpi = 200; // pixels of the PNG pictures per inch of the document
    std::string rtfHeadFoot; // raw RTF header and footer groups, written before any content
    // Office Open XML only: a footer line centred on every page, in the default font at
    // `pageFooterSize` points, where "{PAGE}" and "{NUMPAGES}" become the fields of the page
    // number and the page count. Empty: no footer.
    std::string pageFooter;
    double pageFooterSize = 12;
};

struct WordPicture
{
    PictureSize size; // in the document
    int pixelWidth = 0;
    int pixelHeight = 0;
    std::string png;
};

struct WordPlan
{
    // Per block of the flow.
    std::vector<int> tableNumber;                     // the table's number from 1; 0: not a table
    std::vector<bool> startsPage;                     // set on a new page (or a new section)
    std::vector<std::optional<WordPicture>> pictures; // the pictures that are written
    std::set<int> pictureTables;
    // Block indexes of the pictures in each cell: table, row and column of the cell that
    // holds the text of the named cell's merged range.
    std::map<std::tuple<int, int, int>, std::vector<std::size_t>> cellPictures;
    // The block where the picture part's section begins; when nothing precedes it, the first
    // section is the picture part (no break).
    std::optional<std::size_t> sectionStart;
    bool picturePartFromStart = false;
    std::string error; // a picture that could not be made

    bool inCell(std::size_t block) const;
    const std::vector<std::size_t>* picturesOf(int table, int row, int col) const;
};

WordPlan planWord(const Flow& flow, const WordOptions& options, const PictureEncoder& encoder);

// The right edges of the table's columns in twips from its left side, whole numbers: the
// table's own widths, or stretched over the text area when `fullWidth`.
std::vector<long> columnEdges(const Table& table, bool fullWidth, double textWidth);

// Font sizes in half points, as both formats give them.
long halfPoints(double points);

// The fonts the flow names, the default font first, each once.
std::vector<std::string> flowFonts(const Flow& flow, const std::string& defaultFont);

} // namespace pyx
