// Time of the work behind the Open command, of one evaluation and of a cell edit on
// generated tests, against the floor: the file's bytes read and copied into the model.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "bench_inputs.h"
#include "data/records.h"
#include "eval/evaluation.h"
#include "mainwin/main_window.h"
#include "platform/page_document.h"
#include "platform/scripted_dialogs.h"
#include "reports/report_build.h"
#include "samplegen/sample_files.h"

namespace pyx::bench {

const std::vector<Input>& inputs()
{
    static const std::vector<Input> all = [] {
        std::string dir = (std::filesystem::temp_directory_path() / "pyx-bench-XXXXXX").string();
        if (!::mkdtemp(dir.data()))
            std::abort();
        std::vector<Input> out;
        for (const auto& sample : samples::benchInputs()) {
            const std::string path = dir + "/" + sample.name;
            std::ofstream(path, std::ios::binary) << sample.bytes;
            out.push_back({sample.name, path});
        }
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(std::filesystem::path(inputs().front().path).parent_path(), ec);
        });
        return out;
    }();
    return all;
}

std::string inputPath(const std::string& name)
{
    for (const Input& in : inputs())
        if (in.name == name)
            return in.path;
    std::abort();
}

} // namespace pyx::bench

namespace {

using pyx::bench::inputs;

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return std::move(s).str();
}

template <std::size_t N> const char* copyText(const char* p, pyx::FixedText<N>& t)
{
    t.setRaw(std::string_view(p, N));
    return p + N;
}
template <std::size_t N> const char* copyFloats(const char* p, std::array<float, N>& a)
{
    std::memcpy(a.data(), p, N * sizeof(float));
    return p + N * sizeof(float);
}

template <class Rec> void copyRaw(const char* p, Rec& r)
{
    p = copyText(p, r.sj);
    p = copyFloats(p, r.v);
    p = copyText(p, r.s5a);
    p = copyText(p, r.s20a);
    p = copyText(p, r.s20b);
    p = copyText(p, r.s60);
    if constexpr (std::is_same_v<Rec, pyx::YsRec>)
        p = copyText(p, r.s20c);
    p = copyText(p, r.sj2);
    p = copyFloats(p, r.u);
    p = copyText(p, r.s20d);
    copyText(p, r.zt);
}

void copyRecord(const char* p, pyx::JlbRec& r)
{
    p = copyText(p, r.sj);
    std::memcpy(&r.hz, p, 4);
    std::memcpy(&r.xh, p + 4, 2);
    p = copyFloats(p + 6, r.ds);
    p = copyText(p, r.bz);
    std::memcpy(&r.cs, p, 4);
    copyText(p + 4, r.cstr);
}

// Figure 1, the floor: the file's bytes read and the record fields copied into the model
// arrays (little-endian numbers as they are), nothing else.
void Floor(benchmark::State& state, const std::string& path)
{
    auto data = std::make_unique<pyx::TestData>();
    for (auto _ : state) {
        const std::string bytes = readBytes(path);
        if (path.ends_with(".pys")) {
            for (std::size_t i = 0; i < pyx::kRecordFileRows && (i + 1) * pyx::kJlbRecSize <= bytes.size();
                 ++i)
                copyRecord(bytes.data() + i * pyx::kJlbRecSize, data->jlb[i]);
        } else if (path.ends_with(".pyw")) {
            for (std::size_t i = 0; i < pyx::kRawRows && (i + 1) * pyx::kYsRecOldSize <= bytes.size(); ++i)
                copyRaw(bytes.data() + i * pyx::kYsRecOldSize, data->ysdo[i]);
        } else {
            for (std::size_t i = 0; i < pyx::kRawRows && (i + 1) * pyx::kYsRecSize <= bytes.size(); ++i)
                copyRaw(bytes.data() + i * pyx::kYsRecSize, data->ysd[i]);
        }
        benchmark::DoNotOptimize(data.get());
        benchmark::ClobberMemory();
    }
}

// Figure 2: the whole Open command, headless.
void Open(benchmark::State& state, const std::string& path)
{
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window(*data, dialogs, std::string());
    window.load(1366);
    for (auto _ : state) {
        window.files.openPath(path);
        benchmark::DoNotOptimize(data->jlbn);
    }
    if (!dialogs.messages.empty())
        state.SkipWithError("the open showed a message");
}

// Figure 3, headless: one cell edit with its write-back, evaluation and the redraw of the
// curve to the recording canvas.
void EditCell(benchmark::State& state)
{
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window(*data, dialogs, std::string());
    window.load(1366);
    window.files.openPath(pyx::bench::largestInput());
    int n = 0;
    for (auto _ : state) {
        if (!window.grid.commitEdit(2, 5, ++n % 2 ? "3.25" : "3.5"))
            state.SkipWithError("the edit was refused");
        benchmark::DoNotOptimize(window.curves.surface.ops().size());
    }
}

void Evaluate(benchmark::State& state)
{
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window(*data, dialogs, std::string());
    window.load(1366);
    window.files.openPath(pyx::bench::inputPath("record_149.pys"));
    for (auto _ : state) {
        pyx::ystodb(*data);
        benchmark::DoNotOptimize(data->hzcount);
    }
}

// Both build passes of the print preview document with every report selected (record
// table, full summary, raw data, both curves), laid out into pages, with fixed text widths.
void BuildPreviewDocument(benchmark::State& state)
{
    auto data = std::make_unique<pyx::TestData>();
    pyx::ScriptedDialogs dialogs;
    pyx::MainWindow window(*data, dialogs, std::string());
    window.load(1366);
    window.files.openPath(pyx::bench::largestInput());
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
}

const bool registered = [] {
    for (const auto& in : inputs()) {
        benchmark::RegisterBenchmark(("Floor/" + in.name).c_str(), Floor, in.path)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Open/" + in.name).c_str(), Open, in.path)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("EditCell", EditCell)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Evaluate", Evaluate)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BuildPreviewDocument/fixed", BuildPreviewDocument)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
