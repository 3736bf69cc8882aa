#pragma once
// Where a window opens: where the user left it last time, or at the size it is made for,
// cut to its screen's available area. Each window's geometry is kept under its name in
// Qt's own settings of the program, apart from the settings file, whose layout is fixed.

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace pyx {

// The main window, before it is shown: restores the geometry of the last run; without one,
// the window takes its screen's available area, maximised when that area is smaller than
// `layoutSize`.
void placeWindow(QWidget& window, QSize layoutSize);
// Keeps the main window's geometry (with its maximised state) for the next run.
void keepWindowPlacement(const QWidget& window);

// The client size of a window made for `wanted` on a screen with `available` room: no
// larger than the room left by the window's frame and title, no smaller than `minimum`.
QSize fittedSize(QSize wanted, QSize minimum, const QRect& available);

// A secondary window, before it is shown: restores the geometry it had when it was last
// hidden, kept under `name`, or takes `wanted` fitted to its screen. Its geometry is kept
// again each time it is hidden.
void placeSecondaryWindow(QWidget& window, const QString& name, QSize wanted);

} // namespace pyx
