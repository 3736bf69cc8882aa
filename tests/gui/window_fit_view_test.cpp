// Every secondary window fits a 1366×768 screen with its buttons in view, comes back at the
// size it was left, and the curves follow the screen's scaling.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

#include "analysis/qt/analysis_window_widget.h"
#include "dialogs/qt/stats_window_widget.h"
#include "mainwin/main_window.h"
#include "platform/qt/help_window.h"
#include "platform/qt/painter_canvas.h"
#include "platform/qt/window_placement.h"
#include "platform/scripted_dialogs.h"
#include "rawview/qt/raw_view_widget.h"
#include "reports/qt/preview_dialog.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

// The client area a window gets on a 1366×768 screen under a title bar and frame.
constexpr QSize kSmallScreenRoom(1350, 728);

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Every button of `window` that is shown lies inside it and outside any scrolled part.
void expectButtonsInView(QWidget& window)
{
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(&window) || qobject_cast<QToolButton*>(b))
            continue;
        const QRect at(b->mapTo(&window, QPoint(0, 0)), b->size());
        EXPECT_TRUE(window.rect().contains(at))
            << b->text().toStdString() << " at " << at.x() << "," << at.y();
        for (QWidget* p = b->parentWidget(); p && p != &window; p = p->parentWidget())
            EXPECT_EQ(qobject_cast<QScrollArea*>(p), nullptr) << b->text().toStdString() << " scrolls";
    }
}

// A window at the room of a small screen: its layout fits, its buttons are in view.
void expectFitsASmallScreen(QWidget& window)
{
    const QSize least = window.minimumSizeHint();
    EXPECT_LE(least.width(), kSmallScreenRoom.width()) << window.objectName().toStdString();
    EXPECT_LE(least.height(), kSmallScreenRoom.height()) << window.objectName().toStdString();
    window.resize(kSmallScreenRoom);
    window.show();
    settle();
    EXPECT_EQ(window.size(), kSmallScreenRoom);
    expectButtonsInView(window);
}

// Each test keeps the windows' geometry in a folder of its own.
struct WindowFitView : ::testing::Test
{
    test::TempDir config;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> main = std::make_unique<MainWindow>(*d, dialogs, std::string());

    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config.file("")));
        main->load(1366);
    }
    void open(const char* sample)
    {
        main->files.openPath(std::string(PYX_SOURCE_DIR) + "/samples/" + sample);
        dialogs.messages.clear();
    }
};

TEST_F(WindowFitView, TheSizeAWindowIsMadeForIsCutToTheScreen)
{
    const QRect small(0, 0, 1366, 768);
    EXPECT_EQ(fittedSize(QSize(1280, 860), QSize(600, 400), small), QSize(1280, 728));
    EXPECT_EQ(fittedSize(QSize(1400, 940), QSize(600, 400), small), QSize(1350, 728));
    EXPECT_EQ(fittedSize(QSize(900, 600), QSize(600, 400), QRect(0, 0, 1920, 1080)), QSize(900, 600));
    // A layout that cannot shrink further keeps its least size.
    EXPECT_EQ(fittedSize(QSize(1280, 860), QSize(1300, 800), small), QSize(1300, 800));
    EXPECT_EQ(fittedSize(QSize(800, 600), QSize(0, 0), QRect()), QSize(800, 600));
}

TEST_F(WindowFitView, StatisticsFitWithTheirButtons)
{
    StatsWindow logic(d->csz, dialogs);
    logic.addFolder(std::string(PYX_SOURCE_DIR) + "/samples/unit");
    StatsWindowWidget w(logic, nullptr);
    // Made for 1280×860, cut to the screen's room (unless the layout needs more).
    const QRect room = w.screen()->availableGeometry();
    EXPECT_LE(w.width(), std::max(room.width(), w.minimumSizeHint().width()));
    EXPECT_LE(w.height(), std::max(room.height(), w.minimumSizeHint().height()));
    expectFitsASmallScreen(w);
}

TEST_F(WindowFitView, TheAnalysisFitsWithoutScrolling)
{
    open("logger_analysis.pyx");
    AnalysisWindow logic(*d, main->grid.rows(), dialogs);
    logic.load();
    AnalysisWindowWidget w(logic, nullptr);
    expectFitsASmallScreen(w);
    if (auto* scroll = w.findChild<QScrollArea*>()) {
        EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
    }
    // The schedule's note is shown whole.
    auto* note = w.findChild<QLabel*>("lblScheduleNote");
    ASSERT_NE(note, nullptr);
    if (!note->text().isEmpty()) {
        EXPECT_GE(note->height(), note->heightForWidth(note->width()));
    }
}

TEST_F(WindowFitView, TheRawDataFitsWithItsExitButton)
{
    open("logger_levels.pyx");
    RawViewWidget w(*d, nullptr);
    expectFitsASmallScreen(w);
}

struct PreviewFitView : WindowFitView
{
    std::unique_ptr<PreviewDialog> preview()
    {
        open("logger_levels.pyx");
        for (int e = 70; e <= 79; ++e)
            d->csz[e] = "0";
        d->csz[70] = "1";
        d->csz[72] = "1";
        d->csz[73] = "1";
        return std::make_unique<PreviewDialog>(*d, main->grid.rows(), dialogs, nullptr);
    }
};

TEST_F(PreviewFitView, AWindowComesBackAtTheSizeItWasLeft)
{
    {
        const auto dlg = preview();
        dlg->show();
        dlg->resize(700, 500);
        settle();
        dlg->hide();
    }
    const auto again = preview();
    EXPECT_EQ(again->size(), QSize(700, 500));
}

TEST_F(PreviewFitView, ExitStaysInViewHoweverNarrowTheWindow)
{
    const auto dlg = preview();
    auto* bar = dlg->findChild<QToolBar*>("abPrint");
    ASSERT_NE(bar, nullptr);
    QAction* exit = bar->findChild<QAction*>(QString::fromUtf8("退出"));
    ASSERT_NE(exit, nullptr);
    for (const int width : {1350, 900, 700}) {
        dlg->resize(width, 700);
        dlg->show();
        settle();
        QWidget* button = bar->widgetForAction(exit);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isVisible()) << width;
        EXPECT_LE(button->mapTo(dlg.get(), QPoint(button->width(), 0)).x(), dlg->width()) << width;
    }
}

TEST_F(PreviewFitView, TwoPagesStandSideBySideFromPageOne)
{
    const auto dlg = preview();
    dlg->show();
    settle();
    const int pages = dlg->document().pageCount();
    ASSERT_GE(pages, 3);
    dlg->runTool("两页");
    settle();
    EXPECT_EQ(dlg->view()->pageCount(), (pages + 1) / 2); // sheets of pages 1|2, 3|4, ...
    EXPECT_EQ(dlg->view()->currentPage(), 1);
    dlg->runTool("下一页"); // page 2: on the first sheet still
    EXPECT_EQ(dlg->logic().currentPage(), 2);
    EXPECT_EQ(dlg->view()->currentPage(), 1);
    dlg->runTool("下一页");
    EXPECT_EQ(dlg->logic().currentPage(), 3);
    EXPECT_EQ(dlg->view()->currentPage(), 2);
    dlg->runTool("整页"); // one page a sheet again, on the page shown
    EXPECT_EQ(dlg->view()->pageCount(), pages);
    EXPECT_EQ(dlg->view()->currentPage(), 3);
}

TEST_F(PreviewFitView, CtrlPPrintsAndWithoutAPrinterSaysWhatToDo)
{
    const auto dlg = preview();
    dlg->show();
    settle();
    QTest::keySequence(dlg.get(), QKeySequence::Print);
    ASSERT_FALSE(dialogs.messages.empty());
    // No printer is installed here: the question only where printer settings can be opened.
    const std::string expected = printerSettingsCommand().isEmpty()
                                     ? "没有可用打印机！请在系统设置中添加打印机。"
                                     : "没有可用打印机！现在安装打印机吗？";
    EXPECT_EQ(dialogs.messages.back().text, expected);
}

// Texts drawn on a screen with a device pixel ratio of 1.5 stand 1.5 times as high.
TEST(CurveScaling, TextsAndPensFollowTheDevicePixelRatio)
{
    RecordingCanvas drawing;
    drawing.setWindow(0, 1000, 1000, -1000);
    drawing.setFontSize(100);
    drawing.setPenWidth(2);
    drawing.textAt(100, 500, "H0(10kN)");
    drawing.drawLine(100, 100, 900, 100);
    const auto inkHeight = [&](double ratio) {
        QImage image(QSize(400, 400), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterCanvas canvas(painter, QRectF(0, 0, 400, 400));
        canvas.setScreenScale(ratio);
        replay(drawing.picture(), canvas);
        painter.end();
        int top = image.height(), bottom = -1;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 160) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return bottom - top + 1;
    };
    const int plain = inkHeight(1);
    const int scaled = inkHeight(1.5);
    ASSERT_GT(plain, 3);
    EXPECT_NEAR(static_cast<double>(scaled) / plain, 1.5, 0.25);
}

// The guide is shipped inside the program: every window has its part and every picture is there.
TEST(UserGuide, HasAPartForEveryWindowAndAllItsPictures)
{
    QFile page(QStringLiteral(":/help/index.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains(QString::fromUtf8("使用说明")));
    for (const char* window : {"frmmain", "frmStats", "frmAnalysis", "frmprintyl", "frmmark", "frmYssj",
                               "frmcssz", "frmgcxx", "frmprintsz", "open", "files"})
        EXPECT_TRUE(html.contains(QStringLiteral("id=\"%1\"").arg(QLatin1String(window)))) << window;
    int pictures = 0;
    const QRegularExpression img(QStringLiteral("<img src=\"([^\"]+)\""));
    for (auto it = img.globalMatch(html); it.hasNext(); ++pictures) {
        const QString src = it.next().captured(1);
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + src)) << src.toStdString();
    }
    EXPECT_GE(pictures, 5);

    HelpWindow help;
    help.showTopic(QStringLiteral("frmStats"));
    EXPECT_TRUE(help.browser()->toPlainText().contains(QString::fromUtf8("多桩统计")));
    EXPECT_EQ(help.browser()->source(), userGuideUrl());
}

} // namespace
} // namespace pyx
