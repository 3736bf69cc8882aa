#include "analysis/analysis_report.h"

#include <cstdio>

#include "data/numfmt.h"

namespace pyx {
namespace {

// A residual sum spans many decades: three significant digits with an exponent.
std::string scientific(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2e", v);
    return buf;
}

// A number without the point that "#0.##" leaves after a whole value.
std::string plainNumber(double v, const char* pattern)
{
    std::string t = formatDouble(v, pattern);
    if (!t.empty() && t.back() == '.')
        t.pop_back();
    return t;
}

std::string orDash(const std::optional<double>& v, const char* pattern)
{
    return v ? plainNumber(*v, pattern) : std::string("—");
}

std::string stageText(int stage)
{
    return stage > 0 ? std::to_string(stage) : std::string("—");
}

std::vector<std::string> suggestionRow(const char* method, const Suggestion& s)
{
    return {method,
            s.hcr ? loadText(*s.hcr) : "—",
            stageText(s.hcrStage),
            s.hu ? loadText(*s.hu) : "—",
            stageText(s.huStage),
            s.reason.empty() ? (s.fit ? "残差平方和 " + scientific(s.fit->rss) : std::string()) : s.reason};
}

std::vector<std::string> mRow(const char* where, const std::optional<MPoint>& p)
{
    if (!p)
        return {where, "—", "—", "—", "—", "—"};
    const bool m = p->m.has_value();
    return {where,
            loadText(p->h0),
            displacementText(p->y0),
            m ? formatDouble(p->m->nuY, "#0.000") : "—",
            m ? formatDouble(p->m->alphaH, "#0.00") : "—",
            m ? mText(p->m->m) : "—"};
}

} // namespace

std::string loadText(double kN)
{
    return plainNumber(kN, "#0.##");
}

// A displacement is a stored reading (a 32-bit float): it reads as in the summary tables.
std::string displacementText(double mm)
{
    return formatSingle(static_cast<float>(mm), "#0.00");
}

std::string mText(double kNPerM4)
{
    return formatDouble(kNPerM4 / 1000, "#0.00");
}

AnalysisSection suggestionSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "水平临界荷载与极限荷载建议";
    s.rows.push_back({"判定方法", "Hcr(kN)", "级数", "Hu(kN)", "级数", "说明"});
    s.rows.push_back(suggestionRow("H0-△Y0/△H0 分段拟合", a.suggestions.gradient));
    s.rows.push_back(suggestionRow("lgH0-lgY0 分段拟合", a.suggestions.lglog));
    s.rows.push_back(suggestionRow("H0-Y0 陡变", a.suggestions.kink));
    s.rows.push_back({"曲线标记（已确认）", a.markedHcr ? loadText(*a.markedHcr) : "—",
                      stageText(a.markedHcrStage), a.markedHu ? loadText(*a.markedHu) : "—",
                      stageText(a.markedHuStage), a.markedHcrStage || a.markedHuStage ? "" : "未标记"});
    if (a.suggestions.disagree)
        s.notes.push_back(kDisagreeNote);
    s.notes.push_back("建议仅供参考，临界荷载与极限荷载以在曲线上确认的标记为准。");
    return s;
}

AnalysisSection mSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "地基土水平抗力系数的比例系数m";
    s.rows.push_back({"取值点", "H0(kN)", "Y0(mm)", "νy", "αh", "m(MN/m⁴)"});
    s.rows.push_back(mRow("水平临界荷载", a.mAtHcr));
    s.rows.push_back(mRow("Y0=6mm", a.mAt6));
    s.rows.push_back(mRow("Y0=10mm", a.mAt10));
    const AnalysisInputs& in = a.inputs;
    std::string pile = in.shape == PileShape::Square ? "方桩，边长B=" : "圆桩，桩径D=";
    pile += orDash(in.width, "#0.###") + "m，EI=" + orDash(in.ei, "#0") +
            "kN·m²，入土深度h=" + orDash(in.embedded, "#0.##") + "m";
    if (a.inputProblem.empty())
        pile += "，计算宽度b0=" + formatDouble(a.b0, "#0.000") + "m";
    s.notes.push_back(pile);
    if (!a.inputProblem.empty())
        s.notes.push_back(a.inputProblem);
    s.notes.push_back(std::string("临界荷载取自：") + hcrSourceText(a.hcrSource));
    for (const auto* p : {&a.mAtHcr, &a.mAt6, &a.mAt10})
        if (*p && (*p)->m && (*p)->m->belowTable) {
            s.notes.push_back("αh小于2.4，νy按αh=2.4取值。");
            break;
        }
    return s;
}

AnalysisSection mByStageSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "各级荷载的m值";
    s.rows.push_back({"级数", "H0(kN)", "Y0(mm)", "m(MN/m⁴)"});
    for (std::size_t k = 0; k < a.mByStage.size(); ++k) {
        const MPoint& p = a.mByStage[k];
        s.rows.push_back(
            {std::to_string(k + 1), loadText(p.h0), displacementText(p.y0), p.m ? mText(p.m->m) : "—"});
    }
    return s;
}

AnalysisSection characteristicSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "单桩水平承载力特征值";
    s.rows.push_back({"取值规则", "依据荷载(kN)", "特征值(kN)"});
    const Characteristic& c = a.characteristic;
    s.rows.push_back({ruleCaption(c.rule), c.basis ? loadText(*c.basis) : "—",
                      c.value ? formatDouble(*c.value, "#0.0") : "—"});
    if (!c.reason.empty())
        s.notes.push_back(c.reason);
    return s;
}

AnalysisSection scheduleSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "加卸载时间检查";
    s.rows.push_back({"记录号", "级数", "循环", "偏差"});
    for (const ScheduleDeviation& dev : a.schedule.deviations)
        s.rows.push_back({std::to_string(dev.record), std::to_string(dev.stage),
                          dev.cycle > 0 ? std::to_string(dev.cycle) : "—", dev.text});
    const ScheduleCheck& c = a.schedule;
    if (!c.checked)
        s.notes.push_back(c.reason);
    else
        s.notes.push_back("每级循环" + std::to_string(kCyclesPerStage) + "次，加载持荷" +
                          std::to_string(c.loadingHold) + "分钟，卸载停留" + std::to_string(c.unloadingHold) +
                          "分钟，允许偏差" + std::to_string(kHoldTolerance) + "分钟：" +
                          (c.deviations.empty() ? "共" + std::to_string(c.stages) + "级，未发现偏差。"
                                                : "发现" + std::to_string(c.deviations.size()) + "处偏差。"));
    return s;
}

std::vector<AnalysisSection> analysisSections(const TestAnalysis& a)
{
    return {suggestionSection(a), mSection(a), mByStageSection(a), characteristicSection(a),
            scheduleSection(a)};
}

} // namespace pyx
