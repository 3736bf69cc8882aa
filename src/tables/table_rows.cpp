#include "tables/table_rows.h"

#include <algorithm>

#include "data/numfmt.h"
#include "data/settings.h"
#include "data/text_format.h"
#include "data/value_range.h"
#include "eval/evaluation.h"
#include "tables/record_table.h"

namespace pyx {
namespace {

int tableRowCount(const TestData& d)
{
    return std::max(0, std::min<int>(d.jlbn, kJlbRows));
}

} // namespace

GaugesInUse gaugesInUse(const TestData& d)
{
    GaugesInUse use{};
    for (int g = 0; g < 4; ++g)
        use[g] = gaugeInUse(d.csz, g);
    return use;
}

TableRow recordRowCells(const TestData& d, int i, const GaugesInUse& use)
{
    const JlbRec& r = d.jlb[i];
    TableRow row;
    row.reserve(kRecordCols);
    // A number a damaged file gave that the table cannot hold shows as "--".
    row.push_back(usableLoad(r.hz) ? loadText(r.hz, d.hzdecimal, d.maxload) : "--");
    row.push_back(r.sj.trimmed());
    row.push_back(std::to_string(r.xh));
    for (int g = 0; g < 8; ++g)
        row.push_back(use[g % 4] && usableReading(r.ds[g]) ? formatSingle(r.ds[g], "#0.00") : "--");
    return row;
}

TableRows recordTableRows(const TestData& d)
{
    TableRows out;
    const int rows = tableRowCount(d);
    out.reserve(static_cast<std::size_t>(rows));
    const GaugesInUse use = gaugesInUse(d);
    for (int i = 0; i < rows; ++i) {
        TableRow row = recordRowCells(d, i, use);
        row.insert(row.begin(), std::to_string(i + 1));
        out.push_back(std::move(row));
    }
    return out;
}

TableRows simpleSummaryRows(const TestData& d)
{
    TableRows out;
    const int stages = std::max(0, std::min<int>(d.hzcount, static_cast<int>(d.hzdat.size())));
    for (int i = 0; i < stages; ++i) {
        const HzRow& h = d.hzdat[i];
        out.push_back({std::to_string(i + 1), loadText(h.load, d.hzdecimal, d.maxload),
                       std::to_string(h.minutes), h.maxDisp, h.maxResidual});
    }
    return out;
}

TableRow fullSummaryCells(const TestData& d, int i)
{
    const bool upper = gaugeFlagNonZero(d.csz, kUpperGauge1) || gaugeFlagNonZero(d.csz, kUpperGauge2);
    const bool lower = gaugeFlagNonZero(d.csz, kLowerGauge1) || gaugeFlagNonZero(d.csz, kLowerGauge2);
    const auto shown = [](bool inUse, float v) {
        return inUse ? formatSingle(v, "#0.00") : std::string("--");
    };
    const JlbRec& p = d.jlbp[i];
    const std::string upperLoad = shown(upper, p.ds[upperLoading]);
    const std::string lowerLoad = shown(lower, p.ds[dispLoading]);
    const std::string lowerUnload = shown(lower, p.ds[dispUnloading]);
    TableRow row{singleText(p.hz),
                 p.sj.trimmed(),
                 std::to_string(p.xh),
                 upperLoad,
                 lowerLoad,
                 shown(upper, p.ds[upperUnloading]),
                 lowerUnload,
                 formatNumericText(lowerLoad, "#0.00"),
                 formatNumericText(lowerUnload, "#0.00")};
    if (upper && lower) {
        const ReadingDifference diff = readingDifference(upperLoad, lowerLoad);
        row.push_back(diff.diff);
        row.push_back(diff.angle);
    } else {
        row.push_back("--");
        row.push_back("--");
    }
    return row;
}

TableRows fullSummaryRows(const TestData& d)
{
    TableRows out;
    const int rows = tableRowCount(d);
    for (int i = 0; i < rows; ++i) {
        TableRow row = fullSummaryCells(d, i);
        row.insert(row.begin(), std::to_string(i + 1));
        out.push_back(std::move(row));
    }
    return out;
}

} // namespace pyx
