// Time of the work behind the Open command and of one evaluation, on generated tests.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "eval/evaluation.h"
#include "mainwin/main_window.h"
#include "platform/page_document.h"
#include "platform/scripted_dialogs.h"
#include "reports/report_build.h"
#include "samplegen/sample_files.h"

namespace {

std::string writeTemp(const std::string& bytes, const char* suffix)
{
    std::string path = "/tmp/pyx-bench-XXXXXX";
    path += suffix;
    const int fd = ::mkstemps(path.data(), static_cast<int>(std::string(suffix).size()));
    if (fd >= 0)
        ::close(fd);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Open of a logger file through the main window: read, convert, evaluate, fill the table.
void OpenLoggerFile(benchmark::State& state)
{
    pyx::samples::CyclicTest t;
    t.stages = static_cast<int>(state.range(0));
    const std::string path =
        writeTemp(pyx::samples::loggerFile(t, pyx::samples::LoggerMode::LevelRecords), ".pyx");
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window(*data, dialogs, std::string());
    window.load(1366);
    for (auto _ : state) {
        window.files.openPath(path);
        benchmark::DoNotOptimize(data->jlbn);
    }
    ::unlink(path.c_str());
}
BENCHMARK(OpenLoggerFile)->Arg(8)->Arg(30)->Unit(benchmark::kMillisecond);

void Evaluate(benchmark::State& state)
{
    pyx::samples::CyclicTest t;
    t.stages = 30;
    const std::string path = writeTemp(pyx::samples::recordFile(t), ".pys");
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window(*data, dialogs, std::string());
    window.load(1366);
    window.files.openPath(path);
    for (auto _ : state) {
        pyx::ystodb(*data);
        benchmark::DoNotOptimize(data->hzcount);
    }
    ::unlink(path.c_str());
}
BENCHMARK(Evaluate)->Unit(benchmark::kMicrosecond);

// Both build passes of the print preview document with every report selected (record
// table, full summary, raw data, both curves), laid out into pages.
void BuildPreviewDocument(benchmark::State& state)
{
    pyx::samples::CyclicTest t;
    t.stages = static_cast<int>(state.range(0));
    const std::string path =
        writeTemp(pyx::samples::loggerFile(t, pyx::samples::LoggerMode::LevelRecords), ".pyx");
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window(*data, dialogs, std::string());
    window.load(1366);
    window.files.openPath(path);
    for (const int e : {70, 71, 72, 73, 78})
        data->csz[e] = "1";
    data->csz[77] = "0";
    const pyx::FixedTextMeasure measure;
    int pages = 0;
    for (auto _ : state) {
        pyx::PageDocument doc(measure);
        pyx::ReportBuilder(*data, window.grid.rows()).buildPreview(doc);
        pages = doc.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    ::unlink(path.c_str());
}
BENCHMARK(BuildPreviewDocument)->Arg(8)->Arg(40)->Arg(290)->Unit(benchmark::kMillisecond);

} // namespace
