// The report documents of a fuzzed test with every report selected: the first byte picks
// the name ending and the simple or the full summary; the rest is the file. The Word version
// is written as RTF and as DOCX, in memory.

#include "fuzz_window.h"
#include "platform/docx_writer.h"
#include "platform/page_document.h"
#include "platform/rtf_writer.h"
#include "platform/text_measure.h"
#include "reports/report_build.h"
#include "reports/word_export.h"

namespace {

// Curve pictures of a size that follows the drawing, without an image library.
struct SizedEncoder : pyx::PictureEncoder
{
    std::string png(const pyx::Drawing&, int width, int height, double) const override
    {
        return std::string(static_cast<std::size_t>(width % 97 + height % 89), 'P');
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char* ending = pyx::fuzz::kEndings[data[0] % 5];
    const std::string path = pyx::fuzz::writeInput(std::string("r.") + ending, data + 1, size - 1);
    pyx::fuzz::Window w;
    w.open(path);
    for (int entry : {70, 71, 72, 73, 78, 79})
        w.data->csz[entry] = "1";
    w.data->csz[77] = (data[0] / 5) % 2 ? "1" : "0";
    const pyx::FixedTextMeasure measure;
    {
        pyx::PageDocument preview(measure);
        pyx::ReportBuilder(*w.data, w.window->grid.rows()).buildPreview(preview);
    }
    pyx::PageDocument word(measure);
    pyx::ReportBuilder(*w.data, w.window->grid.rows()).buildWord(word);
    const SizedEncoder encoder;
    const pyx::PrintSelection selection = pyx::printSelectionOf(w.data->csz);
    const auto rtf = pyx::rtfDocument(
        word.flow(), pyx::wordOptions(word, selection, path + ".doc", pyx::WordFormat::Rtf), encoder);
    const auto docx = pyx::docxDocument(
        word.flow(), pyx::wordOptions(word, selection, path + ".docx", pyx::WordFormat::Docx), encoder);
    // A document that a writer calls made is one: RTF opens with its group, DOCX is a zip.
    if (rtf.status.ok() && rtf.bytes.rfind("{\\rtf", 0) != 0)
        std::abort();
    if (docx.status.ok() && docx.bytes.rfind("PK", 0) != 0)
        std::abort();
    return 0;
}
