#include "platform/qt/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace pyx {
namespace {

constexpr const char* kMainWindowName = "mainWindow";

// Room left around a window's client area for its frame and title bar.
constexpr QSize kFrameAllowance(16, 40);

// $XDG_CONFIG_HOME/pyx/window.conf, beside the settings file.
QSettings windowSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("pyx"),
                     QStringLiteral("window"));
}

QString geometryKey(const QString& name)
{
    return name + QStringLiteral("/geometry");
}

bool restorePlacement(QWidget& window, const QString& name)
{
    const QByteArray saved = windowSettings().value(geometryKey(name)).toByteArray();
    return !saved.isEmpty() && window.restoreGeometry(saved);
}

void keepPlacement(const QWidget& window, const QString& name)
{
    windowSettings().setValue(geometryKey(name), window.saveGeometry());
}

QRect availableArea(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Keeps a window's geometry when it is hidden (closed, accepted or rejected).
class PlacementKeeper : public QObject
{
public:
    PlacementKeeper(QWidget& window, QString name) : QObject(&window), name_(std::move(name))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && watched == parent())
            keepPlacement(*static_cast<QWidget*>(watched), name_);
        return false;
    }

private:
    QString name_;
};

} // namespace

void placeWindow(QWidget& window, QSize layoutSize)
{
    if (restorePlacement(window, kMainWindowName))
        return;
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return;
    window.setGeometry(area);
    if (area.width() < layoutSize.width() || area.height() < layoutSize.height())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void keepWindowPlacement(const QWidget& window)
{
    keepPlacement(window, kMainWindowName);
}

QSize fittedSize(QSize wanted, QSize minimum, const QRect& available)
{
    if (available.isEmpty())
        return wanted.expandedTo(minimum);
    return wanted.boundedTo(available.size() - kFrameAllowance).expandedTo(minimum);
}

void placeSecondaryWindow(QWidget& window, const QString& name, QSize wanted)
{
    // A kept geometry is fitted to the screen by the restore itself.
    if (!restorePlacement(window, name))
        window.resize(fittedSize(wanted, window.minimumSizeHint(), availableArea(window)));
    new PlacementKeeper(window, name);
}

} // namespace pyx
