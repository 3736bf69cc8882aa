#pragma once
// The Word export: the Word version of the reports as a document file, RTF (".doc", ".rtf"
// and any other name) or Office Open XML (".docx"), complete in itself: the curve pictures
// are embedded in their cells of the curve tables.

#include <string>

#include "base/io_result.h"
#include "platform/dialogs.h"
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
// beside it; on failure the file at `path` is as it was.
IoResult exportWord(TestData& d, int gridRows, const TextMeasure& measure, const PictureEncoder& encoder,
                    const std::string& path, WordFormat format);

// Writes a built document as Word (RTF or DOCX) with the options above, through a temporary
// file beside `path`.
IoResult writeWordDocument(const PageDocument& doc, const PrintSelection& s, const PictureEncoder& encoder,
                           const std::string& path, WordFormat format);

// The save dialog's filters: the data file's name without its extension is proposed, "doc"
// chosen. A .doc file is written as RTF, which Word and WPS open; the choice says so.
inline constexpr const char* kWordFilter =
    "All files(*.*)|*.*|doc（RTF 格式，Word/WPS 可打开）| *.doc|docx| *.docx|rtf| *.rtf";

// The command (WordExport): the save dialog, the replace question, the document, the
// closing message only when the document was written.
class WordExport
{
public:
    // `gridRows` are the rows of the main grid, as the gradient curve reads them.
    WordExport(TestData& data, int gridRows, Dialogs& dialogs, const TextMeasure& measure,
               const PictureEncoder& encoder)
        : d_(data), gridRows_(gridRows), dialogs_(dialogs), measure_(measure), encoder_(encoder)
    {
    }

    void run();
    // The document for a chosen path, the user told of a failure; true when written.
    bool exportTo(const std::string& path);

private:
    TestData& d_;
    int gridRows_;
    Dialogs& dialogs_;
    const TextMeasure& measure_;
    const PictureEncoder& encoder_;
};

} // namespace pyx
