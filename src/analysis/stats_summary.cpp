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

// The highest value; of equal ones the last.
std::size_t highest(const StatsStep& s)
{
    std::size_t at = 0;
    for (std::size_t k = 1; k < s.values.size(); ++k)
        if (s.values[k].value >= s.values[at].value)
            at = k;
    return at;
}

const Exclusion* exclusionOf(const StatsOptions& o, int pile)
{
    for (const Exclusion& e : o.excluded)
        if (e.pile == pile)
            return &e;
    return nullptr;
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

SampleStatistics statistics(const std::vector<PileValue>& values, const StatsOptions& options)
{
    SampleStatistics out;
    std::vector<PileValue> taken;
    for (const PileValue& v : values) {
        if (const Exclusion* e = exclusionOf(options, v.pile))
            out.excluded.push_back({v, e->reason});
        else
            taken.push_back(v);
    }
    if (taken.empty())
        return out;
    out.steps.push_back(makeStep(std::move(taken), std::nullopt));
    out.rangeExceeded = !out.steps.back().withinLimit();
    if (out.steps.back().count() < kLeastPilesForMean || options.capAtMostThree) {
        out.rule = options.capAtMostThree ? StatsRule::SmallCap : StatsRule::FewPiles;
        out.value = out.steps.back().lowest();
        return out;
    }
    if (!out.rangeExceeded) {
        out.rule = StatsRule::Mean;
        out.value = out.steps.back().mean;
        return out;
    }
    while (!out.steps.back().withinLimit()) {
        std::vector<PileValue> rest = out.steps.back().values;
        const std::size_t at = highest(out.steps.back());
        const PileValue gone = rest[at];
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(at));
        out.steps.push_back(makeStep(std::move(rest), gone));
    }
    out.rule = StatsRule::LeftOutHighest;
    out.value = out.steps.back().mean;
    return out;
}

std::string ruleText(StatsRule rule)
{
    switch (rule) {
    case StatsRule::None:
        return "无可统计的值";
    case StatsRule::FewPiles:
        return "试桩少于3根，取最小值";
    case StatsRule::SmallCap:
        return "桩数为3根或3根以下的柱下承台，取最小值";
    case StatsRule::Mean:
        return "极差不超过平均值的30%，取平均值";
    case StatsRule::LeftOutHighest:
        return "极差超过平均值的30%，逐个剔除最大值至极差不超过平均值的30%后取平均值";
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
    for (const ExcludedValue& e : s.excluded)
        r.how += "；工程师剔除 " + statsNumber(e.value.value) + " kN：" + e.reason;
    if (s.needsDecision()) {
        r.pending = !d.confirmed;
        r.how += d.confirmed ? "，经工程师确认" : "，待确认";
    }
    return r;
}

ValueBase valueBase(UnitCharacteristicRule rule)
{
    switch (rule) {
    case UnitCharacteristicRule::Displacement:
        return ValueBase::LoadAtDisplacement;
    case UnitCharacteristicRule::Allowable:
        return ValueBase::AllowableDisplacement;
    case UnitCharacteristicRule::UltimateLoad:
        return ValueBase::UltimateLoad;
    case UnitCharacteristicRule::CriticalLoad:
    case UnitCharacteristicRule::Typed:
        break;
    }
    return ValueBase::CriticalLoad;
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
    const ValueBase base = valueBase(c.rule);
    if (statistical.value)
        v.value = baseFactor(base) * *statistical.value;
    v.how = baseRuleText(c.standard, base, c.displacementMm) + "，统计值 " +
            (statistical.value ? statsNumber(*statistical.value) : std::string("—")) + " kN";
    return v;
}

std::string statsNumber(double v)
{
    std::string s = formatDouble(v, "#0.#");
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

std::string characteristicNumber(double v)
{
    return statsNumber(std::floor(v * 10 + 1e-9) / 10);
}

std::string percentText(double share)
{
    return formatDouble(share * 100, "#0") + "%";
}

std::string shareText(const StatsStep& step)
{
    const std::string whole = percentText(step.share);
    if (!step.withinLimit() && whole == percentText(kRangeShareLimit))
        return formatDouble(step.share * 100, "#0.00") + "%";
    return whole;
}

} // namespace pyx
