#include "analysis/analysis_plots.h"

#include <algorithm>
#include <cmath>

#include "data/numfmt.h"

namespace pyx {
namespace {

constexpr double kAreaWidth = 1000;
constexpr double kAreaHeight = 850;
constexpr float kFont = 62;
constexpr double kCharWidth = 0.55 * 0.62 * kFont; // a digit's advance, drawing units
constexpr Color kGrey = Color::rgb(190, 190, 190);

struct Series
{
    std::vector<double> x, y;
    std::vector<const StagePoint*> points; // the stage of each (x, y)
    const Suggestion* suggestion = nullptr;
    const char* xCaption = "";
    const char* yCaption = "";
    bool fromZero = true;
};

Series seriesOf(const TestAnalysis& a, AnalysisPlot which)
{
    Series s;
    for (const StagePoint& p : a.points) {
        if (which == AnalysisPlot::LgLog) {
            if (p.h0 <= 0 || p.y0 <= 0)
                continue;
            s.x.push_back(std::log10(p.h0));
            s.y.push_back(std::log10(p.y0));
        } else {
            s.x.push_back(p.h0);
            s.y.push_back(which == AnalysisPlot::Gradient ? p.dydh : p.y0);
        }
        s.points.push_back(&p);
    }
    switch (which) {
    case AnalysisPlot::Gradient:
        s.suggestion = &a.suggestions.gradient;
        s.xCaption = "H0(kN)";
        s.yCaption = "△Y0/△H0(mm/kN)";
        break;
    case AnalysisPlot::LgLog:
        s.suggestion = &a.suggestions.lglog;
        s.xCaption = "lgH0 (H0: kN)";
        s.yCaption = "lgY0 (Y0: mm)";
        s.fromZero = false;
        break;
    case AnalysisPlot::Load:
        s.suggestion = &a.suggestions.kink;
        s.xCaption = "H0(kN)";
        s.yCaption = "Y0(mm)";
        break;
    }
    return s;
}

double px(const PlotAxis& a, double v)
{
    return (v - a.lo) / (a.hi - a.lo) * kAreaWidth;
}

double py(const PlotAxis& a, double v)
{
    return (v - a.lo) / (a.hi - a.lo) * kAreaHeight;
}

void axes(Canvas& c, const PlotAxis& ax, const PlotAxis& ay, const Series& s)
{
    c.setPenWidth(1);
    const std::vector<std::string> xl = ax.labels();
    for (std::size_t i = 0; i < xl.size(); ++i) {
        const double x = px(ax, ax.lo + static_cast<double>(i) * ax.step);
        c.setPenColor(kGrey);
        c.drawLine(x, 0, x, kAreaHeight);
        c.setPenColor(kBlack);
        c.drawLine(x, 0, x, -12);
        c.textAt(x - kCharWidth * static_cast<double>(xl[i].size()) / 2, -22, xl[i]);
    }
    const std::vector<std::string> yl = ay.labels();
    for (std::size_t i = 0; i < yl.size(); ++i) {
        const double y = py(ay, ay.lo + static_cast<double>(i) * ay.step);
        c.setPenColor(kGrey);
        c.drawLine(0, y, kAreaWidth, y);
        c.setPenColor(kBlack);
        c.drawLine(0, y, -12, y);
        c.textAt(-20 - kCharWidth * static_cast<double>(yl[i].size()), y + 12, yl[i]);
    }
    c.setPenWidth(2);
    c.drawLine(0, 0, kAreaWidth, 0);
    c.drawLine(0, 0, 0, kAreaHeight);
    c.textAt(kAreaWidth - kCharWidth * static_cast<double>(std::string(s.xCaption).size()), -85, s.xCaption);
    c.textAt(0, kAreaHeight + 95, s.yCaption);
}

void suggestedPoint(Canvas& c, double x, double y, const std::string& label)
{
    c.setPenColor(kSuggestionColor);
    c.setTextColor(kSuggestionColor);
    c.setPenWidth(3);
    c.drawCircle(x, y, 20);
    c.setPenStyle(kPenDotted);
    c.drawLine(x, y, x, 0);
    c.setPenStyle(kPenSolid);
    c.textAt(x - 30 - kCharWidth * static_cast<double>(label.size()), y + 55, label);
    c.setTextColor(kBlack);
    c.setPenColor(kBlack);
}

} // namespace

std::vector<std::string> PlotAxis::labels() const
{
    std::vector<std::string> out;
    const std::string pattern =
        decimals > 0 ? "#0." + std::string(static_cast<std::size_t>(decimals), '0') : "#0";
    const int n = static_cast<int>(std::lround((hi - lo) / step));
    for (int i = 0; i <= n; ++i)
        out.push_back(formatDouble(lo + i * step, pattern));
    return out;
}

PlotAxis niceAxis(const std::vector<double>& values, bool fromZero)
{
    double lo = 0, hi = 0;
    bool any = false;
    for (const double v : values)
        if (std::isfinite(v)) {
            lo = any ? std::min(lo, v) : v;
            hi = any ? std::max(hi, v) : v;
            any = true;
        }
    if (fromZero && lo > 0)
        lo = 0;
    if (!any || hi - lo <= 0) {
        const double pad = any && hi != 0 ? std::abs(hi) * 0.1 : 1;
        lo -= pad;
        hi += pad;
        if (fromZero && lo < 0 && (!any || hi - pad >= 0))
            lo = 0;
    }
    const double raw = (hi - lo) / 5;
    const double power = std::pow(10, std::floor(std::log10(raw)));
    double step = power;
    for (const double f : {1.0, 2.0, 5.0, 10.0})
        if (f * power >= raw) {
            step = f * power;
            break;
        }
    PlotAxis a;
    a.step = step;
    a.lo = std::floor(lo / step + 1e-9) * step;
    a.hi = std::ceil(hi / step - 1e-9) * step;
    if (a.hi <= a.lo)
        a.hi = a.lo + step;
    a.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    return a;
}

const char* plotTitle(AnalysisPlot which)
{
    switch (which) {
    case AnalysisPlot::Gradient:
        return "H0-△Y0/△H0 曲线";
    case AnalysisPlot::LgLog:
        return "lgH0-lgY0 曲线";
    case AnalysisPlot::Load:
        return "H0-Y0 曲线";
    }
    return "";
}

void drawAnalysisPlot(Canvas& c, const TestAnalysis& a, AnalysisPlot which)
{
    c.clear();
    c.setWindow(kPlotLeft, kPlotTop, kPlotWidth, kPlotHeight);
    c.setFontName("Tahoma");
    c.setFontSize(kFont);
    c.setTextAlign(1);
    c.setTextColor(kBlack);
    c.setPenColor(kBlack);
    c.setPenStyle(kPenSolid);
    const Series s = seriesOf(a, which);
    const PlotAxis ax = niceAxis(s.x, s.fromZero);
    PlotAxis ay = niceAxis(s.y, s.fromZero);
    axes(c, ax, ay, s);
    if (s.x.empty())
        return;

    const Suggestion& sug = *s.suggestion;
    // The fitted segments of a suggestion; a fit that found no inflection is not shown.
    if (sug.fit && sug.made()) {
        c.setPenColor(kFitColor);
        c.setPenWidth(3);
        for (const FitSegment& seg : sug.fit->segments)
            c.drawLine(px(ax, seg.x0), py(ay, seg.y0), px(ax, seg.x1), py(ay, seg.y1));
    }
    if (which == AnalysisPlot::Load) {
        c.setPenColor(kGrey);
        c.setPenStyle(kPenDotted);
        for (const double mm : {6.0, 10.0})
            if (mm <= ay.hi) {
                c.drawLine(0, py(ay, mm), kAreaWidth, py(ay, mm));
                c.textAt(10, py(ay, mm) + 45, "Y0=" + formatDouble(mm, "#0") + "mm");
            }
        c.setPenStyle(kPenSolid);
    }
    c.setPenColor(kBlack);
    c.setPenWidth(2);
    c.setFillColor(Color::rgb(255, 255, 255));
    const bool joined = which == AnalysisPlot::Load || !sug.fit || !sug.made();
    for (std::size_t i = 0; i < s.x.size(); ++i) {
        if (joined)
            c.drawLine(i == 0 ? (which == AnalysisPlot::Load ? 0 : px(ax, s.x[0])) : px(ax, s.x[i - 1]),
                       i == 0 ? (which == AnalysisPlot::Load ? 0 : py(ay, s.y[0])) : py(ay, s.y[i - 1]),
                       px(ax, s.x[i]), py(ay, s.y[i]));
        c.drawCircle(px(ax, s.x[i]), py(ay, s.y[i]), 9);
    }
    // A stage of fewer cycles than the schedule's: crossed and named.
    for (std::size_t k = 0; k < s.x.size(); ++k)
        if (s.points[k]->incomplete) {
            const double x = px(ax, s.x[k]), y = py(ay, s.y[k]);
            c.drawLine(x - 14, y - 14, x + 14, y + 14);
            c.drawLine(x - 14, y + 14, x + 14, y - 14);
            c.textAt(x - 160, y - 40, "未完成");
        }
    // The suggestion's points: the stage's point of this curve.
    const auto mark = [&](int stage, const char* label) {
        for (std::size_t k = 0; k < s.x.size(); ++k)
            if (stage > 0 && s.points[k]->stage == stage) {
                suggestedPoint(c, px(ax, s.x[k]), py(ay, s.y[k]), label);
                return;
            }
    };
    mark(sug.hcrStage, "Hcr");
    mark(sug.huStage, "Hu");
}

} // namespace pyx
