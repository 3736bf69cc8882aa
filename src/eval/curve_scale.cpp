#include "eval/curve_scale.h"

#include <string_view>

#include "data/numfmt.h"
#include "data/settings.h"
#include "data/value_range.h"

namespace pyx {
namespace {

// Ten steps of the axis must hold the value: the step becomes value / 9 in `pattern`.
void growStep(float& ystep, float value, std::string_view pattern)
{
    // A value a damaged file gave that no table holds leaves the scale as it is.
    if (!usableReading(value))
        return;
    const float tenSteps = 10 * ystep;
    if (tenSteps < value)
        if (const auto step = toSingle(formatSingle(value / 9, pattern)))
            ystep = *step;
}

} // namespace

void genXY(TestData& d)
{
    if (d.yfix) {
        // A fixed axis keeps its scales; one of zero would draw nothing, so it becomes 1.
        if (d.ystep == 0 || !usableReading(d.ystep))
            d.ystep = 1.0f;
        if (d.gmax == 0 || !usableReading(d.gmax))
            d.gmax = 1.0f;
        return;
    }
    d.ystep = 0.1f;
    d.gmax = 0.2f;
    const bool lower1 = gaugeInUse(d.csz, kLowerGauge1);
    const bool lower2 = gaugeInUse(d.csz, kLowerGauge2);
    for (int i = 0; i < kRecordFileRows && d.jlb[i].hz != kEndLoad; ++i) {
        const float loading = d.jlbp[i].ds[dispLoading];
        const float unloading = d.jlbp[i].ds[dispUnloading];
        if (lower1)
            growStep(d.ystep, d.jlb[i].ds[2], "#0");
        if (lower2)
            growStep(d.ystep, d.jlb[i].ds[3], "#0");
        growStep(d.ystep, loading, "#0.00");
        growStep(d.ystep, unloading, "#0.00");
        if (d.ystep < 1)
            d.ystep = 1;
        if (d.gmax < loading && usableReading(loading))
            d.gmax = loading;
        if (d.gmax < unloading && usableReading(unloading))
            d.gmax = unloading;
    }
}

void display(TestData& d, const CurveDrawers& drawers)
{
    genXY(d);
    const auto& draw = d.curvekind == CurveKind::Time ? drawers.drawQs : drawers.drawLg;
    if (draw)
        draw();
}

} // namespace pyx
