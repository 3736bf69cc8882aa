#pragma once
// Binds the curve panel's logic to its widgets: the surface, the scale and stage scroll
// bars and the mark dialog.

class QScrollBar;
class QWidget;

namespace pyx {

class CurvePanel;
class CurveSurface;

// The scroll bars report a value when it is set (not while dragging) and follow the
// panel's state after every drawing; the mark dialog opens modally over `dialogParent`.
void bindCurvePanel(CurvePanel& panel, CurveSurface* surface, QScrollBar* scaleBar, QScrollBar* stageBar,
                    QWidget* dialogParent);

} // namespace pyx
