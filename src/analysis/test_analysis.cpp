#include "analysis/test_analysis.h"

#include "curves/marks.h"

namespace pyx {
namespace {

constexpr double kCharacteristicFactor = 0.75;

// The stage a mark points to (its point index + 1) when the stage points hold it.
int markedStage(const TestData& d, const std::vector<StagePoint>& pts, int which)
{
    if (markIndex(d, which) == 0)
        return 0;
    const auto i = markedPoint(markIndex(d, which));
    if (!i || *i < 0 || *i >= static_cast<int>(pts.size()))
        return 0;
    return *i + 1;
}

std::optional<MPoint> mAtLoad(const TestAnalysis& a, std::optional<double> h0)
{
    if (!h0)
        return std::nullopt;
    const auto y0 = displacementAt(a.points, *h0);
    if (!y0)
        return std::nullopt;
    MPoint p{*h0, *y0, std::nullopt};
    if (a.inputProblem.empty())
        p.m = coefficientM(a.inputs.pile(), p.h0, p.y0 / 1000);
    return p;
}

std::optional<MPoint> mAtDisplacement(const TestAnalysis& a, double y0)
{
    const auto h0 = loadAt(a.points, y0);
    if (!h0)
        return std::nullopt;
    MPoint p{*h0, y0, std::nullopt};
    if (a.inputProblem.empty())
        p.m = coefficientM(a.inputs.pile(), p.h0, p.y0 / 1000);
    return p;
}

Characteristic characteristicOf(const TestAnalysis& a)
{
    Characteristic c;
    c.rule = a.inputs.rule;
    if (c.rule == CharacteristicRule::CriticalLoad) {
        c.basis = a.hcr;
        if (!c.basis)
            c.reason = "没有水平临界荷载（未标记，也无法给出建议）。";
    } else {
        const double y = c.rule == CharacteristicRule::Displacement10 ? 10 : 6;
        c.basis = loadAt(a.points, y);
        if (!c.basis)
            c.reason =
                std::string("试验的最大位移未达到") + (y == 10 ? "10" : "6") + "mm，无法插值对应荷载。";
    }
    if (c.basis)
        c.value = kCharacteristicFactor * *c.basis;
    return c;
}

} // namespace

const char* hcrSourceText(HcrSource s)
{
    switch (s) {
    case HcrSource::Mark:
        return "曲线标记";
    case HcrSource::Gradient:
        return "H0-△Y0/△H0拟合建议";
    case HcrSource::LgLog:
        return "lgH0-lgY0拟合建议";
    case HcrSource::Kink:
        return "H0-Y0陡变建议";
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

    if (a.markedHcr) {
        a.hcr = a.markedHcr;
        a.hcrSource = HcrSource::Mark;
    } else {
        const std::pair<const Suggestion*, HcrSource> order[] = {
            {&a.suggestions.gradient, HcrSource::Gradient},
            {&a.suggestions.lglog, HcrSource::LgLog},
            {&a.suggestions.kink, HcrSource::Kink}};
        for (const auto& [s, source] : order)
            if (s->hcr) {
                a.hcr = s->hcr;
                a.hcrSource = source;
                break;
            }
    }

    a.inputs = inputs;
    const PileInputs pile = inputs.pile();
    a.inputProblem = inputProblem(pile);
    if (a.inputProblem.empty())
        a.b0 = calculatedWidth(pile.shape, pile.width);
    for (const StagePoint& p : a.points) {
        MPoint m{p.h0, p.y0, std::nullopt};
        if (a.inputProblem.empty())
            m.m = coefficientM(pile, p.h0, p.y0 / 1000);
        a.mByStage.push_back(m);
    }
    a.mAtHcr = mAtLoad(a, a.hcr);
    a.mAt6 = mAtDisplacement(a, 6);
    a.mAt10 = mAtDisplacement(a, 10);
    a.characteristic = characteristicOf(a);
    a.schedule = checkSchedule(d);
    return a;
}

} // namespace pyx
