// The analysis window through the main window: the command of the analysis menu, the inputs
// kept beside the data file, "采用建议" through the mark dialog (marks only on its OK), and
// the suggested points on the gradient curve.

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/analysis_plots.h"
#include "analysis/analysis_window.h"
#include "curves/marks.h"
#include "mainwin/command_names.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "rawview/raw_view.h"
#include "samplegen/sample_files.h"
#include "support/modal_windows_stub.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

struct AnalysisWindowTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, dir.file("spconfig.sys")};
    test::ModalWindowsStub windows;
    std::string file = dir.write(
        "SZ-9.pyx", samples::loggerFile(samples::analysisSample(), samples::LoggerMode::LevelRecords));

    AnalysisWindowTest()
    {
        w.load(1366);
        w.setModalWindows(&windows);
        dialogs.fileNames.push_back(file);
        w.dispatch(tool::kOpen);
    }

    void showRawData()
    {
        TextGrid grid;
        RawDataView(*d, grid).open();
    }

    // Rings in the suggestions' colour on the main window's curve.
    long suggestedRings() const
    {
        const Drawing& ops = w.curves.surface.ops();
        long rings = 0;
        bool green = false;
        for (const CanvasOp& op : ops) {
            if (op.op == "penColor") {
                const double* r = op.args.size() >= 3 ? std::get_if<double>(&op.args[0]) : nullptr;
                const double* g = op.args.size() >= 3 ? std::get_if<double>(&op.args[1]) : nullptr;
                green = r && g && *r == kSuggestionColor.r && *g == kSuggestionColor.g;
            }
            if (green && op.op == "circle")
                ++rings;
        }
        return rings;
    }
};

TEST_F(AnalysisWindowTest, OpensOnTheTestWithTheWidthFromThePileDiameter)
{
    EXPECT_TRUE(w.bar.tool(band::kAnalysis, tool::kAnalyse)->enabled);
    bool ran = false;
    windows.onAnalysis = [&](AnalysisWindow& a) {
        ran = true;
        EXPECT_EQ(a.widthText, "0.8");
        EXPECT_TRUE(a.widthNote.empty());
        EXPECT_EQ(a.suggestion(SuggestionMethod::Gradient).hcrStage, 5);
        EXPECT_EQ(a.suggestion(SuggestionMethod::Kink).huStage, 9);
        EXPECT_FALSE(a.result().inputProblem.empty());
        EXPECT_FALSE(a.setEi("abc"));
        EXPECT_EQ(dialogs.messages.back().text, "抗弯刚度EI应为大于0的数值！");
        EXPECT_TRUE(a.eiText.empty());
        EXPECT_TRUE(a.setEi("4e5"));
        EXPECT_TRUE(a.setEmbedded("24"));
        a.setRule(CharacteristicRule::Displacement10);
        EXPECT_TRUE(a.result().inputProblem.empty());
        ASSERT_TRUE(a.result().mAtHcr && a.result().mAtHcr->m);
        EXPECT_GT(a.result().mAtHcr->m->m, 0);
    };
    w.dispatch(tool::kAnalyse);
    ASSERT_TRUE(ran);
    EXPECT_EQ(windows.opened, std::vector<std::string>{"analysis"});
    // Closing wrote the inputs beside the data file; the next opening reads them.
    const InputsRead stored = readAnalysisInputs(file);
    ASSERT_TRUE(stored.found);
    EXPECT_DOUBLE_EQ(*stored.inputs.ei, 4e5);
    EXPECT_EQ(stored.inputs.rule, CharacteristicRule::Displacement10);
    windows.onAnalysis = [&](AnalysisWindow& a) { EXPECT_EQ(a.embeddedText, "24"); };
    w.dispatch(tool::kAnalyse);
}

TEST_F(AnalysisWindowTest, AdoptingOpensTheMarkDialogAndOnlyItsOkSetsTheMarks)
{
    std::array<std::string, 4> shown;
    bool confirm = false;
    windows.onMark = [&](MarkDialog& m) {
        shown = m.text;
        if (confirm)
            m.ok();
    };
    windows.onAnalysis = [&](AnalysisWindow& a) {
        a.chosen = SuggestionMethod::LgLog;
        a.adopt();
    };
    w.dispatch(tool::kAnalyse);
    EXPECT_EQ(shown, (std::array<std::string, 4>{"5", "9", "Hcr", "Hu"}));
    EXPECT_EQ(markIndex(*d, 0), 0); // left without OK: nothing marked
    EXPECT_FALSE(d->dirty);

    confirm = true;
    w.dispatch(tool::kAnalyse);
    EXPECT_EQ(markIndex(*d, 0), 4);
    EXPECT_EQ(markIndex(*d, 1), 8);
    EXPECT_EQ(markText(*d, 1).trimmed(), "Hu");
    EXPECT_TRUE(d->dirty);
    EXPECT_EQ(d->curvekind, CurveKind::Gradient);
}

TEST_F(AnalysisWindowTest, SuggestionsAreRingedOnTheGradientCurveAfterTheAnalysis)
{
    w.dispatch(tool::kGradientCurve);
    EXPECT_EQ(suggestedRings(), 0);
    w.dispatch(tool::kAnalyse);
    // All three methods name stages 5 and 9: two rings.
    EXPECT_EQ(suggestedRings(), 2);
    // Another test shows its curve without them until its analysis is opened.
    dialogs.fileNames.push_back(file);
    w.dispatch(tool::kOpen);
    w.dispatch(tool::kGradientCurve);
    EXPECT_EQ(suggestedRings(), 0);
}

TEST_F(AnalysisWindowTest, ScheduleCheckReadsTheLoggerTimesAlsoAfterASave)
{
    const ScheduleCheck before = checkSchedule(*d);
    ASSERT_EQ(before.deviations.size(), 1u);
    // The raw data window marks row 0 as a load-level record in memory.
    showRawData();
    d->dirty = true;
    ASSERT_EQ(w.files.save(), SaveResult::Saved);
    dialogs.fileNames.push_back(file);
    w.dispatch(tool::kOpen);
    const ScheduleCheck after = checkSchedule(*d);
    ASSERT_EQ(after.deviations.size(), 1u);
    EXPECT_EQ(after.deviations[0].text, before.deviations[0].text);
    EXPECT_EQ(after.deviations[0].record, before.deviations[0].record);

    // A file of plain pairs: its first row is a reading, also when the raw data window has
    // shown it.
    samples::CyclicTest t = samples::analysisSample();
    dialogs.fileNames.push_back(dir.write("pairs.pyx", samples::loggerFile(t, samples::LoggerMode::Pairs)));
    w.dispatch(tool::kOpen);
    showRawData();
    const ScheduleCheck pairs = checkSchedule(*d);
    ASSERT_EQ(pairs.deviations.size(), 1u);
    EXPECT_EQ(pairs.deviations[0].stage, 7);
    EXPECT_EQ(pairs.stages, 12);
}

TEST_F(AnalysisWindowTest, AMethodWithoutSuggestionSaysWhy)
{
    samples::CyclicTest t;
    t.stages = 4;
    dialogs.fileNames.push_back(dir.write("short.pyx", samples::loggerFile(t, samples::LoggerMode::Pairs)));
    w.dispatch(tool::kOpen);
    windows.onAnalysis = [&](AnalysisWindow& a) { a.adopt(); };
    windows.opened.clear();
    w.dispatch(tool::kAnalyse);
    EXPECT_EQ(windows.opened, std::vector<std::string>{"analysis"}); // no mark dialog
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_NE(dialogs.messages.back().text.find("少于5级"), std::string::npos);
}

} // namespace
} // namespace pyx
