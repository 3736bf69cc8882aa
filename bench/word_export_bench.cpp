// Time of the Word export with every report selected (full-size curves), on generated
// tests: the document build, the curve pictures painted and encoded, the file written.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "mainwin/main_window.h"
#include "platform/qt/qt_picture_encoder.h"
#include "platform/qt/qt_text_measure.h"
#include "platform/scripted_dialogs.h"
#include "reports/word_export.h"
#include "samplegen/sample_files.h"

namespace {

std::string tempPath(const char* suffix)
{
    std::string path = "/tmp/pyx-bench-XXXXXX";
    path += suffix;
    const int fd = ::mkstemps(path.data(), static_cast<int>(std::string(suffix).size()));
    if (fd >= 0)
        ::close(fd);
    return path;
}

void ExportWord(benchmark::State& state, pyx::WordFormat format)
{
    pyx::samples::CyclicTest t;
    t.stages = static_cast<int>(state.range(0));
    const std::string path = tempPath(".pyx");
    std::ofstream(path, std::ios::binary)
        << pyx::samples::loggerFile(t, pyx::samples::LoggerMode::LevelRecords);
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window(*data, dialogs, std::string());
    window.load(1366);
    window.files.openPath(path);
    for (int e = 70; e <= 79; ++e)
        data->csz[e] = e == 77 || e == 79 || (e > 73 && e < 77) ? "0" : "1";
    const pyx::QtTextMeasure measure;
    const pyx::QtPictureEncoder encoder;
    const std::string out = tempPath(format == pyx::WordFormat::Docx ? ".docx" : ".doc");
    for (auto _ : state) {
        const pyx::IoResult written =
            pyx::exportWord(*data, window.grid.rows(), measure, encoder, out, format);
        if (!written)
            state.SkipWithError(written.reason().c_str());
    }
    ::unlink(out.c_str());
    ::unlink(path.c_str());
}

void ExportRtf(benchmark::State& state)
{
    ExportWord(state, pyx::WordFormat::Rtf);
}
void ExportDocx(benchmark::State& state)
{
    ExportWord(state, pyx::WordFormat::Docx);
}
BENCHMARK(ExportRtf)->Arg(10)->Arg(30)->Arg(290)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportDocx)->Arg(10)->Arg(30)->Arg(290)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
