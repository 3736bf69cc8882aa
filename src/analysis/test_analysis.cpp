#include "analysis/test_analysis.h"

#include "analysis/stats_summary.h"
#include "curves/marks.h"

namespace pyx {
namespace {

// The analysis point a mark points to (1-based stage, 0 when the points do not hold it).
int markedStage(const TestData& d, const std::vector<StagePoint>& pts, int which)
{
    if (markIndex(d, which) == 0)
        return 0;
    const auto i = markedPoint(markIndex(d, which));
    if (!i)
        return 0;
    for (const StagePoint& p : pts)
        if (p.curvePoint == *i)
            return p.stage;
    return 0;
}

std::optional<MPoint> mAt(const TestAnalysis& a, std::optional<double> h0, std::optional<double> y0)
{
    if (h0)
        y0 = displacementAt(a.points, *h0);
    else if (y0)
        h0 = loadAt(a.points, *y0);
    if (!h0 || !y0)
        return std::nullopt;
    MPoint p{*h0, *y0, std::nullopt};
    if (a.inputProblem.empty())
        p.m = coefficientM(a.inputs.pile(), p.h0, p.y0 / 1000);
    return p;
}

Characteristic characteristicOf(const TestAnalysis& a)
{
    Characteristic c;
    c.rule = a.inputs.rule;
    c.standard = a.inputs.standard;
    c.ruleText = ruleCaption(a.inputs);
    const ValueBase base = valueBase(c.rule);
    const auto fromLoad = [&](const std::optional<double>& load, HcrSource source, const char* none) {
        c.basisLoad = load;
        c.basis = source == HcrSource::Mark ? ValueBasis::Marks : ValueBasis::Suggestion;
        if (!load)
            c.reason = none;
    };
    if (base == ValueBase::CriticalLoad) {
        fromLoad(a.hcr, a.hcrSource, "没有水平临界荷载（未标记，也无法给出建议）。");
    } else if (base == ValueBase::UltimateLoad) {
        fromLoad(a.hu, a.huSource, "没有水平极限承载力（未标记，曲线也未出现第二拐点）。");
    } else if (const auto y = ruleDisplacement(a.inputs)) {
        c.basis = ValueBasis::Displacement;
        c.basisLoad = loadAt(a.points, *y);
        if (!c.basisLoad)
            c.reason = "试验的最大位移未达到" + statsNumber(*y) + "mm，无法插值对应荷载。";
    } else {
        c.reason = "未输入设计要求的水平允许位移。";
    }
    if (c.basisLoad)
        c.value = baseFactor(base) * *c.basisLoad;
    else
        c.basis = ValueBasis::None;
    return c;
}

} // namespace

const char* basisKey(ValueBasis b)
{
    switch (b) {
    case ValueBasis::Marks:
        return "marks";
    case ValueBasis::Suggestion:
        return "suggestion";
    case ValueBasis::Displacement:
        return "displacement";
    case ValueBasis::None:
        break;
    }
    return "";
}

const char* hcrSourceText(HcrSource s)
{
    switch (s) {
    case HcrSource::Mark:
        return "曲线标记（已确认）";
    case HcrSource::Suggestion:
        return "各方法建议的最小值（依据未确认的建议）";
    case HcrSource::None:
        break;
    }
    return "无";
}

TestAnalysis analyseTest(const TestData& d, int gridRows, const AnalysisInputs& inputs)
{
    TestAnalysis a;
    if (!d.curfile.empty())
        a.points = stagePoints(d, gridRows);
    a.suggestions = suggestLoads(a.points);
    a.markedHcrStage = markedStage(d, a.points, 0);
    a.markedHuStage = markedStage(d, a.points, 1);
    if (a.markedHcrStage > 0)
        a.markedHcr = a.points[static_cast<std::size_t>(a.markedHcrStage - 1)].h0;
    if (a.markedHuStage > 0)
        a.markedHu = a.points[static_cast<std::size_t>(a.markedHuStage - 1)].h0;

    // Without a mark, the lowest suggestion: the safe side, pending until a mark confirms it.
    const auto pick = [](const std::optional<double>& marked, const std::optional<double>& suggested,
                         std::optional<double>& value, HcrSource& source) {
        value = marked ? marked : suggested;
        source = marked ? HcrSource::Mark : suggested ? HcrSource::Suggestion : HcrSource::None;
    };
    pick(a.markedHcr, a.suggestions.lowestHcr(), a.hcr, a.hcrSource);
    pick(a.markedHu, a.suggestions.lowestHu(), a.hu, a.huSource);

    a.inputs = inputs;
    const PileInputs pile = inputs.pile();
    a.inputProblem = inputProblem(pile);
    if (inputs.width && *inputs.width > kWidestPile)
        a.inputWarning = "桩径或边长" + statsNumber(*inputs.width) + "m大于" + statsNumber(kWidestPile) +
                         "m，是否误输入了毫米？请以米为单位输入。";
    if (a.inputProblem.empty())
        a.b0 = calculatedWidth(pile.shape, pile.width);
    for (const StagePoint& p : a.points) {
        MPoint m{p.h0, p.y0, std::nullopt};
        if (a.inputProblem.empty())
            m.m = coefficientM(pile, p.h0, p.y0 / 1000);
        a.mByStage.push_back(m);
    }
    a.mAtHcr = mAt(a, a.hcr, std::nullopt);
    a.mAt6 = mAt(a, std::nullopt, 6.0);
    a.mAt10 = mAt(a, std::nullopt, 10.0);
    a.characteristic = characteristicOf(a);
    a.schedule = checkSchedule(d);
    return a;
}

} // namespace pyx
