// pyx as it starts (see src/mainwin/qt/main.cpp), quitting once its main window is shown
// and the events of the start-up are handled: bench/run times this process. The open
// dialog that offers the last file at start-up is answered at once.
// pyx_startup --prepare FILE: names FILE as the file to open at start-up in the settings.
// pyx_startup --select-all-reports: selects every report of the preview in the settings.

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include "data/settings.h"
#include "data/settings_entries.h"
#include "mainwin/qt/main_window_widget.h"
#include "platform/qt/qt_translation.h"

int main(int argc, char** argv)
{
    const bool prepare = argc == 3 && std::strcmp(argv[1], "--prepare") == 0;
    if (prepare || (argc == 2 && std::strcmp(argv[1], "--select-all-reports") == 0)) {
        const std::string path = pyx::defaultSettingsPath();
        pyx::SettingsTable csz;
        pyx::readSettings(path, csz);
        pyx::checkSettings(csz);
        if (prepare) {
            csz[pyx::setting::kLastFile] = argv[2];
        } else {
            for (const int e : {70, 71, 72, 73, 78})
                csz[e] = "1";
            csz[pyx::setting::kSimpleSummary] = "0";
        }
        return pyx::writeSettings(path, csz) ? 0 : 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("pyx");
    pyx::installChineseTranslation(app);
    pyx::MainWindowWidget window;
    window.show();
    // The file to open at start-up is offered in the open dialog: taken as offered.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            static_cast<QDialog*>(dialog)->accept();
    });
    answer.start(0);
    window.start();
    answer.stop();
    std::fprintf(stderr, "pyx_startup: %d table rows\n", window.logic().data().jlbn);
    QTimer::singleShot(0, &app, [&window] {
        window.repaint();
        QApplication::quit();
    });
    return QApplication::exec();
}
