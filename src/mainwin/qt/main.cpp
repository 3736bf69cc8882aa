// pyx: the desktop program. `pyx FILE` opens FILE at start-up.

#include <QApplication>

#include "mainwin/qt/main_window_widget.h"
#include "platform/qt/qt_translation.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("pyx");
    pyx::installChineseTranslation(app);
    pyx::MainWindowWidget window;
    window.show();
    window.start();
    // The arguments as Qt read them: UTF-8 on every system, whatever the Windows code page.
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1)
        window.openFile(args.at(1).toStdString());
    return QApplication::exec();
}
