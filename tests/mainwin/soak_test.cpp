#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <tuple>
#include <unistd.h>
#include <utility>

#include "curves/marks.h"
#include "mainwin/command_names.h"
#include "mainwin/main_window.h"
#include "platform/page_document.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_measure.h"
#include "reports/report_build.h"
#include "samplegen/sample_files.h"
#include "support/modal_windows_stub.h"
#include "support/temp_dir.h"
#include "tables/table_rows.h"

namespace pyx {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kSequences = 60; // the sanitizer build, with leak detection, runs a short soak
#else
constexpr int kSequences = 2000;
#endif

// PYX_SOAK_SEQUENCES sets the count, PYX_SOAK_SEED the random start (by hand, for longer runs).
int sequences()
{
    if (const char* n = std::getenv("PYX_SOAK_SEQUENCES"))
        return std::atoi(n);
    return kSequences;
}

long residentKb()
{
    long pages = 0;
    long resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long peakKb()
{
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// What a reopen must give back: the record table as it is shown, the header and the marks.
// The table's texts are what the user typed and sees; the numbers behind them go through the
// cells' formats on every open, so their bits are not what a reopen keeps.
struct Kept
{
    TableRows rows;
    HeaderLabels labels;
    std::array<float, 2> marks{};
    std::array<std::string, 2> markTexts;
    bool operator==(const Kept&) const = default;
};

Kept kept(const MainWindow& w, const TestData& d)
{
    Kept k;
    const GaugesInUse use = gaugesInUse(d);
    for (int i = 0; i < d.jlbn; ++i) {
        TableRow cells = recordRowCells(d, i, use);
        // An open corrects the cycle numbers of each load level quietly: they are not what
        // the reopen must give back.
        cells[2].clear();
        k.rows.push_back(std::move(cells));
    }
    k.labels = w.labels;
    for (int m = 0; m < 2; ++m) {
        k.marks[m] = markIndex(d, m);
        k.markTexts[m] = markText(d, m).trimmed();
    }
    return k;
}

std::string describe(const Kept& k)
{
    std::string out = std::to_string(k.rows.size()) + " rows;";
    for (const auto& row : k.rows) {
        out += " ";
        for (const auto& cell : row)
            out += cell + "/";
    }
    for (const auto& l : k.labels)
        out += " [" + l + "]";
    out += " marks " + std::to_string(k.marks[0]) + " " + std::to_string(k.marks[1]) + " " + k.markTexts[0] +
           " " + k.markTexts[1];
    return out;
}

struct Soak
{
    test::TempDir& dir;
    std::mt19937& random;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    test::ModalWindowsStub windows;
    std::unique_ptr<MainWindow> w;
    std::string log;

    Soak(test::TempDir& folder, std::mt19937& r, const std::string& settings)
        : dir(folder), random(r), w(std::make_unique<MainWindow>(*d, dialogs, settings))
    {
        w->setModalWindows(&windows);
        w->load(1366);
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    std::string cellText(int col)
    {
        static const char* valid[] = {"0", "10", "37.5", "120",  "08:45", "23:59",
                                      "1", "3",  "0.25", "-1.2", ""};
        static const char* invalid[] = {"abc", "25:00", "12:61", "9999999", "1e40",
                                        "--",  "１２",  "0x10",  " "};
        if (pick(3) == 0)
            return invalid[pick(std::size(invalid))];
        if (col == 2)
            return pick(2) ? "09:" + std::to_string(10 + pick(50)) : valid[pick(std::size(valid))];
        return valid[pick(std::size(valid))];
    }

    void step()
    {
        const int rows = w->grid.rows();
        switch (pick(13)) {
        case 0:
        case 1:
        case 2: {
            const int row = 2 + pick(std::max(rows - 2, 1));
            const int col = 1 + pick(std::max(w->grid.cols() - 1, 1));
            const std::string text = cellText(col);
            log += " edit(" + std::to_string(row) + "," + std::to_string(col) + ",'" + text + "')";
            w->grid.setCurrent(row, col);
            w->grid.commitEdit(row, col, text);
            break;
        }
        case 3:
            log += " insert";
            w->grid.setCurrent(2 + pick(std::max(rows - 2, 1)), 1);
            w->bar.click(band::kEdit, tool::kInsertRow);
            break;
        case 4:
            log += " delete";
            w->grid.setCurrent(2 + pick(std::max(rows - 2, 1)), 1);
            w->bar.click(band::kEdit, tool::kDeleteRow);
            break;
        case 5:
            log += " fix";
            w->bar.click(band::kEdit, tool::kFixCycles);
            break;
        case 6: {
            static const char* views[] = {tool::kRecordTable, tool::kSummary, tool::kTimeCurve,
                                          tool::kGradientCurve};
            const char* v = views[pick(4)];
            log += std::string(" view:") + v;
            w->bar.click(band::kChart, v);
            break;
        }
        case 7: {
            log += " mark";
            w->bar.click(band::kChart, tool::kGradientCurve);
            const int p = 1 + pick(kGradPointCount - 1);
            w->curves.mouseMove(w->curves.gpts[p].x + 1, w->curves.gpts[p].y - 1);
            w->curves.click();
            break;
        }
        case 8:
            log += " clearMarks";
            w->bar.click(band::kChart, tool::kClearMarks);
            break;
        case 9: {
            const int entry = pick(9);
            const std::string value = std::to_string(pick(200));
            log += " parameter(" + std::to_string(entry) + "=" + value + ")";
            windows.onParameterSetup = [entry, value](ParameterSetupDialog& dlg) {
                dlg.text1[entry] = value;
                dlg.ok();
            };
            w->bar.click(band::kParameter, tool::kParameterSetup);
            windows.shown.clear();
            break;
        }
        case 10: {
            const int which = pick(6);
            const bool on = pick(2);
            log += " print(" + std::to_string(which) + "," + std::to_string(on) + ")";
            windows.onPrintOptions = [which, on](PrintOptionsDialog& dlg) {
                dlg.toggled(which, on);
                dlg.confirm();
            };
            w->bar.click(band::kPrint, tool::kPrintOptions);
            break;
        }
        case 11: {
            log += " preview";
            const FixedTextMeasure measure;
            PageDocument doc(measure);
            ReportBuilder(*d, w->grid.rows()).buildPreview(doc);
            break;
        }
        case 12:
            log += " save";
            saveAndReopen();
            break;
        }
    }

    void saveAndReopen()
    {
        if (d->ftype == FileKind::None)
            return;
        w->dispatch(tool::kSave);
        if (d->dirty)
            return; // nothing to save, or the file could not be written
        auto d2 = std::make_unique<TestData>();
        ScriptedDialogs dialogs2;
        MainWindow w2(*d2, dialogs2, w->files.settingsPath());
        w2.load(1366);
        w2.files.openPath(d->curfile);
        // The loads' decimals follow the largest load and whether any stage load has a
        // fraction, both taken at an open: an edit that changes them shows its loads as the
        // reopened test does, so the saved table is read under the reopened test's rule.
        const auto shown = std::pair(d->maxload, d->hzdecimal);
        std::tie(d->maxload, d->hzdecimal) = std::pair(d2->maxload, d2->hzdecimal);
        const Kept before = kept(*w, *d);
        std::tie(d->maxload, d->hzdecimal) = shown;
        const Kept after = kept(w2, *d2);
        ASSERT_TRUE(before == after) << log << "\nsaved:    " << describe(before)
                                     << "\nreopened: " << describe(after);
    }
};

TEST(Soak, RandomCommandSequencesKeepEverySavedTestOnReopen)
{
    test::TempDir dir;
    const auto samples = samples::standardSamples();
    const char* seed = std::getenv("PYX_SOAK_SEED"); // another sequence of sequences, by hand
    std::mt19937 random(seed ? static_cast<unsigned>(std::atoi(seed)) : 1208u);
    const long peakBefore = peakKb();
    const long residentBefore = residentKb();
    const int count = sequences();
    int saves = 0;
    for (int s = 0; s < count; ++s) {
        const auto& sample = samples[random() % samples.size()];
        const std::string path = dir.write("s" + std::to_string(s % 4) + "-" + sample.name, sample.bytes);
        Soak soak(dir, random, dir.file("cfg/spconfig.sys"));
        soak.log = "sequence " + std::to_string(s) + " " + sample.name + ":";
        soak.dialogs.fileNames.push_back(path);
        soak.w->dispatch(tool::kOpen);
        const int steps = 5 + soak.pick(25);
        for (int i = 0; i < steps; ++i) {
            soak.step();
            if (::testing::Test::HasFatalFailure())
                return;
        }
        soak.log += " save";
        soak.saveAndReopen();
        if (::testing::Test::HasFatalFailure())
            return;
        saves += soak.d->dirty ? 0 : 1;
    }
    const long peakAfter = peakKb();
    const long residentAfter = residentKb();
    RecordProperty("sequences", count);
    std::printf("soak: %d sequences, %d ended saved; peak memory %ld kB before, %ld kB after; resident "
                "%ld kB before, %ld kB after\n",
                count, saves, peakBefore, peakAfter, residentBefore, residentAfter);
}

} // namespace
} // namespace pyx
