#include "curves/gradient_curve.h"

#include <algorithm>
#include <array>

#include "data/numfmt.h"
#include "eval/gradient_points.h"

namespace pyx {
namespace {

inline constexpr const char* kTitle = "下表 H0--△Y0/△H0 曲线";
// Red mark lines reach past both of their points by this much along x (and the slope along y).
inline constexpr double kReachX = 100.0 / 3.0;
inline constexpr double kReachSlope = 25;

void drawAxes(Canvas& c, long n, const std::optional<double>& kz3, float gmax)
{
    c.textAt(60, 1140, "△Y0/△H0(mm/kN)");
    c.textAt(1080, 40, "H0(10kN)");
    c.drawLine(0, 50, 0, 1090);
    c.drawLine(0, 50, 1040, 50);
    if (n >= 1) {
        for (long i = 0; i <= n / 2; ++i) {
            const double x = 2000.0 * i / n;
            c.setFontSize(30);
            c.setTextX(x);
            c.setTextY(20);
            if (kz3)
                c.drawText(formatDouble(2.0 * i * *kz3 / 10, "#0.0"));
            c.drawLine(x, 50, x, 75);
        }
        for (long i = 0; i <= 5 * n; ++i)
            c.drawLine(200.0 * i / n, 50, 200.0 * i / n, 65);
    }
    for (int m = 0; m <= 1000; m += 20) {
        if (m % 200 == 0)
            c.drawLine(0, m + 50, 20, m + 50);
        else if (m % 40 == 0)
            c.drawLine(0, m + 50, 13, m + 50);
    }
    for (int l = 0; l <= 1000; l += 200) {
        c.setFontSize(30);
        c.setTextX(-60);
        c.setTextY(l + 65);
        if (kz3 && *kz3 != 0)
            c.drawText(formatDouble(gmax * static_cast<float>(l) / 1000 / *kz3, "##0.00"));
    }
}

// The points: the first stage's last cycle (or the last record of a short table), then the
// last cycle of every later stage.
void drawPoints(Canvas& c, const TestData& d, int gridRows, GradPoints& gpts, CurveTarget target, long n,
                double kz3, float gmax)
{
    const std::vector<int> pointRows = gradientPointRows(d, gridRows);
    if (pointRows.empty())
        return;
    const JlbRec& r = d.jlbp[pointRows.front()];
    float x = static_cast<float>(r.hz * 1000.0f / (kz3 * n));
    float y = r.ds[dispLoading] * 1000 / gmax + 50;
    float previous = r.ds[dispLoading];
    if (target == CurveTarget::Screen)
        c.setDrawStyle(0);
    c.drawLine(0, 50, x, y);
    gpts[0] = {x, y};
    c.setFillColor(Color::system(kButtonFace));
    c.drawCircle(x, y, 8);
    GradPoint p{x, y};
    int j = 0;
    for (std::size_t idx = 1; idx < pointRows.size(); ++idx) {
        const JlbRec& s = d.jlbp[pointRows[idx]];
        x = static_cast<float>(s.hz * 1000.0f / (kz3 * n));
        y = std::min((s.ds[dispLoading] - previous) * 1000 / gmax + 50, 1000.0f);
        c.drawLine(p.x, p.y, x, y);
        ++j;
        if (j < kGradPointCount)
            gpts[j] = {x, y};
        c.drawCircle(x, y, 8);
        previous = s.ds[dispLoading];
        p = {x, y};
    }
}

// A red line from `a` to `b`, reaching past both ends; none when they share x.
void slopeLine(Canvas& c, GradPoint a, GradPoint b, bool reachBack)
{
    if (b.x == a.x)
        return;
    const double s = (static_cast<double>(b.y) - a.y) / (static_cast<double>(b.x) - a.x);
    const double back = reachBack ? 1 : 0;
    c.drawLine(a.x - back * kReachX, a.y - back * kReachSlope * s, b.x + kReachX, b.y + kReachSlope * s);
}

void drawMarks(Canvas& c, const TestData& d, const GradPoints& gpts)
{
    if (markIndex(d, 0) == 0)
        return;
    const auto i1 = markedPoint(markIndex(d, 0));
    if (!i1)
        return;
    c.setPenColor(kBrightRed);
    const GradPoint m1 = gpts[*i1];
    slopeLine(c, GradPoint{0, 50}, m1, false);
    c.setPenStyle(kPenDotted);
    c.drawLine(m1.x, m1.y, m1.x, 50);
    c.textAt(m1.x, m1.y + 45, markText(d, 0).trimmed());

    const auto i2 = markedPoint(markIndex(d, 1));
    if (markIndex(d, 1) == 0 || !i2) {
        c.setPenColor(kBlack);
        return;
    }
    const GradPoint m2 = gpts[*i2];
    c.setPenStyle(kPenSolid);
    slopeLine(c, m1, m2, true);
    c.setPenStyle(kPenDotted);
    c.drawLine(m2.x, m2.y, m2.x, 50);
    int e = 0;
    for (int k = kGradPointCount - 1; k >= 1 && e == 0; --k)
        if (gpts[k].x > 0)
            e = k;
    c.setPenStyle(kPenSolid);
    slopeLine(c, m2, gpts[e], true);
    c.setPenColor(kBlack);
    c.textAt(m2.x, m2.y + 50, markText(d, 1).trimmed());
}

} // namespace

void drawGradientCurve(Canvas& c, const TestData& d, int gridRows, GradPoints& gpts, CurveTarget target)
{
    const float gmax = drawnScale(d.gmax);
    gpts.fill(GradPoint{});
    beginCurve(c);
    c.setPenColor(kBlack);
    c.setFillColor(kBlack);
    c.setFontName("Tahoma");
    c.setFontSize(30);
    c.setPenWidth(2);
    c.setTextColor(kBlack);
    c.setPenStyle(kPenSolid);
    c.setTextAlign(1);
    if (target == CurveTarget::Page)
        c.textAt(480, 1140, kTitle);

    const long n = d.nstage;
    const auto kz3 = loadIncrement(d);
    drawAxes(c, n, kz3, gmax);
    if (d.curfile.empty() || gridRows - 1 < 2)
        return;
    if (!kz3 || *kz3 == 0 || n < 1)
        return;
    drawPoints(c, d, gridRows, gpts, target, n, *kz3, gmax);
    drawMarks(c, d, gpts);
}

void drawSuggestedPoints(Canvas& c, const TestData& d, const GradPoints& gpts,
                         const std::vector<SuggestedStages>& suggestions)
{
    // Per point: named as a critical and/or an ultimate load.
    std::array<int, kGradPointCount> named{};
    for (const SuggestedStages& one : suggestions) {
        if (one.hcrStage >= 1 && one.hcrStage <= kGradPointCount)
            named[static_cast<std::size_t>(one.hcrStage - 1)] |= 1;
        if (one.huStage >= 1 && one.huStage <= kGradPointCount)
            named[static_cast<std::size_t>(one.huStage - 1)] |= 2;
    }
    // What the marks already say at their points: mark 1 the critical load, mark 2 the ultimate.
    std::array<int, kGradPointCount> marked{};
    for (int which = 0; which < 2; ++which)
        if (markIndex(d, which) != 0)
            if (const auto i = markedPoint(markIndex(d, which)))
                marked[static_cast<std::size_t>(*i)] |= which + 1;
    c.setPenColor(kSuggestionColor);
    c.setTextColor(kSuggestionColor);
    c.setPenWidth(3);
    c.setPenStyle(kPenSolid);
    for (std::size_t k = 0; k < named.size(); ++k) {
        if (named[k] == 0)
            continue;
        const GradPoint p = gpts[k];
        c.setPenColor(kSuggestionColor);
        c.drawCircle(p.x, p.y, 16);
        // The point itself again on top of the ring; the label above where a mark's text goes.
        c.setPenColor(kBlack);
        c.drawCircle(p.x, p.y, 8);
        // A marked point keeps the mark's label alone; a role the mark does not confirm is
        // named below the point, clear of the mark's text.
        const int label = marked[k] != 0 ? named[k] & ~marked[k] : named[k];
        if (label != 0)
            c.textAt(p.x, marked[k] != 0 ? p.y - 30 : p.y + 90,
                     label == 3   ? "Hcr?/Hu?"
                     : label == 1 ? "Hcr?"
                                  : "Hu?");
    }
    c.setPenWidth(2);
    c.setPenColor(kBlack);
    c.setTextColor(kBlack);
}

} // namespace pyx
