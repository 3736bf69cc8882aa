// pyx-helpshots [--screen] OUTDIR SAMPLES: the pictures of the user guide, taken from the
// program's own windows on the sample files, so that the guide shows the windows as they
// are (scripts/help-screenshots.sh). With --screen it takes the whole screen instead, with
// every window the program opens placed as the program places it, for looking at the
// windows under a window manager (run it on an X display, e.g. under xvfb-run).

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <functional>

#include "dialogs/qt/stats_window_widget.h"
#include "dialogs/stats_window.h"
#include "mainwin/command_names.h"
#include "mainwin/qt/main_window_widget.h"
#include "platform/qt/help_window.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_translation.h"
#include "reports/qt/preview_dialog.h"

namespace {

// The guide shows the pictures at this width at most.
constexpr int kGuideWidth = 760;

QString outDir;
bool wholeScreen = false;
bool failed = false;

void save(QWidget& widget, const QString& name)
{
    QImage image;
    if (wholeScreen) {
        image = widget.screen()->grabWindow(0).toImage();
    } else {
        image = widget.grab().toImage();
        if (image.width() > kGuideWidth)
            image = image.scaledToWidth(kGuideWidth, Qt::SmoothTransformation);
    }
    const QString path = QDir(outDir).filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "pyx-helpshots: cannot write %s\n", qPrintable(path));
        failed = true;
    }
}

// Runs `open`, which shows a modal window; the window is taken as `name` (after `prepare`)
// and closed.
void takeModal(const QString& name, const std::function<void()>& open,
               const std::function<void(QWidget&)>& prepare = {})
{
    QTimer::singleShot(wholeScreen ? 1500 : 600, [name, prepare] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            std::fprintf(stderr, "pyx-helpshots: no window for %s\n", qPrintable(name));
            failed = true;
            return;
        }
        if (prepare) {
            prepare(*modal);
            QApplication::processEvents();
        }
        save(*modal, name);
        modal->close();
    });
    open();
}

void settle(int ms = 0)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    QApplication::processEvents();
}

std::string sample(const QDir& samples, const char* name)
{
    return QFile::encodeName(samples.filePath(QString::fromLatin1(name))).toStdString();
}

} // namespace

int main(int argc, char** argv)
{
    // The program's settings and recent files stay out of the user's folders.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--screen") == 0) {
        wholeScreen = true;
        first = 2;
    } else if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        // Without a display: a screen of 1366×768, the size the windows are made to fit.
        QFile screens(config.filePath(QStringLiteral("screens.json")));
        if (screens.open(QIODevice::WriteOnly))
            screens.write(R"({"screens": [{"name": "shots", "x": 0, "y": 0, "width": 1366, "height": 768,)"
                          R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("pyx");
    pyx::installChineseTranslation(app);
    if (argc - first != 2) {
        std::fprintf(stderr, "usage: pyx-helpshots [--screen] OUTDIR SAMPLES\n");
        return 2;
    }
    outDir = QString::fromLocal8Bit(argv[first]);
    const QDir samples(QString::fromLocal8Bit(argv[first + 1]));
    QDir().mkpath(outDir);

    pyx::MainWindowWidget window;
    if (!wholeScreen)
        window.resize(1366, 740);
    window.show();
    window.start();
    window.openFile(sample(samples, "record_fractional.pys"));
    pyx::MainWindow& logic = window.logic();
    logic.dispatch(pyx::tool::kGradientCurve);
    settle(wholeScreen ? 1500 : 0);
    save(window, "main_window.png");
    if (!wholeScreen)
        save(*window.curveSurface()->parentWidget(), "gradient_curve.png");

    takeModal("open_dialog.png", [&] { logic.dispatch(pyx::tool::kOpen); });
    takeModal("preview.png", [&] { logic.dispatch(pyx::tool::kPrintPreview); });
    takeModal("mark_dialog.png", [&] { logic.dispatch(pyx::tool::kMark); });
    // The report information as an engineer fills it in; closed without storing.
    takeModal(
        "report_info.png", [&] { logic.dispatch(pyx::tool::kReportInfo); },
        [](QWidget& dialog) {
            const std::pair<const char*, const char*> texts[] = {{"company", "某某建设工程质量检测有限公司"},
                                                                 {"certificate", "某建检字第 0123 号"},
                                                                 {"reviewer", "王工"},
                                                                 {"approver", "李工"},
                                                                 {"report_number", "SP-2024-015"},
                                                                 {"client", "某某城市建设投资有限公司"},
                                                                 {"pile_type", "钻孔灌注桩"},
                                                                 {"concrete", "C35"},
                                                                 {"design_value", "10"},
                                                                 {"tester", "张工"}};
            for (const auto& [name, text] : texts)
                if (auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(name)))
                    edit->setText(QString::fromUtf8(text));
        });
    if (wholeScreen) {
        takeModal(
            "preview_two_pages.png", [&] { logic.dispatch(pyx::tool::kPrintPreview); },
            [](QWidget& preview) {
                if (auto* p = qobject_cast<pyx::PreviewDialog*>(&preview))
                    p->runTool("两页");
            });
        takeModal("project_info.png", [&] { logic.dispatch(pyx::tool::kProjectInfo); });
        takeModal("print_options.png", [&] { logic.dispatch(pyx::tool::kPrintOptions); });
        takeModal("about.png", [&] { logic.dispatch(pyx::tool::kAbout); });
        pyx::HelpWindow guide(&window);
        guide.show();
        settle(1500);
        save(guide, "guide.png");
        guide.close();
    }

    window.openFile(sample(samples, "logger_analysis.pyx"));
    settle(wholeScreen ? 500 : 0);
    if (wholeScreen) {
        logic.dispatch(pyx::tool::kSummary);
        settle(800);
        save(window, "main_window_summary.png");
        logic.dispatch(pyx::tool::kRecordTable);
        settle(500);
        takeModal("raw_data.png", [&] { logic.dispatch(pyx::tool::kRawData); });
        takeModal("parameter_setup.png", [&] { logic.dispatch(pyx::tool::kParameterSetup); });
    }
    takeModal("analysis.png", [&] { logic.dispatch(pyx::tool::kAnalyse); });

    pyx::QtDialogs dialogs(&window);
    pyx::StatsWindow stats(logic.data().csz, dialogs);
    stats.addFolder(sample(samples, "unit"));
    pyx::StatsWindowWidget statsWidget(stats, &window);
    takeModal("stats.png", [&] { statsWidget.exec(); });
    return failed ? 1 : 0;
}
