#include "analysis/analysis_report.h"

#include <algorithm>
#include <cmath>

#include "analysis/stats_summary.h"
#include "data/numfmt.h"

namespace pyx {
namespace {

std::string stageText(int stage)
{
    return stage > 0 ? std::to_string(stage) : std::string("—");
}

std::string loadOrDash(const std::optional<double>& v)
{
    return v ? loadText(*v) : std::string("—");
}

// The stage of a suggestion, with a note where the stage is incomplete.
std::string pointStageText(const TestAnalysis& a, int stage)
{
    if (stage <= 0 || stage > static_cast<int>(a.points.size()))
        return stageText(stage);
    return std::to_string(stage) +
           (a.points[static_cast<std::size_t>(stage - 1)].incomplete ? "（未完成）" : "");
}

std::vector<std::string> suggestionRow(const TestAnalysis& a, const char* method, const Suggestion& s)
{
    return {method,
            loadOrDash(s.hcr),
            pointStageText(a, s.hcrStage),
            loadOrDash(s.hu),
            pointStageText(a, s.huStage),
            s.reason};
}

// αh as the table takes it: above 4.0 at 4.0 (starred), below 2.4 outside the table.
std::string alphaText(const MResult& m)
{
    if (m.aboveTable())
        return "4.00*";
    return formatDouble(m.alphaH, "#0.00");
}

std::string tableFlag(const std::optional<MResult>& m)
{
    return m && m->belowTable ? kOutsideTable : "";
}

std::vector<std::string> mRow(const char* where, const std::optional<MPoint>& p)
{
    if (!p)
        return {where, "—", "—", "—", "—", "—", ""};
    const bool m = p->m.has_value();
    return {where,
            loadText(p->h0),
            displacementText(p->y0),
            m ? formatDouble(p->m->nuY, "#0.000") : "—",
            m ? alphaText(*p->m) : "—",
            m ? mText(p->m->m) : "—",
            tableFlag(p->m)};
}

} // namespace

std::string loadText(double kN)
{
    return statsNumber(kN);
}

std::string displacementText(double mm)
{
    return formatSingle(static_cast<float>(mm), "#0.00");
}

std::string mText(double kNPerM4)
{
    const double v = kNPerM4 / 1000;
    if (!std::isfinite(v) || v == 0)
        return formatDouble(v, "#0");
    const int magnitude = static_cast<int>(std::floor(std::log10(std::abs(v))));
    const int decimals = std::clamp(2 - magnitude, 0, 6);
    std::string pattern = "#0";
    if (decimals > 0)
        pattern += "." + std::string(static_cast<std::size_t>(decimals), '0');
    return formatDouble(v, pattern);
}

AnalysisSection suggestionSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "水平临界荷载与水平极限承载力建议";
    s.rows.push_back({"判定方法", "Hcr(kN)", "荷载级", "Hu(kN)", "荷载级", "说明"});
    s.rows.push_back(suggestionRow(a, "H0-△Y0/△H0 分段拟合", a.suggestions.gradient));
    s.rows.push_back(suggestionRow(a, "lgH0-lgY0 分段拟合", a.suggestions.lglog));
    s.rows.push_back(suggestionRow(a, "H0-t-Y0 级间位移陡升", a.suggestions.kink));
    s.rows.push_back({"曲线标记（已确认）", loadOrDash(a.markedHcr), stageText(a.markedHcrStage),
                      loadOrDash(a.markedHu), stageText(a.markedHuStage),
                      a.markedHcrStage || a.markedHuStage ? "" : "未标记"});
    if (a.suggestions.disagree)
        s.notes.emplace_back(kDisagreeNote);
    for (const StagePoint& p : a.points)
        if (p.incomplete)
            s.notes.push_back("第" + std::to_string(p.stage) + "级（" + loadText(p.h0) + "kN）只有" +
                              std::to_string(p.cycles) +
                              "次循环，为未完成的荷载级，按其最后一次循环参加分析。");
    s.notes.push_back("拐点按贝叶斯信息准则判定：增加一个拐点须使准则值降低" +
                      formatDouble(BreakpointFit::kSignificance, "#0") + "以上，否则不取该拐点。");
    s.notes.emplace_back(kCaveat);
    return s;
}

AnalysisSection mSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "地基土水平抗力系数的比例系数m";
    s.rows.push_back({"取值点", "H0(kN)", "Y0(mm)", "νy", "αh", "m(MN/m⁴)", "说明"});
    s.rows.push_back(mRow("水平临界荷载", a.mAtHcr));
    s.rows.push_back(mRow("Y0=6mm", a.mAt6));
    s.rows.push_back(mRow("Y0=10mm", a.mAt10));
    s.notes.emplace_back(kMAssumption);
    s.notes.push_back(pileText(a));
    if (!a.inputProblem.empty())
        s.notes.push_back(a.inputProblem);
    if (!a.inputWarning.empty())
        s.notes.push_back(a.inputWarning);
    s.notes.push_back(std::string("水平临界荷载取自：") + hcrSourceText(a.hcrSource));
    s.notes.emplace_back("αh小于2.4时超出规范表格范围，νy按αh=2.4取值；*αh大于4.0，按4.0取值。");
    return s;
}

std::string pileText(const TestAnalysis& a)
{
    const AnalysisInputs& in = a.inputs;
    const auto orDash = [](const std::optional<double>& v, const char* pattern) {
        if (!v)
            return std::string("—");
        std::string t = formatDouble(*v, pattern);
        if (!t.empty() && t.back() == '.')
            t.pop_back();
        return t;
    };
    std::string pile = in.shape == PileShape::Square ? "方桩，边长B=" : "圆桩，桩径D=";
    pile += orDash(in.width, "#0.###") + "m，EI=" + orDash(in.ei, "#0") +
            "kN·m²，入土深度h=" + orDash(in.embedded, "#0.##") + "m";
    if (a.inputProblem.empty())
        pile += "，计算宽度b0=" + formatDouble(a.b0, "#0.000") + "m";
    return pile;
}

AnalysisSection mByStageSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "各级荷载的m值";
    s.rows.push_back({"荷载级", "H0(kN)", "Y0(mm)", "αh", "m(MN/m⁴)", "说明"});
    for (std::size_t k = 0; k < a.mByStage.size(); ++k) {
        const MPoint& p = a.mByStage[k];
        std::string note = tableFlag(p.m);
        if (k < a.points.size() && a.points[k].incomplete)
            note += std::string(note.empty() ? "" : "；") + "未完成的荷载级";
        s.rows.push_back({std::to_string(k + 1), loadText(p.h0), displacementText(p.y0),
                          p.m ? alphaText(*p.m) : "—", p.m ? mText(p.m->m) : "—", note});
    }
    return s;
}

std::string basisText(ValueBasis b)
{
    switch (b) {
    case ValueBasis::Marks:
        return "曲线标记（已确认）";
    case ValueBasis::Suggestion:
        return std::string(kPendingLabel) + "（待确认）";
    case ValueBasis::Displacement:
        return "实测H0-Y0曲线插值";
    case ValueBasis::None:
        break;
    }
    return {};
}

AnalysisSection characteristicSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "单桩水平承载力特征值";
    s.rows.push_back({"取值规则", "依据荷载(kN)", "特征值(kN)", "依据"});
    const Characteristic& c = a.characteristic;
    s.rows.push_back({c.ruleText, loadOrDash(c.basisLoad), c.value ? characteristicNumber(*c.value) : "—",
                      basisText(c.basis)});
    s.notes.push_back(std::string("依据标准：") + standardName(c.standard));
    if (c.pending())
        s.notes.emplace_back(kPendingValueNote);
    if (!c.reason.empty())
        s.notes.push_back(c.reason);
    s.notes.emplace_back("特征值向下取至0.1kN。");
    return s;
}

AnalysisSection scheduleSection(const TestAnalysis& a)
{
    AnalysisSection s;
    s.title = "加卸载时间检查";
    s.rows.push_back({"记录号", "荷载级", "循环", "偏差"});
    for (const ScheduleDeviation& dev : a.schedule.deviations)
        s.rows.push_back({std::to_string(dev.record), std::to_string(dev.stage),
                          dev.cycle > 0 ? std::to_string(dev.cycle) : "—", dev.text});
    s.notes.push_back(scheduleSummary(a.schedule));
    return s;
}

std::string scheduleSummary(const ScheduleCheck& c)
{
    if (!c.checked)
        return c.reason;
    return "每级循环" + std::to_string(kCyclesPerStage) + "次，加载持荷" + std::to_string(c.loadingHold) +
           "分钟，卸载停留" + std::to_string(c.unloadingHold) + "分钟，允许偏差" +
           std::to_string(kHoldTolerance) + "分钟。" + kScheduleAssumption +
           (c.deviations.empty() ? "共" + std::to_string(c.stages) + "级，未发现偏差。"
                                 : "发现" + std::to_string(c.deviations.size()) + "处偏差。");
}

std::vector<AnalysisSection> analysisSections(const TestAnalysis& a)
{
    return {suggestionSection(a), mSection(a), mByStageSection(a), characteristicSection(a),
            scheduleSection(a)};
}

} // namespace pyx
