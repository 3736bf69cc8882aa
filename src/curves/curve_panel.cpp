#include "curves/curve_panel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "curves/mark_loads.h"

namespace pyx {
namespace {

inline constexpr int kScaleBarMax = 100;
inline constexpr int kStageBarMax = 50;

// One step of a scale, never below its floor.
float stepScale(float value, bool up, double step)
{
    const auto next = static_cast<float>(static_cast<double>(value) + (up ? step : -step));
    return next < step ? static_cast<float>(step) : next;
}

} // namespace

void CurvePanel::notify()
{
    if (hooks.changed)
        hooks.changed();
}

void CurvePanel::DrawChartQS_Click()
{
    d_.curvekind = CurveKind::Time;
    if (hooks.menuinfo)
        hooks.menuinfo();
    if (hooks.setCaption)
        hooks.setCaption(kTimeCurveCaption);
    drawTimeCurve(surface, d_, CurveTarget::Screen);
    notify();
}

void CurvePanel::MenuSLgQcurve_Click()
{
    d_.curvekind = CurveKind::Gradient;
    if (hooks.menuinfo)
        hooks.menuinfo();
    if (hooks.setCaption)
        hooks.setCaption(kGradientCurveCaption);
    const int rows = hooks.gridRows ? hooks.gridRows() : 0;
    drawGradientCurve(surface, d_, rows, gpts, CurveTarget::Screen);
    if (showSuggestions && !d_.curfile.empty() && hooks.suggestions)
        drawSuggestedPoints(surface, d_, gpts, hooks.suggestions(rows));
    notify();
}

void CurvePanel::mouseMove(double x, double y)
{
    if (d_.curvekind != CurveKind::Gradient)
        return;
    hoverTest(gpts, x, y, hover);
    surface.setMousePointer(hover.hit ? MousePointer::Cross : MousePointer::Arrow);
}

void CurvePanel::click()
{
    if (!hover.hit)
        return;
    const bool changed = markClickedPoint(d_, hover);
    MenuSLgQcurve_Click();
    if (changed)
        marksChanged();
}

void CurvePanel::mouseDown(int button)
{
    if (button != kRightButton || d_.curfile.empty() || d_.curvekind != CurveKind::Gradient)
        return;
    if (hooks.menuinfo)
        hooks.menuinfo();
    if (hooks.popupMarks)
        hooks.popupMarks();
}

void CurvePanel::markCommand()
{
    if (d_.curfile.empty() || d_.curvekind != CurveKind::Gradient)
        return;
    if (hover.hit) {
        const MsgAnswer a =
            dialogs_.message({"在当前位置标记？", "提示！", MsgButtons::YesNoCancel, MsgIcon::Question, 1});
        if (a == MsgAnswer::Cancel)
            return;
        markhere = a == MsgAnswer::Yes;
    }
    MarkDialog dialog(d_, markhere, hover.point);
    dialog.stageLoads = gradientStageLoads(d_, hooks.gridRows ? hooks.gridRows() : 0);
    if (hooks.runMarkDialog)
        hooks.runMarkDialog(dialog);
    // The opening may already have stored the hovered point, so the marks changed even
    // when the dialog is left without OK.
    if (dialog.accepted() || dialog.storedOnOpen()) {
        MenuSLgQcurve_Click();
        marksChanged();
    }
}

void CurvePanel::adoptSuggestion(int hcrStage, int huStage)
{
    if (d_.curfile.empty())
        return;
    bool atMouse = false; // the hovered point plays no part here
    MarkDialog dialog(d_, atMouse, 0);
    dialog.stageLoads = gradientStageLoads(d_, hooks.gridRows ? hooks.gridRows() : 0);
    dialog.text[0] = hcrStage > 0 ? std::to_string(hcrStage) : std::string();
    dialog.text[1] = huStage > 0 ? std::to_string(huStage) : std::string();
    if (dialog.text[3].empty())
        dialog.text[3] = "Hu";
    if (hooks.runMarkDialog)
        hooks.runMarkDialog(dialog);
    if (dialog.accepted()) {
        MenuSLgQcurve_Click();
        marksChanged();
    }
}

void CurvePanel::clearMarksCommand()
{
    clearMarks(d_);
    MenuSLgQcurve_Click();
    marksChanged();
}

void CurvePanel::marksChanged()
{
    if (hooks.enableSave)
        hooks.enableSave();
    notify();
}

void CurvePanel::scaleScrolled(int value)
{
    const bool up = static_cast<float>(value) > d_.ymax0;
    if (d_.curvekind == CurveKind::Gradient)
        d_.gmax = stepScale(d_.gmax, up, 0.05);
    else
        d_.ystep = stepScale(d_.ystep, up, 0.1);
    d_.ymax0 = static_cast<float>(value);
    if (d_.curvekind == CurveKind::Gradient)
        MenuSLgQcurve_Click();
    else
        DrawChartQS_Click();
    afterScroll();
}

void CurvePanel::stageScrolled(int value)
{
    if (d_.curvekind == CurveKind::Gradient) {
        MenuSLgQcurve_Click();
    } else {
        d_.nstage = static_cast<std::int16_t>(std::clamp(value, 1, 32767));
        DrawChartQS_Click();
    }
    afterScroll();
}

void CurvePanel::afterScroll()
{
    d_.yfix = true;
    if (hooks.enableSave)
        hooks.enableSave();
    notify();
}

ScrollRange CurvePanel::scaleRange() const
{
    const float v = std::isfinite(d_.ymax0) ? std::clamp(d_.ymax0, 0.0f, float(kScaleBarMax)) : 0.0f;
    return {0, kScaleBarMax, static_cast<int>(std::lround(v))};
}

ScrollRange CurvePanel::stageRange() const
{
    const int n = std::max<int>(d_.nstage, 1);
    return {1, std::max(kStageBarMax, n), n};
}

} // namespace pyx
