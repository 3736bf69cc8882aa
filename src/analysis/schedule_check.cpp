#include "analysis/schedule_check.h"

#include <cmath>
#include <cstdlib>

#include "analysis/analysis_report.h"
#include "data/numfmt.h"
#include "data/raw_save_mark.h"
#include "data/settings_entries.h"
#include "eval/readings.h"

namespace pyx {
namespace {

// One loading/unloading cycle as the logger recorded it.
struct Cycle
{
    float load = 0;
    int loadMinute = 0;
    int unloadMinute = 0;
    int loadRecord = 0; // 0-based
    int unloadRecord = 0;
};

int holdSetting(const TestData& d, int entry, int fallback)
{
    const auto v = toDouble(d.csz[static_cast<std::size_t>(entry)]);
    if (!v || !std::isfinite(*v) || *v < 0 || *v > 24 * 60)
        return fallback;
    return static_cast<int>(std::lround(*v));
}

// Minutes from `a` to `b`, over midnight when `b` is earlier.
int minutesBetween(int a, int b)
{
    return ((b - a) % 1440 + 1440) % 1440;
}

bool extraReading(const YsRec& r)
{
    return (static_cast<unsigned char>(r.zt.bytes()[0]) & 0x40) != 0; // manual or low voltage
}

// The logger's own view of the readings, as the raw data window shows them: the second time
// of each row (a save keeps it, with the load and status of the reading, when it writes the
// record table over the first), "--:--" there marking a load-level record.
std::vector<Cycle> cyclesOf(const TestData& d)
{
    // Row 0 is a load-level record unless the file holds plain pairs; the raw data window
    // shows it as one, so in a file of pairs its own first time stands for it.
    const auto saved = savedTableMark(d.ysd[0]);
    const bool pairs = saved ? !saved->haslevel : d.ysd[0].s20a.trimmed() == "1";
    std::vector<Cycle> out;
    const int n = static_cast<int>(std::min<std::int32_t>(d.ysn0, kRawRows));
    bool haveLevel = false;
    float level = 0;
    bool loading = true;
    Cycle c;
    for (int i = 0; i < n && !d.ysd[i].sj2.is(kUnusedTime); ++i) {
        const YsRec& r = d.ysd[i];
        const bool firstReading = i == 0 && pairs && !r.sj.is(kNoTime);
        const FixedText<5>& time = firstReading ? r.sj : r.sj2;
        if (time.is(kNoTime)) {
            haveLevel = true;
            level = r.u[0];
            loading = true;
            continue;
        }
        if (extraReading(r))
            continue;
        const int minute = TimeToMinutes(time.trimmed());
        if (loading) {
            c = Cycle{};
            c.load = haveLevel ? level : r.u[0];
            c.loadMinute = minute;
            c.loadRecord = i;
        } else {
            c.unloadMinute = minute;
            c.unloadRecord = i;
            out.push_back(c);
        }
        loading = !loading;
    }
    return out;
}

} // namespace

int loadingHoldMinutes(const TestData& d)
{
    return holdSetting(d, setting::kLoadingHold, 4);
}

int unloadingHoldMinutes(const TestData& d)
{
    return holdSetting(d, setting::kUnloadingHold, 2);
}

ScheduleCheck checkSchedule(const TestData& d)
{
    ScheduleCheck out;
    out.loadingHold = loadingHoldMinutes(d);
    out.unloadingHold = unloadingHoldMinutes(d);
    if (d.ftype != FileKind::Raw311) {
        out.reason = "只有311字节记录的采集仪文件带有读数时间，无法检查加卸载时间。";
        return out;
    }
    const std::vector<Cycle> cycles = cyclesOf(d);
    if (cycles.empty()) {
        out.reason = "文件中没有完整的加卸载循环。";
        return out;
    }
    out.checked = true;
    const auto add = [&](ScheduleIssue issue, int stage, int cycle, int record, int expected, int actual,
                         std::string text) {
        out.deviations.push_back({issue, stage, cycle, record + 1, expected, actual, std::move(text)});
    };
    std::size_t first = 0;
    int stage = 0;
    while (first < cycles.size()) {
        std::size_t end = first + 1;
        while (end < cycles.size() && cycles[end].load == cycles[first].load)
            ++end;
        ++stage;
        const std::string at = "第" + std::to_string(stage) + "级（" + loadText(cycles[first].load) + "kN）";
        const int count = static_cast<int>(end - first);
        if (count != kCyclesPerStage)
            add(ScheduleIssue::Cycles, stage, 0, cycles[first].loadRecord, kCyclesPerStage, count,
                at + "循环" + std::to_string(count) + "次，应为" + std::to_string(kCyclesPerStage) + "次");
        for (std::size_t k = first; k < end; ++k) {
            const Cycle& c = cycles[k];
            const int cycle = static_cast<int>(k - first) + 1;
            const std::string where = at + "第" + std::to_string(cycle) + "次循环";
            const int unloaded = minutesBetween(c.loadMinute, c.unloadMinute);
            if (std::abs(unloaded - out.unloadingHold) > kHoldTolerance)
                add(ScheduleIssue::UnloadingHold, stage, cycle, c.unloadRecord, out.unloadingHold, unloaded,
                    where + "卸载读数在加载读数后" + std::to_string(unloaded) + "分钟，卸载停留应为" +
                        std::to_string(out.unloadingHold) + "分钟");
            if (k + 1 >= cycles.size())
                continue;
            // The next loading reading ends the loading hold that began at this unloading reading.
            const Cycle& next = cycles[k + 1];
            const int loaded = minutesBetween(c.unloadMinute, next.loadMinute);
            if (std::abs(loaded - out.loadingHold) <= kHoldTolerance)
                continue;
            if (k + 1 < end)
                add(ScheduleIssue::LoadingHold, stage, cycle + 1, next.loadRecord, out.loadingHold, loaded,
                    at + "第" + std::to_string(cycle + 1) + "次循环加载持荷" + std::to_string(loaded) +
                        "分钟，应为" + std::to_string(out.loadingHold) + "分钟");
            else
                add(ScheduleIssue::StageGap, stage + 1, 1, next.loadRecord, out.loadingHold, loaded,
                    at + "最后一次卸载读数至下一级第1次加载读数" + std::to_string(loaded) + "分钟，应为" +
                        std::to_string(out.loadingHold) + "分钟");
        }
        first = end;
    }
    out.stages = stage;
    return out;
}

} // namespace pyx
