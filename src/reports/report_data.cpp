#include "reports/report_data.h"

#include <algorithm>
#include <cmath>

#include "base/cp936.h"
#include "data/numfmt.h"
#include "data/raw_remark.h"
#include "eval/readings.h"
#include "tables/record_table.h"
#include "tables/table_rows.h"

namespace pyx {
namespace {

constexpr float kNoOilPressure = -100;

int reportRows(const TestData& d)
{
    return std::clamp<int>(d.ysn, 0, kJlbRows - 1);
}

std::string rawLoad(const TestData& d, float load)
{
    // Logger files show the three bands of the largest load whether or not loads are fractional.
    return loadText(load, d.ysview >= 1 && d.ysview <= 3, d.maxload);
}

std::string causeFlags(unsigned char b)
{
    const auto bit = [b](int n) { return (b >> n & 1) != 0; };
    std::string text;
    if ((b & 0x0F) != 0)
        text = "位移";
    for (int k = 0; k < 4; ++k)
        if (bit(k))
            text += std::to_string(k + 1) + " ";
    if (bit(4))
        text += "时间 ";
    if (bit(5))
        text += "中断 ";
    if (bit(5) && bit(6))
        text += " 欠压";
    if (bit(6) && !bit(5))
        text += " 手动";
    return trimBlanks(text);
}

void refreshGaugeWeights(TestData& d)
{
    if (d.ysn2 > 34)
        for (int k = 0; k < 4; ++k) {
            const double value = leadingNumber(d.ysd[31 + k].s20a.trimmed());
            if (value != d.ysflag[k])
                if (const auto w = toInteger(value))
                    d.ysflag[k] = *w;
        }
    if (d.ysflag[0] + d.ysflag[1] + d.ysflag[2] + d.ysflag[3] == 0)
        d.ysflag[1] = 1;
}

std::string weightedMean(const TestData& d, const YsRec& r)
{
    float sum = 0;
    float weights = 0;
    for (int k = 0; k < 4; ++k) {
        const auto w = static_cast<float>(d.ysflag[k]);
        sum += w * (RoundReading(r.u[2 + k], 0) * 10000);
        weights += w;
    }
    if (weights == 0)
        return "--";
    return formatSingle(RoundReading(sum / weights / 10000, 0), "##0.00");
}

} // namespace

std::string reportRemark(const std::string& curfile, const FixedText<20>& zt)
{
    if (nameEndsWithOneOf(curfile, {"pyw", "PYW", "pyx", "PYX"}))
        return causeFlags(static_cast<unsigned char>(zt.bytes()[0]));
    return storedStatusText(zt);
}

TextMatrix DataJlb(const TestData& d)
{
    TextMatrix out;
    if (d.curfile.empty())
        return out;
    const GaugesInUse use = gaugesInUse(d);
    for (int i = 0; i < reportRows(d); ++i) {
        auto row = recordRowCells(d, i, use);
        row.emplace_back();
        out.push_back(std::move(row));
    }
    return out;
}

TextMatrix DataHzb(const TestData& d)
{
    TextMatrix out;
    if (d.curfile.empty())
        return out;
    for (int i = 0; i < reportRows(d); ++i) {
        auto row = fullSummaryCells(d, i);
        // The load as entered in the record table.
        const float hz = d.jlb[i].hz;
        row[0] = hz != std::trunc(hz) ? formatSingle(hz, "#0.##") : singleText(hz);
        row.emplace_back();
        out.push_back(std::move(row));
    }
    return out;
}

TextMatrix DataYsb(TestData& d)
{
    TextMatrix out;
    if (d.curfile.empty())
        return out;
    int rows = 0;
    while (rows < std::min<int>(d.ysn2, kRawRows) && !d.ysd[rows].sj2.is(kUnusedTime))
        ++rows;
    refreshGaugeWeights(d);
    const std::string model = d.ysd[7].s20a.trimmed();
    const bool scaledLoads = model == "7R3K" || model == "gg";
    std::string stageLoad = "0";
    for (int i = 0; i < rows; ++i) {
        const YsRec& r = d.ysd[i];
        std::vector<std::string> row(11);
        if (r.sj2.is(kNoTime)) {
            stageLoad = loadText(r.u[0], d.hzdecimal, d.maxload);
            row = {stageLoad, rawLoad(d, r.u[0]), "--", kNoTime, "--", "--", "--", "--", "--", "--", ""};
            out.push_back(std::move(row));
            continue;
        }
        row[0] = doubleText(leadingNumber(stageLoad));
        row[1] = rawLoad(d, scaledLoads ? r.u[0] / kScaledModelLoadFactor : r.u[0]);
        row[2] = r.u[1] == kNoOilPressure ? "--" : formatSingle(r.u[1], "##0.00");
        row[3] = r.sj2.text();
        if (i == 0 || d.ysd[i - 1].sj2.trimmed() == kNoTime) {
            row[4] = "0";
        } else {
            long long minutes = static_cast<long long>(TimeToMinutes(r.sj2.trimmed())) -
                                TimeToMinutes(d.ysd[i - 1].sj2.trimmed());
            if (minutes < 0)
                minutes += 1440;
            row[4] = std::to_string(minutes);
        }
        for (int k = 0; k < 4; ++k)
            row[5 + k] = leadingNumber(d.ysd[31 + k].s20a.trimmed()) == 1
                             ? formatSingle(RoundReading(r.u[2 + k], 0), "##0.00")
                             : "--";
        row[9] = weightedMean(d, r);
        row[10] = reportRemark(d.curfile, r.zt);
        out.push_back(std::move(row));
    }
    return out;
}

} // namespace pyx
