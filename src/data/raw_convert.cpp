#include "data/raw_convert.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "data/numfmt.h"
#include "data/raw_slots.h"
#include "data/settings.h"

namespace pyx {
namespace {

// Data rows stop before the last row of jlb, which stays free for the end marker.
constexpr int kMaxDataRows = kJlbRows - 1;

struct Conversion
{
    int r = 0;
    int parity = 0;
    int levelcount = 0;
    float first = 0;
    float second = 0;
    bool haslevel = false;
    float levelload = 0;
    bool sourceKnown = false; // first, second and haslevel came with a saved table
};

int readingCount(const TestData& d)
{
    return static_cast<int>(std::min<std::int32_t>(d.ysn0, kRawRows));
}

bool unused(const YsRec& row)
{
    return row.sj.is(kUnusedTime);
}

void followMaxLoad(TestData& d, float hz)
{
    if (hz != kEndLoad && hz > static_cast<float>(d.maxload))
        if (const auto v = toLong(hz))
            d.maxload = *v;
}

void substituteUpperGauges(TestData& d)
{
    // The gauge flags stay as they are until every row is done.
    if (gaugeInUse(d.csz, kLowerGauge1) || gaugeInUse(d.csz, kLowerGauge2))
        return;
    const bool upper1 = gaugeInUse(d.csz, kUpperGauge1);
    const bool upper2 = gaugeInUse(d.csz, kUpperGauge2);
    bool substituted = false;
    for (int i = 0; i < kRawRows && !unused(d.ysd[i]); ++i) {
        auto& v = d.ysd[i].v;
        if (upper1)
            v[4] = v[2];
        if (upper2)
            v[5] = v[3];
        substituted = true;
    }
    if (!substituted)
        return;
    if (gaugeInUse(d.csz, kUpperGauge1)) {
        setGaugeInUse(d.csz, kUpperGauge1, false);
        setGaugeInUse(d.csz, kLowerGauge1, true);
        d.ysd[31].s20a.set("0");
        d.ysd[33].s20a.set("1");
    }
    if (gaugeInUse(d.csz, kUpperGauge2)) {
        setGaugeInUse(d.csz, kUpperGauge2, false);
        setGaugeInUse(d.csz, kLowerGauge2, true);
        d.ysd[32].s20a.set("0");
        d.ysd[34].s20a.set("1");
    }
}

std::uint64_t timeKey(const FixedText<5>& t)
{
    std::uint64_t key = 0;
    for (const char c : t.bytes())
        key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

// The readings' rows grouped by their second time, each group in row order, so the first
// row of a time whose time is not "--:--" is found without a search over all rows. The
// times that alignTimes sets change which rows may match; each group remembers where its
// first such row may be. Times are found through an open-addressing table of the groups.
class SecondTimeIndex
{
public:
    SecondTimeIndex(const TestData& d, int n)
        : rows_(static_cast<std::size_t>(n)), position_(static_cast<std::size_t>(n)),
          groupOf_(static_cast<std::size_t>(n)), timed_(static_cast<std::size_t>(n))
    {
        std::size_t slots = 16;
        while (slots < 2 * rows_.size())
            slots *= 2;
        slotKey_.assign(slots, 0);
        slotGroup_.assign(slots, -1);

        std::vector<std::size_t> sizes;
        for (int k = 0; k < n; ++k) {
            const auto row = static_cast<std::size_t>(k);
            const std::uint64_t key = timeKey(d.ysd[k].sj2);
            const std::size_t slot = slotOf(key);
            int& group = slotGroup_[slot];
            if (group < 0) {
                slotKey_[slot] = key;
                group = static_cast<int>(sizes.size());
                sizes.push_back(0);
            }
            groupOf_[row] = static_cast<std::size_t>(group);
            ++sizes[groupOf_[row]];
            timed_[row] = !d.ysd[k].sj.is(kNoTime);
        }
        start_.assign(sizes.size() + 1, 0);
        for (std::size_t g = 0; g < sizes.size(); ++g)
            start_[g + 1] = start_[g] + sizes[g];
        firstMatch_.assign(start_.begin(), start_.end() - 1);
        std::vector<std::size_t> next = firstMatch_;
        for (std::size_t row = 0; row < rows_.size(); ++row) {
            const std::size_t p = next[groupOf_[row]]++;
            rows_[p] = static_cast<int>(row);
            position_[row] = p;
        }
    }

    // The first row whose second time has the bytes `time` and whose time is not "--:--".
    int find(const FixedText<5>& time)
    {
        const int group = slotGroup_[slotOf(timeKey(time))];
        if (group < 0)
            return -1;
        const auto g = static_cast<std::size_t>(group);
        std::size_t p = firstMatch_[g];
        while (p < start_[g + 1] && !timed_[static_cast<std::size_t>(rows_[p])])
            ++p;
        firstMatch_[g] = p;
        return p < start_[g + 1] ? rows_[p] : -1;
    }

    // Row `k` (when indexed) got a new time.
    void timeChanged(int k, const FixedText<5>& time)
    {
        if (k < 0 || static_cast<std::size_t>(k) >= timed_.size())
            return;
        const auto row = static_cast<std::size_t>(k);
        timed_[row] = !time.is(kNoTime);
        if (timed_[row]) {
            std::size_t& first = firstMatch_[groupOf_[row]];
            first = std::min(first, position_[row]);
        }
    }

private:
    // The slot of a key: the one holding it, or the free one where it belongs.
    std::size_t slotOf(std::uint64_t key) const
    {
        const std::size_t mask = slotKey_.size() - 1;
        std::size_t at = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
        while (slotGroup_[at] >= 0 && slotKey_[at] != key)
            at = (at + 1) & mask;
        return at;
    }

    std::vector<int> rows_;               // rows ordered by group, each group in row order
    std::vector<std::size_t> position_;   // of each row in that order
    std::vector<std::size_t> groupOf_;    // of each row
    std::vector<std::size_t> start_;      // of each group in that order, and the end
    std::vector<std::size_t> firstMatch_; // of each group: no earlier row of it matches
    std::vector<bool> timed_;             // of each row: its time is not "--:--"
    std::vector<std::uint64_t> slotKey_;  // the table: a second time ...
    std::vector<int> slotGroup_;          // ... and its group, -1 for a free slot
};

// A reading's time is replaced by the second time of the row that follows the row
// whose second time matches it.
void alignTimes(TestData& d)
{
    SecondTimeIndex index(d, readingCount(d));
    int i = 0;
    while (i < kRawRows && !unused(d.ysd[i])) {
        const int found = index.find(d.ysd[i].sj);
        if (found >= 0 && found + 1 < kRawRows && i + 1 < kRawRows) {
            d.ysd[i + 1].sj.setRaw(d.ysd[found + 1].sj2.bytes());
            index.timeChanged(i + 1, d.ysd[i + 1].sj);
            i += 2;
        } else {
            i += 1;
        }
    }
}

bool droppedByStatus(const TestData& d, const YsRec& row)
{
    if (showManualReadings(d.csz))
        return false;
    const auto b = static_cast<unsigned char>(row.zt.bytes()[0]);
    return (b & 0x40) != 0; // low supply voltage (with bit 5) or a manual reading
}

void setGauges(std::array<float, 8>& ds, int at, const YsRec& row)
{
    for (int g = 0; g < 4; ++g)
        ds[at + g] = row.v[2 + g];
}

void convertWithLevels(TestData& d, Conversion& c)
{
    const int n = readingCount(d);
    for (int i = 0; i < n && !unused(d.ysd[i]) && c.r < kMaxDataRows; ++i) {
        const YsRec& row = d.ysd[i];
        JlbRec& out = d.jlb[c.r];
        if (row.sj.is(kNoTime)) {
            c.haslevel = true;
            c.levelload = row.v[0];
            out.hz = row.v[0];
            if (c.levelcount == 0)
                c.first = row.v[0];
            else if (c.levelcount == 1)
                c.second = row.v[0];
            ++c.levelcount;
            if (c.parity % 2 == 1)
                ++c.parity;
            continue;
        }
        if (droppedByStatus(d, row)) {
            d.ysd[50].s20a.set("1");
            continue;
        }
        if (c.parity % 2 == 0) {
            out.sj.set(row.sj.text());
            if (const auto xh = toInteger(row.v[13]))
                out.xh = *xh;
            out.hz = c.haslevel ? c.levelload : row.v[0];
            followMaxLoad(d, out.hz);
            setGauges(out.ds, 0, row);
        } else {
            if (row.v[13] == 5)
                out.sj.set(row.sj.text());
            setGauges(out.ds, 4, row);
            ++c.r;
        }
        ++c.parity;
    }
}

// Pairs of readings, row d and d + 1. In a saved record table every pair is a row and its
// load is the one stored; in a logger's file a "--:--" row is a load-level record and loads are
// rounded to whole numbers.
void convertPairs(TestData& d, Conversion& c, bool savedTable)
{
    int i = 0;
    while (i + 1 < kRawRows && !unused(d.ysd[i + 1]) && c.r < kMaxDataRows) {
        const YsRec& row = d.ysd[i];
        if (!savedTable && row.sj.is(kNoTime)) {
            c.haslevel = true;
            if (const auto v = toLong(row.v[0]))
                c.levelload = static_cast<float>(*v);
            i += 1;
            continue;
        }
        JlbRec& out = d.jlb[c.r];
        out.sj.set(row.sj.text());
        if (const auto xh = toInteger(row.v[13]))
            out.xh = *xh;
        if (savedTable)
            out.hz = row.v[0];
        else if (c.haslevel)
            out.hz = c.levelload;
        else if (const auto v = toLong(row.v[0]))
            out.hz = static_cast<float>(*v);
        followMaxLoad(d, out.hz);
        setGauges(out.ds, 0, row);
        setGauges(out.ds, 4, d.ysd[i + 1]);
        ++c.r;
        i += 2;
    }
}

void loadIncrementAndMaximum(TestData& d, Conversion& c)
{
    if (c.haslevel) {
        const std::string maxText = d.ysd[7].s20b.trimmed();
        if (!isNumeric(maxText))
            d.maxload = 0;
        else if (const auto value = toDouble(maxText))
            if (const auto v = toLong(*value))
                d.maxload = *v;
    }
    if (!c.haslevel && !c.sourceKnown) {
        // Only rows this conversion filled: rows still holding the end marker may keep
        // the cycle numbers of an earlier test.
        int counted = 0;
        for (int i = 0; i < 30 && counted < 3; ++i) {
            if (d.jlb[i].xh != 1 || d.jlb[i].hz == kEndLoad)
                continue;
            if (counted == 0)
                c.first = d.jlb[i].hz;
            else if (counted == 1)
                c.second = d.jlb[i].hz;
            ++counted;
        }
    }

    float kz3 = 0;
    if (c.first != c.second) {
        kz3 = c.first < c.second ? c.second - c.first : c.first / 2;
        if (static_cast<double>(d.maxload) <= 10.0 * kz3)
            if (const auto v = toLong(10.0f * kz3))
                d.maxload = *v;
    } else {
        kz3 = d.jlb[0].hz;
        if (static_cast<double>(d.maxload) <= 10.0 * kz3) {
            if (c.first != 0) {
                if (const auto v = toLong(10.0f * kz3))
                    d.maxload = *v;
            } else {
                if (const auto v = toLong(5.0f * kz3))
                    d.maxload = *v;
                kz3 = d.jlb[0].hz / 2;
            }
        }
    }
    d.kz3 = singleText(kz3);
    if (kz3 != 0)
        if (const auto n = toInteger(static_cast<double>(d.maxload) / kz3))
            d.nstage = *n;
    if (d.nstage == 0)
        d.nstage = 10;
}

} // namespace

IncrementSource convertRawReadings(TestData& d)
{
    d.ysview = 3;
    // A file that fills every raw row has no unused row: all its rows count.
    d.ysn2 = static_cast<std::int16_t>(readingCount(d));
    for (int i = 0; i <= std::min(readingCount(d), kRawRows - 1); ++i) {
        if (d.ysd[i].sj2.is(kUnusedTime)) {
            d.ysn2 = static_cast<std::int16_t>(i);
            break;
        }
    }
    readRawGaugeFlags(d.ysd, d);
    substituteUpperGauges(d);

    Conversion c;
    if (const auto saved = savedTableMark(d.ysd[0])) {
        c.haslevel = saved->haslevel;
        c.first = saved->first;
        c.second = saved->second;
        c.sourceKnown = true;
        convertPairs(d, c, true);
    } else if (d.ysd[0].s20a.trimmed() == "1") {
        convertPairs(d, c, false);
    } else {
        alignTimes(d);
        convertWithLevels(d, c);
    }

    d.jlbn = static_cast<std::int16_t>(c.r);
    d.ymax0 = 50;
    d.ystep = 0.1f;
    d.curvekind = CurveKind::Time;
    readRawGaugeFlags(d.ysd, d);
    readRawHeaderEntries(d.ysd, d);
    loadIncrementAndMaximum(d, c);
    readRawTextSlots(d.ysd, d);
    // A trailing load-level record or a loading reading without its unloading may have
    // filled the row after the table; the table still ends there.
    d.jlb[c.r].hz = kEndLoad;
    return {c.haslevel, c.first, c.second};
}

} // namespace pyx
