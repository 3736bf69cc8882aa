// The report documents of a fuzzed test with every report selected: the first byte picks
// the name ending and the simple or the full summary; the rest is the file.
//
// The Word writers (RTF, DOCX) take the document that buildWord makes here: their fuzzing
// belongs beside this target, on `word` below, once they are in the tree.

#include "fuzz_window.h"
#include "platform/page_document.h"
#include "platform/text_measure.h"
#include "reports/report_build.h"

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
    return 0;
}
