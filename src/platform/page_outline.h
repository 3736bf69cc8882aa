#pragma once
// What the laid-out pages hold, page by page, in plain terms: the page stamp, the paragraph
// texts, the tables' cells and the pictures as they were placed. pyx-cli prints it as the
// report outline; tests compare it with what the reports should hold.

#include <optional>
#include <string>
#include <vector>

#include "platform/page_document.h"

namespace pyx {

struct OutlinePicture
{
    int tag = 0;
    double left = 0;
    double top = 0;
    Extent width = 0; // as given: twips or a percentage text
    Extent height = 0;
    std::optional<CellRef> cell;
    bool operator==(const OutlinePicture&) const = default;
};

// A table's rows on one page, each with every column: the cell's text, "" for an empty
// cell, no value for a cell that a span covers.
using OutlineTable = std::vector<std::vector<std::optional<std::string>>>;

struct OutlinePage
{
    std::optional<std::string> stamp;    // the page stamp's text; none where the page has none
    std::vector<std::string> paragraphs; // non-empty paragraphs starting on the page, in order
    std::vector<OutlineTable> tables;    // a table split over pages is on each with its rows there
    std::vector<OutlinePicture> pictures;
};

struct DocumentOutline
{
    int pageCount = 0;
    std::vector<OutlinePage> pages;
};

DocumentOutline outlineOf(const Flow& flow, const std::vector<LaidOutPage>& pages);
inline DocumentOutline outlineOf(const PageDocument& doc)
{
    return outlineOf(doc.flow(), doc.pages());
}

} // namespace pyx
