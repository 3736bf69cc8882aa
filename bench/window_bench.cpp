// The figures that need Qt: curve images, the preview's pages on screen and in a PDF, and
// a cell edit in the window (offscreen), grid update and repaint included.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_inputs.h"
#include "mainwin/main_window.h"
#include "mainwin/qt/main_window_widget.h"
#include "platform/page_document.h"
#include "platform/qt/page_renderer.h"
#include "platform/qt/painter_canvas.h"
#include "platform/qt/qt_picture_encoder.h"
#include "platform/qt/qt_text_grid.h"
#include "platform/qt/qt_text_measure.h"
#include "platform/scripted_dialogs.h"
#include "reports/qt/pdf_export.h"
#include "reports/report_build.h"
#include "reports/word_export.h"

namespace {

struct OpenedLargest
{
    std::unique_ptr<pyx::TestData> data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window{*data, dialogs, std::string()};

    OpenedLargest()
    {
        window.load(1366);
        window.files.openPath(pyx::bench::largestInput());
    }
    // Every report of the preview selected: record table, full summary, raw data, both curves.
    void selectAllReports()
    {
        for (const int e : {70, 71, 72, 73, 78})
            data->csz[e] = "1";
        data->csz[77] = "0";
    }
};

// Figure 4: a curve drawn by the window and painted into a 1200 x 900 image.
void CurveImage(benchmark::State& state)
{
    OpenedLargest t;
    const char* command = state.range(0) == 2 ? "miCh0y" : "miCh0t";
    for (auto _ : state) {
        t.window.dispatch(command);
        const QImage image = pyx::renderDrawing(t.window.curves.surface.ops(), QSize(1200, 900));
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Figure 5: the preview document with the text widths of the page fonts, built and laid out.
void BuildPreview(benchmark::State& state)
{
    OpenedLargest t;
    t.selectAllReports();
    int pages = 0;
    for (auto _ : state) {
        const pyx::QtTextMeasure measure;
        pyx::PageDocument doc(measure);
        pyx::ReportBuilder(*t.data, t.window.grid.rows()).buildPreview(doc);
        pages = doc.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}

// Figure 6: the first page painted at the size the preview shows it, and every page to PDF.
void FirstPage(benchmark::State& state)
{
    OpenedLargest t;
    t.selectAllReports();
    const pyx::QtTextMeasure measure;
    pyx::PageDocument doc(measure);
    pyx::ReportBuilder(*t.data, t.window.grid.rows()).buildPreview(doc);
    const pyx::LaidOutPage& page = doc.pages().front();
    for (auto _ : state) {
        QImage image(850, 1202, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        pyx::renderPage(painter, page, doc.setup(), QRectF(0, 0, image.width(), image.height()));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void PdfAllPages(benchmark::State& state)
{
    OpenedLargest t;
    t.selectAllReports();
    const std::string path = (std::filesystem::temp_directory_path() / "pyx-bench-all.pdf").string();
    int pages = 0;
    for (auto _ : state) {
        const pyx::QtTextMeasure measure;
        pyx::PageDocument doc(measure);
        pyx::ReportBuilder(*t.data, t.window.grid.rows()).buildPreview(doc);
        pages = doc.pageCount();
        if (!pyx::exportPdf(doc, path))
            state.SkipWithError("the PDF was not written");
    }
    std::filesystem::remove(path);
    state.counters["pages"] = pages;
}

// Figure 7: the Word export of the same selection, RTF (0) or DOCX (1), the file written.
void WordExport(benchmark::State& state)
{
    OpenedLargest t;
    t.selectAllReports();
    const bool docx = state.range(0) == 1;
    const std::string path =
        (std::filesystem::temp_directory_path() / (docx ? "pyx-bench-all.docx" : "pyx-bench-all.doc"))
            .string();
    const pyx::QtTextMeasure measure;
    const pyx::QtPictureEncoder encoder;
    for (auto _ : state) {
        const pyx::IoResult written = pyx::exportWord(*t.data, t.window.grid.rows(), measure, encoder, path,
                                                      docx ? pyx::WordFormat::Docx : pyx::WordFormat::Rtf);
        if (!written)
            state.SkipWithError(written.reason().c_str());
    }
    std::filesystem::remove(path);
}

// Figure 3 in the window: the edit, the grid brought up to date and the window repainted.
void EditCellWindow(benchmark::State& state)
{
    pyx::MainWindowWidget window;
    window.resize(1366, 768);
    window.show();
    window.start();
    window.logic().files.openPath(pyx::bench::largestInput());
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        if (!window.logic().grid.commitEdit(2, 5, ++n % 2 ? "3.25" : "3.5"))
            state.SkipWithError("the edit was refused");
        // The grid's sync and the repaint of what changed, as the event loop runs them.
        QApplication::processEvents();
        QApplication::processEvents();
    }
    window.logic().data().dirty = false;
    window.hide();
}

const bool registered = [] {
    benchmark::RegisterBenchmark("CurveImage", CurveImage)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BuildPreview/qt", BuildPreview)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("FirstPage", FirstPage)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PdfAllPages", PdfAllPages)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("WordExport", WordExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("EditCellWindow", EditCellWindow)->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
