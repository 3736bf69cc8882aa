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
    if (argc > 1)
        window.openFile(argv[1]);
    return QApplication::exec();
}
