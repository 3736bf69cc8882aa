#pragma once
// The Word export: the Word version of the reports as a document file, RTF (".doc", ".rtf"
// and any other name) or Office Open XML (".docx"), complete in itself: the curve pictures
// are embedded in their cells of the curve tables.

#include <string>

#include "platform/picture_encoder.h"
#include "platform/word_plan.h"
#include "reports/report_build.h"

namespace pyx {

enum class WordFormat
{
    Rtf,
    Docx
};

// A name ending in ".docx" (in any case) gives Office Open XML, every other name RTF.
WordFormat wordFormatOf(const std::string& path);

// 1.5 cm in twips: the top and bottom margins of the curve pages.
inline constexpr double kCurveMargin = 1.5 / 2.54 * 1440;
// The reduced curve pictures, in points.
inline constexpr double kReducedPictureWidth = 242.9595;
inline constexpr double kReducedPictureHeight = 281.799;

// How the writers set the Word version of the reports: the document's page; the curve
// tables across the text area, each from a new page, in a section with the curve margins;
// with the reduced curves every picture at the reduced size; the RTF header and footer
// groups of an export to `path`.
WordOptions wordOptions(const PageDocument& doc, const PrintSelection& s, const std::string& path,
                        WordFormat format);

// Builds the Word version of the reports and writes it to `path` through a temporary file
// beside it. Empty on success, else the reason; on failure the file at `path` is as it was.
std::string exportWord(TestData& d, int gridRows, const TextMeasure& measure, const PictureEncoder& encoder,
                       const std::string& path, WordFormat format);

} // namespace pyx
