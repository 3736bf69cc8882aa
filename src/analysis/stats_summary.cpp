#include "analysis/stats_summary.h"

#include <algorithm>
#include <cmath>

#include "data/numfmt.h"

namespace pyx {
namespace {

StatsStep makeStep(std::vector<PileValue> values, std::optional<PileValue> leftOut)
{
    StatsStep s;
    s.values = std::move(values);
    s.leftOut = leftOut;
    if (s.values.empty())
        return s;
    double sum = 0;
    double lo = s.values.front().value;
    double hi = lo;
    for (const PileValue& v : s.values) {
        sum += v.value;
        lo = std::min(lo, v.value);
        hi = std::max(hi, v.value);
    }
    s.mean = sum / static_cast<double>(s.values.size());
    s.range = hi - lo;
    s.share = s.mean > 0 ? s.range / s.mean : 0;
    return s;
}

// The value furthest from the mean; of two equally far the higher.
std::size_t furthest(const StatsStep& s)
{
    std::size_t at = 0;
    for (std::size_t k = 1; k < s.values.size(); ++k) {
        const double d = std::abs(s.values[k].value - s.mean);
        const double best = std::abs(s.values[at].value - s.mean);
        if (d > best || (d == best && s.values[k].value > s.values[at].value))
            at = k;
    }
    return at;
}

} // namespace

double StatsStep::lowest() const
{
    double lo = values.empty() ? 0 : values.front().value;
    for (const PileValue& v : values)
        lo = std::min(lo, v.value);
    return lo;
}

// The mean is a sum divided by the count: a range that is 30 % of it on paper must pass.
bool StatsStep::withinLimit() const
{
    return range <= kRangeShareLimit * mean * (1 + 1e-12);
}

SampleStatistics statistics(const std::vector<PileValue>& values)
{
    SampleStatistics out;
    if (values.empty())
        return out;
    out.steps.push_back(makeStep(values, std::nullopt));
    if (static_cast<int>(values.size()) <= kFewPiles) {
        out.rule = StatsRule::Lowest;
        out.value = out.steps.back().lowest();
        return out;
    }
    if (out.steps.back().withinLimit()) {
        out.rule = StatsRule::Mean;
        out.value = out.steps.back().mean;
        return out;
    }
    while (!out.steps.back().withinLimit() && out.steps.back().count() > kFewPiles) {
        std::vector<PileValue> rest = out.steps.back().values;
        const std::size_t at = furthest(out.steps.back());
        const PileValue gone = rest[at];
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(at));
        out.steps.push_back(makeStep(std::move(rest), gone));
    }
    const StatsStep& last = out.steps.back();
    if (last.withinLimit()) {
        out.rule = StatsRule::LeftOutMean;
        out.value = last.mean;
    } else {
        out.rule = StatsRule::LeftOutLow;
        out.value = last.lowest();
    }
    return out;
}

std::string ruleText(StatsRule rule)
{
    switch (rule) {
    case StatsRule::None:
        return "无可统计的值";
    case StatsRule::Lowest:
        return "试桩不超过3根，取最小值";
    case StatsRule::Mean:
        return "极差不超过平均值的30%，取平均值";
    case StatsRule::LeftOutMean:
        return "极差超过平均值的30%，逐个剔除离平均值最远的值后取平均值";
    case StatsRule::LeftOutLow:
        return "剔除至3个值极差仍超过平均值的30%，取最小值";
    }
    return {};
}

StatsResult resolve(const SampleStatistics& s, const StatsDecision& d)
{
    StatsResult r;
    if (d.typed) {
        r.value = d.typed;
        r.how = "工程师给定：" + (d.reason.empty() ? std::string("未说明理由") : d.reason);
        return r;
    }
    r.value = s.value;
    r.how = ruleText(s.rule);
    if (s.needsDecision()) {
        r.pending = !d.confirmed;
        r.how += d.confirmed ? "，经工程师确认" : "，待确认";
    }
    return r;
}

CharacteristicValue characteristicValue(const CharacteristicChoice& c, const StatsResult& statistical)
{
    CharacteristicValue v;
    if (c.rule == UnitCharacteristicRule::Typed) {
        v.value = c.typed;
        v.how = "工程师给定：" + (c.reason.empty() ? std::string("未说明理由") : c.reason);
        return v;
    }
    v.basis = statistical.value;
    v.pending = statistical.pending;
    if (statistical.value)
        v.value = kCharacteristicFactor * *statistical.value;
    const std::string basis = statistical.value ? statsNumber(*statistical.value) : std::string("—");
    if (c.rule == UnitCharacteristicRule::CriticalLoad)
        v.how = "0.75 × 临界荷载统计值 Hcr = 0.75 × " + basis + " kN";
    else
        v.how = "0.75 × 水平位移 " + statsNumber(c.displacementMm) + " mm 对应荷载的统计值 = 0.75 × " +
                basis + " kN";
    return v;
}

std::string statsNumber(double v)
{
    std::string s = formatDouble(v, "#0.##");
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

std::string percentText(double share)
{
    return formatDouble(share * 100, "#0") + " %";
}

std::string shareText(const StatsStep& step)
{
    const std::string whole = percentText(step.share);
    if (!step.withinLimit() && whole == percentText(kRangeShareLimit))
        return formatDouble(step.share * 100, "#0.00") + " %";
    return whole;
}

} // namespace pyx
