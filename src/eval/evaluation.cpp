#include "eval/evaluation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "data/numfmt.h"
#include "data/settings.h"
#include "eval/readings.h"

namespace pyx {
namespace {

// Minutes added to the span of every stage: the hold of its last reading.
constexpr std::int64_t kLastCycleMinutes = 4;
constexpr std::int64_t kMinutesPerDay = 1440;

std::int32_t flagValue(const TestData& d, int entry)
{
    return toLong(leadingNumber(d.csz[entry])).value_or(0);
}

// The loading and unloading displacement of one gauge pair: the mean of both gauges
// when both are in use, else the one in use; nothing when neither is.
// `first`/`second` are the loading slots of the two gauges in ds; unloading is 4 later.
std::optional<std::pair<float, float>> pairReading(const TestData& d, const JlbRec& row, int firstEntry,
                                                   int first, int second)
{
    const int secondEntry = firstEntry + 1;
    if ((flagValue(d, firstEntry) & flagValue(d, secondEntry)) != 0) {
        const double loading = (static_cast<double>(row.ds[first]) + row.ds[second]) / 2;
        const double unloading = (static_cast<double>(row.ds[first + 4]) + row.ds[second + 4]) / 2;
        return std::pair{static_cast<float>(loading), static_cast<float>(unloading)};
    }
    if (settingNonZero(d.csz, firstEntry))
        return std::pair{row.ds[first], row.ds[first + 4]};
    if (settingNonZero(d.csz, secondEntry))
        return std::pair{row.ds[second], row.ds[second + 4]};
    return std::nullopt;
}

} // namespace

void ystodb(TestData& d)
{
    const int last = std::clamp<int>(d.jlbn, 0, kJlbRows - 1);
    for (int i = 0; i <= last; ++i) {
        const JlbRec& in = d.jlb[i];
        JlbRec& out = d.jlbp[i];
        out.sj = in.sj;
        out.hz = in.hz;
        out.xh = in.xh;
        const auto upper = pairReading(d, in, gaugeEntry(kUpperGauge1), 0, 1);
        if (upper) {
            out.ds[upperLoading] = upper->first;
            out.ds[upperUnloading] = upper->second;
        }
        // Without lower gauges the upper gauges give the horizontal displacement.
        const auto lower = pairReading(d, in, gaugeEntry(kLowerGauge1), 2, 3);
        if (const auto disp = lower ? lower : upper) {
            out.ds[dispLoading] = disp->first;
            out.ds[dispUnloading] = disp->second;
        }
    }
    genhzdat(d);
}

void genhzdat(TestData& d)
{
    if (d.curfile.empty())
        return;
    d.hzcount = 0;
    d.hzdecimal = false;
    const int rows = std::clamp<int>(d.jlbn, 0, kJlbRows - 1);
    d.hzdat.assign(static_cast<std::size_t>(rows), HzRow{});

    // The displacements of a stage are those of its last row: formatted once that row is known.
    int openStage = -1;
    int openRow = 0;
    const auto closeStage = [&d, &openStage, &openRow] {
        if (openStage < 0)
            return;
        HzRow& stage = d.hzdat[static_cast<std::size_t>(openStage)];
        stage.maxDisp = formatSingle(d.jlbp[openRow].ds[dispLoading], "#0.00");
        stage.maxResidual = formatSingle(d.jlbp[openRow].ds[dispUnloading], "#0.00");
    };

    bool pending = true;
    std::int64_t stageStart = 0;
    for (int i = 0; i < rows; ++i) {
        const JlbRec& row = d.jlbp[i];
        if (row.sj.is(kUnusedTime) || row.hz == kEndLoad)
            break;
        if (row.hz != d.jlbp[i + 1].hz) {
            pending = true;
        } else if (pending) {
            ++d.hzcount;
            pending = false;
            stageStart = TimeToMinutes(row.sj.trimmed());
        }
        const std::int64_t now = TimeToMinutes(row.sj.trimmed());
        std::int64_t held = now - stageStart + kLastCycleMinutes;
        if (now < stageStart)
            held += kMinutesPerDay; // the stage ran past midnight
        if (row.hz > std::trunc(row.hz))
            d.hzdecimal = true;
        if (d.hzcount == 0)
            continue;
        if (d.hzcount - 1 != openStage) {
            closeStage();
            openStage = d.hzcount - 1;
        }
        openRow = i;
        HzRow& stage = d.hzdat[static_cast<std::size_t>(openStage)];
        stage.load = row.hz;
        stage.minutes = toLong(static_cast<double>(held)).value_or(0);
    }
    closeStage();
}

} // namespace pyx
