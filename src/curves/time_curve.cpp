#include "curves/time_curve.h"

#include <algorithm>
#include <string>

#include "data/numfmt.h"

namespace pyx {
namespace {

inline constexpr const char* kTitle = "下表 H0-t-Y0曲线";

void setUp(Canvas& c, CurveTarget target)
{
    c.setPenColor(kBlack);
    c.setFillColor(kBlack);
    c.setFontName("Tahoma");
    c.setFontSize(32);
    c.setPenWidth(2);
    if (target == CurveTarget::Page) {
        c.setTextAlign(1);
        c.textAt(450, 10, kTitle);
    }
    c.setTextColor(kBlack);
    c.setPenStyle(kPenSolid);
    c.setTextAlign(1);
}

// Frame, ticks and labels of the displacement axis; the displacement grows downwards from
// the time axis at y = 1000.
void drawDisplacementAxis(Canvas& c, float ystep)
{
    c.drawLine(0, -15, 0, 1100);
    c.drawLine(0, 1000, 1000, 1000);
    c.drawLine(0, 1100, 1000, 1100);
    for (int a = 0; a <= 1000; a += 20)
        c.drawLine(0, a, a % 100 == 0 ? 20 : 13, a);
    for (int a = 0; a <= 1000; a += 100) {
        const float mm = static_cast<float>(1000 - a) * ystep / 100;
        c.textAt(-60, a + 15, formatSingle(mm, "##0.00"));
    }
}

// One label an hour (two stages), skipped past the end of the axis.
void drawTimeLabels(Canvas& c, long n)
{
    c.textAt(-60, 1142, "0");
    const long last = toLong(n / 2.0).value_or(0);
    for (long i = 1; i <= last; ++i) {
        c.setTextX(2000.0 * i / n);
        if (c.textX() > 1000)
            continue;
        c.setTextY(1142);
        c.drawText(std::to_string(i));
    }
}

// The stage columns above the time axis: separators, the stage load in units of 10 kN and
// the symbol of a load cycle.
void drawLoadStrip(Canvas& c, long n, const std::optional<double>& kz3)
{
    for (long i = 1; i < n; ++i)
        c.drawLine(1000.0 * i / n, 1000, 1000.0 * i / n, 1100);
    c.setFontSize(29);
    const double cell = 1000.0 / n;
    const double offset = n >= 15 ? 3 : 6;
    for (long i = 0; i < n; ++i) {
        const double x = 1000.0 * i / n;
        const double next = 1000.0 * (i + 1) / n;
        c.setTextX(x + cell / 4 + offset);
        c.setTextY(1040);
        if (kz3)
            c.drawText(formatDouble((i + 1) * *kz3 / 10, "##0.0"));
        c.textAt(x + 0.45 * cell, 1090, "0");
        c.drawLine(x + cell / 5, 1042, x + cell / 5, 1075);
        c.drawLine(x + cell / 10, 1052, x + cell / 5, 1042);
        c.drawLine(next - cell / 5, 1042, next - cell / 5, 1075);
        c.drawLine(next - cell / 5, 1075, next - cell / 10, 1052);
    }
}

// The saw-tooth: every cycle rises to its loaded reading at 2/3 of the cycle and falls back
// to its unloaded reading at its end. Records are drawn in index order.
void drawCycles(Canvas& c, const TestData& d, long n, double kz3, float ystep)
{
    c.setPenStyle(kPenSolid);
    c.setPenColor(kBlack);
    c.setFillColor(kBlack);
    double px = 0;
    double py = 1000;
    const int rows = std::clamp<int>(d.jlbn, 0, kJlbRows);
    const double cycleWidth = 1000.0 / (5.0 * n);
    for (int k = 0; k < rows; ++k) {
        const JlbRec& r = d.jlbp[k];
        const auto stage = toLong(r.hz / kz3);
        if (!stage)
            continue;
        const auto column = toLong((static_cast<double>(*stage) - 1) * 1000.0 / n);
        if (!column)
            continue;
        const double lx = *column + (r.xh - 1 + 2.0 / 3.0) * cycleWidth;
        const float ly = 1000 - r.ds[dispLoading] * 100 / ystep;
        const double ux = *column + r.xh * cycleWidth;
        const float uy = 1000 - r.ds[dispUnloading] * 100 / ystep;
        c.drawLine(px, py, lx, ly);
        c.drawLine(lx, ly, ux, uy);
        px = ux;
        py = uy;
    }
}

} // namespace

void drawTimeCurve(Canvas& c, const TestData& d, CurveTarget target)
{
    const float ystep = drawnScale(d.ystep);
    beginCurve(c);
    setUp(c, target);
    const double captionX = target == CurveTarget::Page ? 1080 : 1060;
    c.textAt(captionX, 1110, "时间 t (h)");
    c.textAt(captionX, 1020, "H0(10kN)");
    c.textAt(60, -10, "Y0(mm)");
    drawDisplacementAxis(c, ystep);

    const long n = d.nstage;
    if (n < 1)
        return;
    const auto kz3 = loadIncrement(d);
    drawTimeLabels(c, n);
    drawLoadStrip(c, n, kz3);
    if (d.curfile.empty() || !kz3 || *kz3 == 0)
        return;
    drawCycles(c, d, n, *kz3, ystep);
}

} // namespace pyx
