#include "analysis/analysis_window.h"

#include <cmath>

#include "base/cp936.h"
#include "data/numfmt.h"

namespace pyx {
namespace {

std::string boxText(const std::optional<double>& v)
{
    return v ? doubleText(*v) : std::string();
}

} // namespace

const char* methodCaption(SuggestionMethod m)
{
    switch (m) {
    case SuggestionMethod::LgLog:
        return "lgH0-lgY0 分段拟合";
    case SuggestionMethod::Kink:
        return "H0-t-Y0 级间位移陡升";
    case SuggestionMethod::Gradient:
        break;
    }
    return "H0-△Y0/△H0 分段拟合";
}

void AnalysisWindow::load()
{
    const std::string diameter = d_.jlb[3].cstr.trimmed();
    const TestInputs in = inputsForTest(d_.curfile, diameter);
    if (!in.read.problem.empty())
        dialogs_.message({in.read.problem, "系统提示！", MsgButtons::Ok, MsgIcon::Exclamation, 1});
    inputs_ = in.read.inputs;
    stored_ = inputs_; // nothing is written until the user changes an input
    if (in.widthUnclear)
        widthNote = diameter.empty() ? "未填写桩径，请输入桩径或边长（m）。"
                                     : "桩径“" + diameter + "”的单位不明确，请输入桩径或边长（m）。";
    widthText = boxText(inputs_.width);
    eiText = boxText(inputs_.ei);
    embeddedText = boxText(inputs_.embedded);
    allowableText = boxText(inputs_.allowableMm);
    analyse();
}

const Suggestion& AnalysisWindow::suggestion(SuggestionMethod m) const
{
    switch (m) {
    case SuggestionMethod::LgLog:
        return result_.suggestions.lglog;
    case SuggestionMethod::Kink:
        return result_.suggestions.kink;
    case SuggestionMethod::Gradient:
        break;
    }
    return result_.suggestions.gradient;
}

bool AnalysisWindow::setValue(std::optional<double>& value, std::string& box, const std::string& text,
                              const char* what)
{
    const std::string t = trimBlanks(text);
    if (t.empty()) {
        value.reset();
        box.clear();
        analyse();
        return true;
    }
    const auto v = toDouble(t);
    if (!v || !std::isfinite(*v) || *v <= 0) {
        dialogs_.message(
            {std::string(what) + "应为大于0的数值！", "系统提示！", MsgButtons::Ok, MsgIcon::Exclamation, 1});
        return false;
    }
    value = *v;
    box = t;
    if (&value == &inputs_.width) {
        widthNote.clear();
        if (*v > kWidestPile)
            dialogs_.message({"桩径或边长" + t + "m大于" + formatDouble(kWidestPile, "#0") +
                                  "m，是否误输入了毫米？请以米为单位输入。",
                              "系统提示！", MsgButtons::Ok, MsgIcon::Exclamation, 1});
    }
    analyse();
    return true;
}

void AnalysisWindow::setShape(PileShape shape)
{
    inputs_.shape = shape;
    analyse();
}

void AnalysisWindow::setRule(CharacteristicRule rule)
{
    if (!allowedBy(inputs_.standard, valueBase(rule)))
        return;
    inputs_.rule = rule;
    analyse();
}

void AnalysisWindow::setStandard(Standard s)
{
    inputs_.standard = s;
    inputs_.rule = ruleUnder(s, inputs_.rule);
    analyse();
}

void AnalysisWindow::analyse()
{
    result_ = analyseTest(d_, gridRows_, inputs_);
    if (changed)
        changed();
}

void AnalysisWindow::adopt()
{
    const Suggestion& s = suggestion(chosen);
    if (!s.made()) {
        dialogs_.message({std::string(methodCaption(chosen)) + "没有建议：" + s.reason, "提示",
                          MsgButtons::Ok, MsgIcon::Information, 1});
        return;
    }
    // The mark dialog counts the points of the gradient curve, which a stage of fewer cycles is not.
    const auto curveStage = [&](int stage) {
        if (stage <= 0 || stage > static_cast<int>(result_.points.size()))
            return 0;
        return result_.points[static_cast<std::size_t>(stage - 1)].curvePoint + 1;
    };
    if (adoptSuggestion)
        adoptSuggestion(curveStage(s.hcrStage), curveStage(s.huStage));
    analyse();
}

void AnalysisWindow::close()
{
    if (d_.curfile.empty() || inputs_ == stored_)
        return;
    if (const IoResult r = writeAnalysisInputs(d_.curfile, inputs_); !r) {
        dialogs_.message({"分析参数无法保存到 " + analysisInputsPath(d_.curfile) + "：" + r.reason(),
                          "系统提示！", MsgButtons::Ok, MsgIcon::Critical, 1});
        return;
    }
    stored_ = inputs_;
}

} // namespace pyx
