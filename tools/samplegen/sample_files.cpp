#include "sample_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "data/numfmt.h"
#include "data/records.h"

namespace pyx::samples {
namespace {

constexpr int kCycles = 5;
constexpr int kMinutesPerCycle = 6;     // 4 minutes loaded, then 2 unloaded: each reading ends its hold
constexpr int kMinutesUnloading = 2;    // from the loading to the unloading reading
constexpr int kHeaderRows = 40;         // the fixed header rows reach row 39
constexpr float kJackAreaCm2 = 314.16f; // 200 mm bore: MPa = kN / 31.416

// The cycles of a stage: five, the last stage as the test sets it.
int cyclesOf(const CyclicTest& t, int stage)
{
    return stage == t.stages ? std::clamp(t.lastStageCycles, 1, kCycles) : kCycles;
}

std::string timeText(int minute)
{
    const int m = ((minute % 1440) + 1440) % 1440;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", m / 60, m % 60);
    return buf;
}

float hundredths(double mm)
{
    return static_cast<float>(std::round(mm * 100) / 100);
}

float oilPressure(float load)
{
    return hundredths(load * 10 / kJackAreaCm2);
}

std::string statusField(unsigned char status)
{
    std::string field(20, '\0');
    field[0] = static_cast<char>(status);
    return field;
}

// Gauge readings of one cycle (upper 1, upper 2, lower 1, lower 2): the displacement
// grows with the level and creeps a little with every cycle; the upper gauges read
// more than the lower ones, the unloading reading keeps a growing residual part.
struct CycleGauges
{
    std::array<float, 4> loading{};
    std::array<float, 4> unloading{};
};

CycleGauges cycleGauges(const CyclicTest& t, int stage, int cycle)
{
    double lower = t.stageMm.size() >= static_cast<std::size_t>(stage)
                       ? t.stageMm[static_cast<std::size_t>(stage - 1)]
                       : t.firstStageMm * std::pow(stage, 1.6);
    if (t.kneeStage > 0 && stage > t.kneeStage)
        lower *= 1 + 0.10 * std::pow(stage - t.kneeStage, 1.4);
    if (t.ultimateStage > 0 && stage > t.ultimateStage)
        lower *= 1 + 0.15 * std::pow(stage - t.ultimateStage, 1.3);
    lower *= 1 + 0.025 * (cycle - 1);
    const double residual = lower * (0.3 + 0.015 * stage);
    const std::array<double, 4> load{lower * 1.4 + 0.02 * stage, lower * 1.47 + 0.02 * stage, lower,
                                     lower * 1.05};
    const std::array<double, 4> unload{residual * 1.4, residual * 1.47, residual, residual * 1.05};
    CycleGauges g;
    for (int k = 0; k < 4; ++k) {
        g.loading[k] = t.header.gauges[k] ? hundredths(load[k]) : 0.0f;
        g.unloading[k] = t.header.gauges[k] ? hundredths(unload[k]) : 0.0f;
    }
    return g;
}

int loadingMinute(const CyclicTest& t, int stage, int cycle)
{
    const bool late = t.lateStage > 0 && (stage > t.lateStage || (stage == t.lateStage && cycle >= 3));
    return t.startMinute + (stage - 1) * kCycles * kMinutesPerCycle + (cycle - 1) * kMinutesPerCycle +
           (late ? t.lateMinutes : 0);
}

bool listed(const std::vector<int>& list, int index)
{
    return std::find(list.begin(), list.end(), index) != list.end();
}

template <class Rec> void writeHeaderSlots(std::vector<Rec>& rows, const TestHeader& h)
{
    rows[6].s20b.set(h.increment);
    rows[7].s20b.set(h.maxLoad);
    rows[7].s60.set(h.project);
    const std::array<const std::string*, 5> texts{&h.pile, &h.date, &h.diameter, &h.length, &h.gaugeDistance};
    for (int i = 0; i < 5; ++i)
        rows[8 + i].s20a.set(*texts[i]);
    rows[20].s60.set(singleText(h.mark1));
    rows[21].s60.set(singleText(h.mark2));
    rows[22].s60.set(h.mark1Text);
    rows[23].s60.set(h.mark2Text);
    for (int i = 0; i < 4; ++i)
        rows[31 + i].s20a.set(h.gauges[i] ? "1" : "0");
    rows[38].s60.set(h.axisStages);
    rows[39].s60.set(h.axisStep);
}

YsRecOld unusedOldRecord()
{
    YsRecOld r;
    r.sj.set(kUnusedTime);
    r.sj2.set(kUnusedTime);
    r.s5a.set("99999");
    return r;
}

JlbRec recordRow(const CyclicTest& t, int stage, int cycle)
{
    const CycleGauges g = cycleGauges(t, stage, cycle);
    const int minute = loadingMinute(t, stage, cycle) + (cycle == kCycles ? kMinutesUnloading : 0);
    JlbRec r;
    r.sj.set(timeText(minute));
    r.hz = stage * t.increment;
    r.xh = static_cast<std::int16_t>(cycle);
    for (int k = 0; k < 4; ++k) {
        r.ds[k] = g.loading[k];
        r.ds[4 + k] = g.unloading[k];
    }
    return r;
}

// A small deterministic generator, so the damaged samples are the same on every run.
struct Lcg
{
    std::uint32_t state;
    std::uint32_t next()
    {
        state = state * 1664525u + 1013904223u;
        return state;
    }
};

} // namespace

YsRec levelRecord(float load)
{
    YsRec r;
    r.sj.set(kNoTime);
    r.sj2.set(kNoTime);
    r.v[0] = load;
    r.u[0] = load;
    r.u[1] = oilPressure(load);
    r.zt.setRaw(statusField(kTimedReading));
    return r;
}

YsRec reading(std::string_view time, float load, int cycle, const std::array<float, 4>& gauges,
              unsigned char status)
{
    YsRec r;
    r.sj.set(time);
    r.sj2.set(time);
    r.v[0] = load;
    r.v[13] = static_cast<float>(cycle);
    r.u[0] = load;
    r.u[1] = oilPressure(load);
    for (int k = 0; k < 4; ++k) {
        r.v[2 + k] = gauges[k];
        r.u[2 + k] = gauges[k];
    }
    r.zt.setRaw(statusField(status));
    return r;
}

YsRec unusedRecord()
{
    YsRec r;
    r.sj.set(kUnusedTime);
    r.sj2.set(kUnusedTime);
    r.s5a.set("99999");
    return r;
}

void applyHeader(std::vector<YsRec>& rows, const TestHeader& h, LoggerMode mode)
{
    while (rows.size() < kHeaderRows)
        rows.push_back(unusedRecord());
    rows[0].s20a.set(mode == LoggerMode::Pairs ? "1" : "");
    writeHeaderSlots(rows, h);
    // Instrument header of the raw data window: jack and sensor data.
    const std::array<const char*, 11> instrument{"1.052", h.date.c_str(), h.pile.c_str(), "QF320-07", "3200",
                                                 "63",    "YL-1185",      "60",           "2.002",    "1",
                                                 "1"};
    for (std::size_t i = 0; i < instrument.size(); ++i)
        rows[i].s20d.set(instrument[i]);
    rows[13].s60.set("1");
}

std::string encodeLogger(const std::vector<YsRec>& rows)
{
    std::string out;
    out.reserve(rows.size() * kYsRecSize);
    for (const YsRec& r : rows)
        out += encodeYsRec(r);
    return out;
}

std::vector<YsRec> loggerRecords(const CyclicTest& t, LoggerMode mode)
{
    std::vector<YsRec> rows;
    int index = 0; // readings so far, for the inserted extra readings
    for (int stage = 1; stage <= t.stages; ++stage) {
        const float load = stage * t.increment;
        if (mode == LoggerMode::LevelRecords)
            rows.push_back(levelRecord(load));
        for (int cycle = 1; cycle <= cyclesOf(t, stage); ++cycle) {
            const CycleGauges g = cycleGauges(t, stage, cycle);
            const int minute = loadingMinute(t, stage, cycle);
            for (int half = 0; half < 2; ++half) {
                const int at = minute + half * kMinutesUnloading;
                const auto& gauges = half == 0 ? g.loading : g.unloading;
                rows.push_back(reading(timeText(at), half == 0 ? load : 0.0f, cycle, gauges));
                if (listed(t.manualAfter, index))
                    rows.push_back(reading(timeText(at + 1), load, cycle, gauges, kManualReading));
                if (listed(t.lowVoltageAfter, index))
                    rows.push_back(reading(timeText(at + 1), load, cycle, gauges, kLowVoltageReading));
                ++index;
            }
        }
    }
    applyHeader(rows, t.header, mode);
    return rows;
}

std::string loggerFile(const CyclicTest& t, LoggerMode mode)
{
    return encodeLogger(loggerRecords(t, mode));
}

std::string oldLoggerFile(const CyclicTest& t)
{
    std::vector<YsRecOld> rows;
    for (int stage = 1; stage <= t.stages; ++stage) {
        for (int cycle = 1; cycle <= cyclesOf(t, stage); ++cycle) {
            const CycleGauges g = cycleGauges(t, stage, cycle);
            const int minute = loadingMinute(t, stage, cycle);
            for (int half = 0; half < 2; ++half) {
                YsRecOld r;
                r.sj.set(timeText(minute + half * kMinutesUnloading));
                r.sj2 = r.sj;
                r.v[0] = stage * t.increment;
                r.v[12] = static_cast<float>(cycle - 1);
                for (int k = 0; k < 4; ++k)
                    r.v[1 + k] = half == 0 ? g.loading[k] : g.unloading[k];
                rows.push_back(r);
            }
        }
    }
    while (rows.size() < kHeaderRows)
        rows.push_back(unusedOldRecord());
    rows.push_back(unusedOldRecord()); // the logger closes the readings with an unused row
    writeHeaderSlots(rows, t.header);
    std::string out;
    for (const YsRecOld& r : rows)
        out += encodeYsRecOld(r);
    return out;
}

std::string recordFile(const CyclicTest& t, float controlLoad)
{
    std::array<JlbRec, kRecordFileRows> rows{};
    int n = 0;
    for (int stage = 1; stage <= t.stages; ++stage)
        for (int cycle = 1; cycle <= cyclesOf(t, stage) && n < kRecordFileRows - 1; ++cycle)
            rows[n++] = recordRow(t, stage, cycle);
    rows[n].hz = kEndLoad;
    rows[n].sj.set(kUnusedTime);

    const TestHeader& h = t.header;
    rows[0].cstr.set(h.project);
    const std::array<const std::string*, 5> texts{&h.pile, &h.date, &h.diameter, &h.length, &h.gaugeDistance};
    for (int i = 0; i < 5; ++i)
        rows[1 + i].cstr.set(*texts[i]);
    rows[17].cs = controlLoad;
    rows[20].cs = h.mark1;
    rows[21].cs = h.mark2;
    rows[20].cstr.set(h.mark1Text);
    rows[21].cstr.set(h.mark2Text);
    rows[38].cstr.set(h.axisStages);
    rows[39].cstr.set(h.axisStep);

    std::string out;
    for (const JlbRec& r : rows)
        out += encodeJlbRec(r);
    return out;
}

std::string nonFiniteLoggerFile()
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float huge = std::numeric_limits<float>::max();
    const std::array<float, 6> bad{nan, inf, -inf, huge, -huge, 1e30f};

    CyclicTest t;
    t.stages = 8;
    t.header.increment = "abc";
    t.header.maxLoad = "1e999";
    t.header.axisStages = "1e40";
    t.header.axisStep = "NaN";
    t.header.mark1Text = "Hcr";
    t.header.gauges = {true, false, true, true};
    std::vector<YsRec> rows = loggerRecords(t, LoggerMode::LevelRecords);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        YsRec& r = rows[i];
        if (r.sj.is(kUnusedTime))
            continue;
        const float x = bad[i % bad.size()];
        if (i % 3 == 0)
            r.v[0] = x;
        if (i % 4 == 1)
            r.v[13] = x;
        r.v[2 + i % 4] = x;
        r.u[1 + i % 5] = x;
    }
    rows[20].s60.set("1e300");
    rows[21].s60.set("-1e300");
    rows[32].s20a.set("x");
    rows[33].s20a.set("1e10");
    return encodeLogger(rows);
}

std::string garbageFile(std::size_t records, std::size_t recordSize, std::uint32_t seed)
{
    Lcg lcg{seed};
    std::string out(records * recordSize, '\0');
    for (char& c : out)
        c = static_cast<char>(lcg.next() >> 24);
    return out;
}

std::string truncatedRecordFile()
{
    CyclicTest t;
    t.stages = 8;
    std::string bytes = recordFile(t);
    bytes.resize(9 * kJlbRecSize - 50);
    return bytes;
}

CyclicTest analysisSample()
{
    CyclicTest t;
    t.stages = 12;
    t.increment = 50;
    t.startMinute = 8 * 60;
    t.header.pile = "SZ-9";
    t.header.diameter = "800";
    t.header.length = "24";
    t.header.increment = "50";
    t.header.maxLoad = "600";
    // mm/kN of the lower gauges' first cycle below 250 kN, up to 450 kN and beyond.
    constexpr std::array<double, 3> gain{0.0117, 0.0293, 0.0878};
    double mm = 0;
    for (int stage = 1; stage <= t.stages; ++stage) {
        const double load = stage * t.increment;
        mm += t.increment * gain[load <= 250 ? 0 : load <= 450 ? 1 : 2];
        t.stageMm.push_back(static_cast<float>(mm));
    }
    t.lateStage = 7;
    t.lateMinutes = 3;
    return t;
}

std::vector<Sample> standardSamples()
{
    std::vector<Sample> out;

    CyclicTest levels;
    levels.manualAfter = {13, 57};
    levels.lowVoltageAfter = {34};
    out.push_back({"logger_levels.pyx",
                   "311-byte logger file with load-level records: 10 levels of 40 kN, five cycles each, all "
                   "four gauges, two manual and one low-voltage reading",
                   loggerFile(levels, LoggerMode::LevelRecords)});

    CyclicTest midnight;
    midnight.stages = 8;
    midnight.increment = 60;
    midnight.startMinute = 21 * 60 + 50;
    midnight.firstStageMm = 0.35f;
    midnight.header.pile = "SZ-7";
    midnight.header.increment = "60";
    midnight.header.maxLoad = "600";
    midnight.header.gauges = {true, true, true, false};
    out.push_back({"logger_midnight.pyx",
                   "311-byte logger file with load-level records: 8 levels of 60 kN from 21:50, the fifth "
                   "level runs past midnight, lower gauge 2 off",
                   loggerFile(midnight, LoggerMode::LevelRecords)});

    CyclicTest pairs;
    pairs.stages = 12;
    pairs.increment = 50;
    pairs.startMinute = 9 * 60;
    pairs.header.pile = "SZ-12";
    pairs.header.increment = "50";
    pairs.header.maxLoad = "600";
    pairs.header.gauges = {true, true, false, false};
    out.push_back({"logger_pairs.pyx",
                   "311-byte logger file of plain loading/unloading pairs (row 0 flag \"1\"): 12 levels of "
                   "50 kN, upper gauges only",
                   loggerFile(pairs, LoggerMode::Pairs)});

    CyclicTest old;
    old.stages = 9;
    old.increment = 30;
    old.header.pile = "SZ-1";
    old.header.increment = "30";
    old.header.maxLoad = "300";
    out.push_back({"logger_old.pyw", "267-byte logger file: 9 levels of 30 kN, five cycles each, all gauges",
                   oldLoggerFile(old)});

    CyclicTest fractional;
    fractional.stages = 8;
    fractional.increment = 12.5f;
    fractional.firstStageMm = 0.4f;
    fractional.header.pile = "SZ-5";
    fractional.header.mark1 = 3;
    fractional.header.mark1Text = "Hcr";
    fractional.header.mark2 = 6;
    fractional.header.mark2Text = "Hu";
    fractional.header.axisStages = "8";
    fractional.header.axisStep = "0.5";
    out.push_back({"record_fractional.pys",
                   "record file: 8 levels of 12.5 kN, marks at points 3 (Hcr) and 6 (Hu), fixed axis of 8 "
                   "levels and 0.5 mm",
                   recordFile(fractional, 50)});

    CyclicTest long15;
    long15.stages = 15;
    long15.increment = 20;
    long15.firstStageMm = 0.3f;
    long15.header.pile = "SZ-15";
    out.push_back({"record_15_levels.pys",
                   "record file: 15 levels of 20 kN up to 23 mm, axis computed from the data",
                   recordFile(long15)});

    out.push_back({"logger_analysis.pyx",
                   "311-byte logger file with load-level records: 12 levels of 50 kN on a 800 mm pile, "
                   "displacement straight to 250 kN, steeper to 450 kN and steeper again; the third cycle "
                   "of level 7 starts 3 minutes late",
                   loggerFile(analysisSample(), LoggerMode::LevelRecords)});

    out.push_back({"bad_nonfinite.pyx",
                   "damaged 311-byte logger file: NaN, infinite and huge numbers in loads, cycles and "
                   "readings, non-numeric header numbers",
                   nonFiniteLoggerFile()});
    out.push_back(
        {"bad_garbage.pyx", "damaged: 12 records of 311 random bytes", garbageFile(12, kYsRecSize, 7)});
    out.push_back({"bad_garbage_old.pyw", "damaged: 10 records of 267 random bytes",
                   garbageFile(10, kYsRecOldSize, 11)});
    out.push_back(
        {"bad_truncated.pys", "damaged record file cut inside its ninth row", truncatedRecordFile()});
    return out;
}

std::vector<Sample> unitSamples()
{
    struct Pile
    {
        const char* name;
        const char* date;
        const char* length;
        float firstStageMm;
        int knee;
        char kind; // 'L' logger file, 'O' 267-byte logger file, 'R' record file
    };
    // Hcr 360, 360, 420, 480, 540 and 600 kN: the last lies far from the others.
    constexpr Pile piles[] = {
        {"SZ-01", "2024-05-16", "28.5", 0.30f, 6, 'L'}, {"SZ-02", "2024-05-17", "28.5", 0.28f, 6, 'L'},
        {"SZ-03", "2024-05-18", "28.5", 0.24f, 7, 'L'}, {"SZ-04", "2024-05-19", "29.0", 0.22f, 8, 'O'},
        {"SZ-05", "2024-05-20", "28.5", 0.20f, 9, 'R'}, {"SZ-06", "2024-05-21", "28.5", 0.16f, 10, 'R'}};
    std::vector<Sample> out;
    for (const Pile& p : piles) {
        CyclicTest t;
        t.increment = 60;
        t.kneeStage = p.knee;
        t.ultimateStage = p.knee + 2;
        t.stages = p.knee + 4;
        t.firstStageMm = p.firstStageMm;
        t.header.pile = p.name;
        t.header.date = p.date;
        t.header.length = p.length;
        t.header.increment = "60";
        t.header.maxLoad = std::to_string(60 * t.stages);
        t.header.mark1 = static_cast<float>(p.knee - 1);
        t.header.mark1Text = "Hcr";
        t.header.mark2 = static_cast<float>(p.knee + 1);
        t.header.mark2Text = "Hu";
        const std::string stem = std::string(p.name);
        const std::string levels = std::to_string(t.stages) + " levels of 60 kN, Hcr " +
                                   std::to_string(60 * p.knee) + " kN, Hu " +
                                   std::to_string(60 * (p.knee + 2)) + " kN";
        if (p.kind == 'L')
            out.push_back(
                {stem + ".pyx", "311-byte logger file: " + levels, loggerFile(t, LoggerMode::LevelRecords)});
        else if (p.kind == 'O')
            out.push_back({stem + ".pyw", "267-byte logger file: " + levels, oldLoggerFile(t)});
        else
            out.push_back({stem + ".pys", "record file: " + levels, recordFile(t)});
    }
    return out;
}

std::vector<Sample> benchInputs()
{
    std::vector<Sample> out;
    // Ten readings a level; with load-level records a level takes eleven rows, and the
    // three extra readings keep the largest file inside the raw rows.
    for (const int readings : {300, 1000, 3300}) {
        CyclicTest levels;
        levels.stages = (readings - 3) / 11;
        levels.manualAfter = {13, 57};
        levels.lowVoltageAfter = {34};
        const std::string n = std::to_string(readings);
        out.push_back({"levels_" + n + ".pyx", "logger file with load-level records, " + n + " rows",
                       loggerFile(levels, LoggerMode::LevelRecords)});
        CyclicTest pairs;
        pairs.stages = readings / 10;
        out.push_back({"pairs_" + n + ".pyx", "logger file of plain pairs, " + n + " rows",
                       loggerFile(pairs, LoggerMode::Pairs)});
    }
    CyclicTest old;
    old.stages = 30;
    out.push_back({"old_300.pyw", "267-byte logger file of 300 readings", oldLoggerFile(old)});
    CyclicTest record;
    record.stages = 30;
    out.push_back({"record_149.pys", "record file of 149 rows", recordFile(record)});
    return out;
}

} // namespace pyx::samples
