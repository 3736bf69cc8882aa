#include "mainwin/qt/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace pyx {
namespace {

constexpr const char* kGeometryKey = "mainWindow/geometry";

// $XDG_CONFIG_HOME/pyx/window.conf, beside the settings file.
QSettings windowSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("pyx"),
                     QStringLiteral("window"));
}

} // namespace

void placeWindow(QWidget& window, QSize layoutSize)
{
    const QByteArray saved = windowSettings().value(kGeometryKey).toByteArray();
    if (!saved.isEmpty() && window.restoreGeometry(saved))
        return;
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window.setGeometry(area);
    if (area.width() < layoutSize.width() || area.height() < layoutSize.height())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void keepWindowPlacement(const QWidget& window)
{
    windowSettings().setValue(kGeometryKey, window.saveGeometry());
}

} // namespace pyx
