// Open, edit, save, open again: every file kind keeps its test. The model after the second
// open is compared with the model before the save, field by field, together with the views
// that show the logger's own readings (raw data window and raw data report).

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/records.h"
#include "data/settings.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "rawview/raw_view.h"
#include "reports/report_data.h"
#include "samplegen/sample_files.h"
#include "support/temp_dir.h"
#include "tables/record_table.h"

namespace pyx {
namespace {

using samples::CyclicTest;
using samples::LoggerMode;

constexpr int kFirstDataRow = 2; // the record grid has two header rows

std::string num(float v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

void addMatrix(std::vector<std::string>& out, const std::string& name,
               const std::vector<std::vector<std::string>>& m)
{
    for (std::size_t r = 0; r < m.size(); ++r) {
        std::string line = name + "[" + std::to_string(r) + "]";
        for (const auto& cell : m[r])
            line += "|" + cell;
        out.push_back(line);
    }
}

std::vector<std::vector<std::string>> gridTexts(const TextGrid& g)
{
    std::vector<std::vector<std::string>> rows(g.rows());
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            rows[r].push_back(g.text(r, c));
    return rows;
}

// What a user can see of the open test, one line per value. Views that change the model
// when they are built (raw data window, raw data report) are built on a copy.
std::vector<std::string> snapshot(MainWindow& w)
{
    const TestData& d = w.data();
    std::vector<std::string> out;
    out.push_back("ftype=" + std::to_string(static_cast<int>(d.ftype)));
    out.push_back("jlbn=" + std::to_string(d.jlbn));
    out.push_back("ysn2=" + std::to_string(d.ysn2));
    out.push_back("maxload=" + std::to_string(d.maxload) + " kz3=" + d.kz3 +
                  " nstage=" + std::to_string(d.nstage));
    out.push_back("ystep=" + num(d.ystep) + " gmax=" + num(d.gmax) +
                  " yfix=" + std::to_string(d.yfix ? -1 : 0));
    out.push_back("hzcount=" + std::to_string(d.hzcount) + " hzdecimal=" + std::to_string(d.hzdecimal));
    for (int i = 1; i < kSettingsCount; ++i) // entry 0 belongs to the parameter dialog
        out.push_back("csz" + std::to_string(i) + "=" + d.csz[i]);
    out.push_back("end " + d.jlb[d.jlbn].sj.trimmed() + " " + num(d.jlb[d.jlbn].hz));
    for (int i = 0; i < d.jlbn; ++i) {
        const JlbRec& r = d.jlb[i];
        std::string line =
            "jlb" + std::to_string(i) + " " + r.sj.trimmed() + " " + num(r.hz) + " " + std::to_string(r.xh);
        for (float x : r.ds)
            line += " " + num(x);
        out.push_back(line);
        const JlbRec& p = d.jlbp[i];
        out.push_back("jlbp" + std::to_string(i) + " " + num(p.hz) + " " + num(p.ds[0]) + " " + num(p.ds[1]) +
                      " " + num(p.ds[2]) + " " + num(p.ds[3]));
    }
    for (int i : {0, 1, 2, 3, 4, 5, 20, 21})
        out.push_back("slot" + std::to_string(i) + " " + d.jlb[i].cstr.trimmed() + " " + num(d.jlb[i].cs));
    for (int i = 0; i < d.hzcount && i < static_cast<int>(d.hzdat.size()); ++i) {
        const HzRow& h = d.hzdat[i];
        out.push_back("hz" + std::to_string(i) + " " + num(h.load) + " " + std::to_string(h.minutes) + " " +
                      h.maxDisp + " " + h.maxResidual);
    }
    out.push_back("caption=" + w.caption);
    for (const auto& label : w.labels)
        out.push_back("label=" + label);
    // The table as the grid shows it when it is drawn again (the grid of an open is drawn
    // before the cycle numbers are corrected).
    TextGrid table;
    headJlb(table, d.screenpx);
    fillRecordTable(table, d);
    addMatrix(out, "grid", gridTexts(table));
    addMatrix(out, "DataJlb", DataJlb(d));
    addMatrix(out, "DataHzb", DataHzb(d));
    if (d.ftype == FileKind::Raw311) {
        // The gauge weights are kept from view to view, not with the file.
        auto report = std::make_unique<TestData>(d);
        report->ysflag = {};
        addMatrix(out, "DataYsb", DataYsb(*report));
        auto copy = std::make_unique<TestData>(d);
        TextGrid grid;
        RawDataView view(*copy, grid);
        view.open();
        for (const auto& [name, text] : view.headerLines())
            out.push_back("rawview " + name + "=" + text);
        addMatrix(out, "rawview", gridTexts(grid));
    }
    return out;
}

// The first line where two snapshots differ, or an empty text.
std::string firstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string x = i < a.size() ? a[i] : "(none)";
        const std::string y = i < b.size() ? b[i] : "(none)";
        if (x != y)
            return "before: " + x + "\n after: " + y;
    }
    return {};
}

// First reading cell of a grid row that shows a number (a gauge in use).
int readingColumn(const TextGrid& g, int row)
{
    for (int c = 4; c <= 11; ++c)
        if (g.text(row, c) != "--" && !g.text(row, c).empty())
            return c;
    return -1;
}

struct SaveRoundTripTest : ::testing::Test
{
    test::TempDir dir;
    std::string settings = dir.file("spconfig.sys");
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> w;

    void SetUp() override
    {
        w = std::make_unique<MainWindow>(*d, dialogs, settings);
        w->load(1366);
    }

    OpenResult open(const std::string& path) { return w->files.openPath(path); }

    // Edits a reading of the first and of the last record-table row, as the grid does.
    void editReadings()
    {
        if (d->jlbn == 0)
            return;
        for (int row : {kFirstDataRow, kFirstDataRow + d->jlbn - 1}) {
            const int col = readingColumn(w->grid, row);
            if (col < 0)
                continue;
            const std::string edited = row == kFirstDataRow ? "1.23" : "-4.56";
            ASSERT_TRUE(w->grid.commitEdit(row, col, edited)) << "row " << row << " col " << col;
            ASSERT_TRUE(d->dirty);
        }
    }

    // Open, edit, save, open again; then a second save writes the same bytes.
    void roundTrip(const std::string& name, const std::string& bytes)
    {
        SCOPED_TRACE(name);
        const std::string path = dir.write(name, bytes);
        ASSERT_EQ(open(path), OpenResult::Opened);
        editReadings();
        const std::vector<std::string> before = snapshot(*w);
        if (d->ftype == FileKind::Raw311) {
            // The user looks at the raw data first: the window corrects texts in memory.
            TextGrid grid;
            RawDataView view(*d, grid);
            view.open();
        }
        ASSERT_EQ(w->files.save(), SaveResult::Saved);
        const std::string saved = test::TempDir::read(path);
        ASSERT_EQ(w->files.save(), SaveResult::Saved);
        EXPECT_TRUE(test::TempDir::read(path) == saved) << "a second save changed the file";

        ASSERT_EQ(open(path), OpenResult::Opened);
        EXPECT_EQ(firstDifference(before, snapshot(*w)), "");
        ASSERT_EQ(w->files.save(), SaveResult::Saved);
        EXPECT_TRUE(test::TempDir::read(path) == saved) << "saving the reopened file changed it";
    }
};

TEST_F(SaveRoundTripTest, EveryCommittedSampleKeepsItsTest)
{
    const std::filesystem::path samplesDir = std::filesystem::path(PYX_SOURCE_DIR) / "samples";
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(samplesDir)) {
        if (entry.path().extension() == ".md" || entry.is_directory())
            continue;
        roundTrip(entry.path().filename().string(), test::TempDir::read(entry.path().string()));
        ++files;
    }
    EXPECT_GE(files, 16);
}

TEST_F(SaveRoundTripTest, GeneratedFilesOfEveryKindKeepTheirTest)
{
    struct Case
    {
        std::string name;
        CyclicTest t;
    };
    std::vector<Case> cases;
    for (int stages : {1, 3, 12, 31, 40}) { // 40 levels of five cycles: 200 rows
        CyclicTest t;
        t.stages = stages;
        t.manualAfter = {3, stages * 10 - 2};
        t.lowVoltageAfter = {stages * 5};
        cases.push_back({"levels" + std::to_string(stages), t});
    }
    CyclicTest fractional;
    fractional.stages = 8;
    fractional.increment = 12.5f;
    fractional.header.increment = "12.5";
    fractional.header.maxLoad = "100";
    cases.push_back({"fractional", fractional});
    CyclicTest upper;
    upper.stages = 24;
    upper.header.gauges = {true, false, false, false};
    cases.push_back({"upper", upper});
    CyclicTest axis;
    axis.stages = 16;
    axis.startMinute = 22 * 60;
    axis.header.axisStages = "20";
    axis.header.axisStep = "0.5";
    axis.header.mark1 = 4;
    axis.header.mark1Text = "Hcr";
    axis.header.maxLoad = "1000";
    cases.push_back({"axis", axis});

    for (const Case& c : cases) {
        roundTrip(c.name + "-levels.pyx", samples::loggerFile(c.t, LoggerMode::LevelRecords));
        roundTrip(c.name + "-pairs.pyx", samples::loggerFile(c.t, LoggerMode::Pairs));
        roundTrip(c.name + "-old.pyw", samples::oldLoggerFile(c.t));
        roundTrip(c.name + ".pys", samples::recordFile(c.t, 30));
    }
}

} // namespace
} // namespace pyx
