#pragma once
// Binds the curve panel's logic to its widgets: the surface and the scale and stage
// scroll bars. (The mark dialog opens through the main window's modal windows.)

class QScrollBar;

namespace pyx {

class CurvePanel;
class CurveSurface;

// The scroll bars report a value when it is set (not while dragging) and follow the
// panel's state after every drawing.
void bindCurvePanel(CurvePanel& panel, CurveSurface* surface, QScrollBar* scaleBar, QScrollBar* stageBar);

} // namespace pyx
