#pragma once
// The spreadsheet writer (Office Open XML workbook, through libxlsxwriter). It follows the
// word-processor flow of a document: every table that holds no picture becomes a worksheet
// named after the title paragraph before it, with the table's merges, column widths and
// row heights, its header rows frozen and repeated on printed pages, and every cell text that
// is a plain decimal number written as a number with as many decimals as the text shows. The
// pictures of the flow go one under the other on a worksheet of their own, at their size in
// the word-processor document.

#include <optional>
#include <string>
#include <vector>

#include "base/io_result.h"
#include "platform/page_flow.h"
#include "platform/picture_encoder.h"
#include "platform/word_plan.h"

namespace pyx {

struct XlsxOptions
{
    WordOptions word;         // the pictures' sizes and the fonts, as the word processor has them
    std::string pictureSheet; // the name of the pictures' worksheet
};

// A plain decimal number ("12", "-0.50"): its value and the number of decimals it shows.
struct SheetNumber
{
    double value = 0;
    int decimals = 0;
};
std::optional<SheetNumber> sheetNumber(const std::string& text);

// A worksheet name the format accepts, made from `title`: without the characters it refuses,
// at most 31 characters, never empty (`fallback` then), and none of `taken` (a number added).
std::string sheetName(const std::string& title, const std::string& fallback,
                      const std::vector<std::string>& taken);

// Writes the workbook through a temporary file and replaces `path` atomically; a failure
// leaves `path` as it was.
IoResult writeXlsx(const std::string& path, const Flow& flow, const XlsxOptions& options,
                   const PictureEncoder& encoder);

} // namespace pyx
