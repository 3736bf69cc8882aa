#include "reports/analysis_page.h"

#include "analysis/analysis_plots.h"
#include "analysis/analysis_report.h"
#include "data/header_labels.h"
#include "platform/recording_canvas.h"

namespace pyx {
namespace {

constexpr double kRowHeight = 280;
constexpr double kPictureWidth = 5000;
constexpr double kPictureHeight = kPictureWidth * -kPlotHeightRatio;

void title(PageDocument& doc, const TestData& d)
{
    doc.setFontSize(18);
    doc.setBold(true);
    doc.setAlign(TextAlign::Center);
    doc.paragraph(kTitleAnalysis);
    doc.setBold(false);
    doc.setFontSize(10.5);
    doc.setAlign(TextAlign::Left);
    doc.paragraph(kProjectLabel + d.jlb[0].cstr.trimmed() + "    " + kPileLabel + d.jlb[1].cstr.trimmed() +
                  "    桩径：" + d.jlb[3].cstr.trimmed() + "    桩长：" + d.jlb[4].cstr.trimmed());
}

// Widths of the columns of a section's table, in twips, filling the text area: the last column
// (remarks) takes what the others leave.
std::vector<double> columnWidths(const std::vector<std::string>& heading, double whole)
{
    std::vector<double> w;
    const std::string& first = heading.front();
    if (first == "判定方法")
        w = {2300, 900, 1100, 900, 1100};
    else if (first == "取值点")
        w = {1500, 900, 900, 800, 1400, 1000};
    else if (first == "荷载级")
        w = {900, 1000, 1000, 1400, 1100};
    else if (first == "取值规则")
        w = {whole - 4900, 1300, 1300};
    else
        w = std::vector<double>(heading.size() - 1, 1100);
    double used = 0;
    for (const double v : w)
        used += v;
    w.push_back(whole - used);
    return w;
}

void section(PageDocument& doc, const AnalysisSection& s)
{
    doc.setFontSize(12);
    doc.setBold(true);
    doc.paragraph(s.title);
    doc.setBold(false);
    doc.setFontSize(9);
    if (!s.rows.empty()) {
        const std::size_t cols = s.rows.front().size();
        Table t(static_cast<int>(cols), static_cast<int>(s.rows.size()));
        t.setDefaultRowHeight(kRowHeight);
        t.setHeaderRows(1);
        const std::vector<double> widths = columnWidths(s.rows.front(), doc.setup().contentWidth());
        for (std::size_t c = 0; c < cols; ++c)
            t.setColWidth(static_cast<int>(c) + 1, widths[c]);
        // Columns of remarks are set left, figures centred.
        const std::string& last = s.rows.front().back();
        const bool remarks = last == "说明" || last == "偏差" || last == "依据";
        for (std::size_t r = 0; r < s.rows.size(); ++r)
            for (std::size_t c = 0; c < cols && c < s.rows[r].size(); ++c) {
                t.setText(static_cast<int>(r) + 1, static_cast<int>(c) + 1, s.rows[r][c]);
                t.setAlign(static_cast<int>(r) + 1, static_cast<int>(c) + 1,
                           remarks && c + 1 == cols && r > 0 ? TextAlign::Left : TextAlign::Center);
            }
        doc.setAlign(TextAlign::Center);
        doc.table(std::move(t));
        doc.setAlign(TextAlign::Left);
    }
    for (const std::string& note : s.notes)
        doc.paragraph(note);
}

} // namespace

void AnalysisTables(PageDocument& doc, const TestData& d, const TestAnalysis& a)
{
    title(doc, d);
    for (const AnalysisSection& s : analysisSections(a))
        section(doc, s);
}

void AnalysisCurves(PageDocument& doc, const TestAnalysis& a)
{
    doc.setFontSize(18);
    doc.setBold(true);
    doc.setAlign(TextAlign::Center);
    doc.paragraph("单桩水平静载试验分析曲线");
    doc.setBold(false);
    doc.setAlign(TextAlign::Left);
    doc.setFontSize(12);
    const PageSetup& p = doc.setup();
    const double left = p.contentLeft();
    const double right = p.contentRight() - kPictureWidth;
    const double top = p.contentTop() + 900;
    const double places[3][2] = {{left, top}, {right, top}, {left, top + kPictureHeight + 600}};
    const AnalysisPlot plots[3] = {AnalysisPlot::Gradient, AnalysisPlot::LgLog, AnalysisPlot::Load};
    for (int k = 0; k < 3; ++k) {
        RecordingCanvas canvas;
        drawAnalysisPlot(canvas, a, plots[k]);
        doc.textBox(plotTitle(plots[k]), places[k][0], places[k][1] - 400, kPictureWidth, 360);
        doc.picture(canvas.picture(), places[k][0], places[k][1], kPictureWidth, kPictureHeight,
                    kAnalysisPlotTag + k);
    }
}

TestAnalysis reportAnalysis(const TestData& d, int gridRows)
{
    const TestInputs in = inputsForTest(d.curfile, d.jlb[3].cstr.trimmed());
    return analyseTest(d, gridRows, in.read.inputs);
}

} // namespace pyx
