#pragma once
// Where the main window opens: where the user left it last time, or over the screen's
// available area. The geometry is kept in Qt's own settings of the program, apart from
// the settings file, whose layout is fixed.

#include <QSize>

class QWidget;

namespace pyx {

// Before the window is shown: restores the geometry of the last run; without one, the
// window takes its screen's available area, maximised when that area is smaller than
// `layoutSize`.
void placeWindow(QWidget& window, QSize layoutSize);
// Keeps the window's geometry (with its maximised state) for the next run.
void keepWindowPlacement(const QWidget& window);

} // namespace pyx
