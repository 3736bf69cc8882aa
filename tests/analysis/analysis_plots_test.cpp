// The analysis curves: axes scaled to the data with labels that differ, the suggested points
// in their own colour, and the analysis page's sections.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "analysis/analysis_plots.h"
#include "analysis/analysis_report.h"
#include "platform/recording_canvas.h"

namespace pyx {
namespace {

TEST(AnalysisPlots, AxesFollowTheDataWithDistinctLabels)
{
    // Gradients of a stiff pile: the main curve's fixed scale would label them 0.00, 0.00, 0.01.
    const PlotAxis small = niceAxis({0.0013, 0.0021, 0.0047, 0.0122}, true);
    EXPECT_DOUBLE_EQ(small.lo, 0);
    EXPECT_GE(small.hi, 0.0122);
    EXPECT_LT(small.hi, 0.02);
    const std::vector<std::string> labels = small.labels();
    EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()).size(), labels.size());
    EXPECT_EQ(labels.front(), "0.000");
    EXPECT_EQ(labels[1], "0.005");

    // Logarithms start where the data start; negative values are kept.
    const PlotAxis lg = niceAxis({-0.42, 0.1, 1.37}, false);
    EXPECT_DOUBLE_EQ(lg.lo, -0.5);
    EXPECT_DOUBLE_EQ(lg.hi, 1.5);
    EXPECT_EQ(lg.labels(), (std::vector<std::string>{"-0.5", "0.0", "0.5", "1.0", "1.5"}));

    // Loads in hundreds: whole numbers.
    EXPECT_EQ(niceAxis({50, 600}, true).labels(), (std::vector<std::string>{"0", "200", "400", "600"}));
    // One value or none still gives an axis.
    EXPECT_GT(niceAxis({3.3}, true).hi, 3.3);
    EXPECT_LT(niceAxis({}, true).lo, niceAxis({}, true).hi);
}

// Stage points of 50 kN steps, straight to 250 kN, steeper to 450 kN and steeper again.
TestAnalysis analysisWithBreaks()
{
    TestAnalysis a;
    double y = 0;
    for (int k = 1; k <= 12; ++k) {
        const double h = 50.0 * k;
        const double g = h <= 250 ? 0.012 : h <= 450 ? 0.03 : 0.09;
        y += 50 * g;
        a.points.push_back({k, 4 + 5 * (k - 1), h, y, g});
        a.mByStage.push_back({h, y, std::nullopt});
    }
    a.suggestions = suggestLoads(a.points);
    return a;
}

TEST(AnalysisPlots, SuggestedPointsAndFittedSegmentsAreDrawnInTheirColours)
{
    const TestAnalysis a = analysisWithBreaks();
    for (const AnalysisPlot which : {AnalysisPlot::Gradient, AnalysisPlot::LgLog, AnalysisPlot::Load}) {
        RecordingCanvas c;
        drawAnalysisPlot(c, a, which);
        int rings = 0, fitted = 0;
        std::string colour;
        std::vector<std::string> texts;
        for (const CanvasOp& op : c.ops()) {
            if (op.op == "penColor")
                colour = toJson(op);
            if (op.op == "circle" && colour.find("[0,150,60]") != std::string::npos)
                ++rings;
            if (op.op == "line" && colour.find("[30,90,200]") != std::string::npos)
                ++fitted;
            if (op.op == "text")
                texts.push_back(std::get<std::string>(op.args.at(0)));
        }
        EXPECT_EQ(rings, 2);
        EXPECT_EQ(fitted, which == AnalysisPlot::Load ? 0 : 3);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Hcr"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Hu"), texts.end());
    }
}

TEST(AnalysisPlots, AFitWithoutInflectionsIsNotDrawn)
{
    TestAnalysis a;
    for (int k = 1; k <= 8; ++k)
        a.points.push_back({k, 0, 50.0 * k, 0.5 * k, 0.01});
    a.suggestions = suggestLoads(a.points);
    ASSERT_TRUE(a.suggestions.lglog.fit);
    ASSERT_FALSE(a.suggestions.lglog.made());
    RecordingCanvas c;
    drawAnalysisPlot(c, a, AnalysisPlot::LgLog);
    std::string colour;
    for (const CanvasOp& op : c.ops()) {
        if (op.op == "penColor")
            colour = toJson(op);
        EXPECT_FALSE(op.op == "line" && colour.find("[30,90,200]") != std::string::npos);
        EXPECT_FALSE(op.op == "circle" && colour.find("[0,150,60]") != std::string::npos);
    }
}

TEST(AnalysisReport, SectionsCarryTheFiguresAndTheReasons)
{
    TestAnalysis a = analysisWithBreaks();
    a.inputProblem = "请输入桩身抗弯刚度EI（大于0，kN·m²）。";
    a.schedule.reason = "只有311字节记录的采集仪文件带有读数时间，无法检查加卸载时间。";
    const std::vector<AnalysisSection> s = analysisSections(a);
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].rows[1][1], "250");
    EXPECT_EQ(s[0].rows[1][3], "450");
    EXPECT_EQ(s[0].rows[4][5], "未标记");
    ASSERT_EQ(s[2].rows.size(), 13u);
    EXPECT_EQ(s[2].rows[12][3], "—");
    EXPECT_NE(std::find(s[1].notes.begin(), s[1].notes.end(), a.inputProblem), s[1].notes.end());
    EXPECT_EQ(s[4].notes.back(), a.schedule.reason);
    a.suggestions.disagree = true;
    EXPECT_EQ(suggestionSection(a).notes.front(), kDisagreeNote);
    EXPECT_EQ(loadText(12.5), "12.5");
    EXPECT_EQ(loadText(350), "350");
    // m to three significant figures.
    EXPECT_EQ(mText(61460), "61.5");
    EXPECT_EQ(mText(8512), "8.51");
    EXPECT_EQ(mText(123456), "123");
}

// Every row of the m tables whose αh lies below the table says so; above 4.0 it is taken at
// 4.0; a stage of fewer cycles is named.
TEST(AnalysisReport, AlphaOutsideTheTableAndShortStagesAreFlaggedInEveryRow)
{
    TestAnalysis a;
    const double alphas[] = {2.0, 3.0, 5.0};
    for (int k = 1; k <= 3; ++k) {
        StagePoint p;
        p.stage = k;
        p.h0 = 100.0 * k;
        p.y0 = k;
        a.points.push_back(p);
        MResult m;
        m.m = 10000;
        m.alphaH = alphas[k - 1];
        m.belowTable = k == 1;
        a.mByStage.push_back({p.h0, p.y0, m});
    }
    a.points[2].incomplete = true;
    a.points[2].cycles = 2;
    const AnalysisSection s = mByStageSection(a);
    ASSERT_EQ(s.rows.size(), 4u);
    EXPECT_EQ(s.rows[1][5], kOutsideTable);
    EXPECT_EQ(s.rows[2][3], "3.00");
    EXPECT_EQ(s.rows[2][5], "");
    EXPECT_EQ(s.rows[3][3], "4.00*");
    EXPECT_EQ(s.rows[3][5], "未完成的荷载级");
    a.mAt6 = a.mByStage[0];
    EXPECT_EQ(mSection(a).rows[2][6], kOutsideTable);
    EXPECT_NE(suggestionSection(a).notes[0].find("只有2次循环"), std::string::npos);
}

} // namespace
} // namespace pyx
