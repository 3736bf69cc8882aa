#include "curves/qt/curve_panel_binding.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include "curves/curve_panel.h"
#include "curves/qt/curve_surface.h"

namespace pyx {
namespace {

void showRange(QScrollBar* bar, const ScrollRange& r)
{
    const QSignalBlocker block(bar);
    bar->setRange(r.min, r.max);
    bar->setValue(r.value);
}

} // namespace

void bindCurvePanel(CurvePanel& panel, CurveSurface* surface, QScrollBar* scaleBar, QScrollBar* stageBar)
{
    scaleBar->setTracking(false);
    stageBar->setTracking(false);
    scaleBar->setPageStep(1);
    stageBar->setPageStep(1);
    const auto sync = [&panel, surface, scaleBar, stageBar] {
        showRange(scaleBar, panel.scaleRange());
        showRange(stageBar, panel.stageRange());
        surface->update();
    };
    panel.hooks.changed = sync;
    QObject::connect(scaleBar, &QScrollBar::valueChanged, surface,
                     [&panel](int value) { panel.scaleScrolled(value); });
    QObject::connect(stageBar, &QScrollBar::valueChanged, surface,
                     [&panel](int value) { panel.stageScrolled(value); });
    sync();
}

} // namespace pyx
