// The main window's finish: the curve tools show the drawn curve, refusals beside the cell,
// the marks in kN, recent files, Ctrl+P and F1 from every window.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "curves/marks.h"
#include "mainwin/command_names.h"
#include "mainwin/qt/main_window_widget.h"
#include "modal_script.h"
#include "platform/qt/help_window.h"
#include "platform/qt/qt_command_bar.h"
#include "platform/qt/qt_text_grid.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

using test::ModalScript;

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

struct WindowFinishView : ::testing::Test
{
    test::TempDir config;
    test::TempDir files;
    QByteArray runConfig = qgetenv("XDG_CONFIG_HOME");
    std::unique_ptr<MainWindowWidget> window;

    void SetUp() override
    {
        useConfig(QByteArray::fromStdString(config.file("")));
        window = std::make_unique<MainWindowWidget>();
        window->show();
        window->start();
        settle();
    }
    void TearDown() override
    {
        window.reset();
        useConfig(runConfig);
    }
    static void useConfig(const QByteArray& folder)
    {
        qputenv("XDG_CONFIG_HOME", folder);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(folder));
    }
    std::string copySample(const std::string& name, const std::string& as = {})
    {
        const std::string target = files.file(as.empty() ? name : as);
        std::filesystem::copy_file(std::string(PYX_SOURCE_DIR) + "/samples/" + name, target);
        return target;
    }
    void openThroughTheDialog(const std::string& path)
    {
        ModalScript opening;
        opening.then([path](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept();
        });
        window->logic().dispatch(tool::kOpen);
        settle();
        EXPECT_TRUE(opening.done());
    }
    QAction* toolbarAction(const char* tool)
    {
        for (QAction* a : window->commandBar()->actions(band::kToolbar))
            if (a->objectName() == QLatin1String(tool))
                return a;
        ADD_FAILURE() << tool;
        return nullptr;
    }
};

TEST_F(WindowFinishView, TheOpenDialogShowsTheTestFilesFromTheLastFolder)
{
    const std::string first = copySample("logger_levels.pyx");
    QStringList filters;
    QString selected;
    QString folder;
    openThroughTheDialog(first);
    {
        ModalScript opening;
        opening.then([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            filters = dialog->nameFilters();
            selected = dialog->selectedNameFilter();
            folder = dialog->directory().absolutePath();
            dialog->reject();
        });
        window->logic().dispatch(tool::kOpen);
        settle();
    }
    ASSERT_EQ(filters.size(), 4);
    EXPECT_EQ(filters[0], QString::fromUtf8("试验文件 (*.pys *.pyx *.pyw)"));
    EXPECT_EQ(filters[1], QString::fromUtf8("记录仪文件 (*.pyx *.pyw)"));
    EXPECT_EQ(filters[2], QString::fromUtf8("All files(*.*) (*)"));
    EXPECT_EQ(filters[3], QString::fromUtf8("pys (*.pys)"));
    EXPECT_EQ(selected, filters[0]);
    EXPECT_EQ(folder.toStdString(), std::filesystem::path(first).parent_path().string());
}

TEST_F(WindowFinishView, RecentFilesOpenFromTheFileMenuAndAMissingOneIsGreyed)
{
    const std::string a = copySample("logger_levels.pyx");
    const std::string b = copySample("record_fractional.pys");
    openThroughTheDialog(a);
    openThroughTheDialog(b);
    QMenu* recent = window->recentMenu();
    ASSERT_NE(recent, nullptr);
    // In the file menu, before its separator above 退出.
    const QList<QAction*> fileMenu = window->commandBar()->menu(band::kFile)->actions();
    const qsizetype at = fileMenu.indexOf(recent->menuAction());
    ASSERT_GE(at, 0);
    EXPECT_TRUE(fileMenu[at + 1]->isSeparator());

    std::filesystem::remove(b);
    emit recent->aboutToShow();
    const QList<QAction*> entries = recent->actions();
    ASSERT_GE(entries.size(), 2);
    EXPECT_TRUE(entries[0]->text().endsWith(QString::fromUtf8("record_fractional.pys")));
    EXPECT_FALSE(entries[0]->isEnabled());
    EXPECT_TRUE(entries[1]->isEnabled());
    entries[1]->trigger();
    settle();
    EXPECT_EQ(window->logic().data().curfile, a);
}

TEST_F(WindowFinishView, TheRecordTablesLastColumnIsWhole)
{
    window->resize(1366, 740);
    openThroughTheDialog(copySample("logger_levels.pyx"));
    settle();
    QTableView* grid = window->gridWidget()->dataView();
    const int last = grid->model()->columnCount() - 1;
    ASSERT_GT(last, 10);
    EXPECT_LE(grid->columnViewportPosition(last) + grid->columnWidth(last), grid->viewport()->width());
    EXPECT_GE(window->curveSurface()->width(), window->curveSurface()->minimumWidth());
}

TEST_F(WindowFinishView, TheCurveToolsShowTheDrawnCurveAfterADamagedFile)
{
    openThroughTheDialog(copySample("logger_levels.pyx"));
    QAction* time = toolbarAction(tool::kTimeCurve);
    QAction* gradient = toolbarAction(tool::kGradientCurve);
    ASSERT_TRUE(time && gradient);
    EXPECT_TRUE(time->isChecked());
    EXPECT_FALSE(gradient->isChecked());
    gradient->trigger();
    settle();
    EXPECT_TRUE(gradient->isChecked());
    EXPECT_FALSE(time->isChecked());

    const std::string damaged = copySample("bad_garbage.pyx");
    {
        ModalScript opening;
        opening.then([damaged](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromStdString(damaged));
            static_cast<QDialog*>(dialog)->accept();
        });
        // What the damaged file makes the program tell is closed unanswered.
        window->logic().dispatch(tool::kOpen);
        settle();
    }
    EXPECT_EQ(window->logic().data().curvekind, CurveKind::Time);
    EXPECT_FALSE(gradient->isChecked());
    EXPECT_EQ(time->isChecked(), !window->logic().data().curfile.empty());
}

TEST_F(WindowFinishView, ARefusedEditIsToldBesideTheCell)
{
    openThroughTheDialog(copySample("logger_levels.pyx"));
    QTableView* grid = window->gridWidget()->dataView();
    const QModelIndex cell = grid->model()->index(0, 2);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "24:00");
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(QToolTip::text(), QString::fromUtf8("小时应为 00 至 23"));
    EXPECT_EQ(window->findChild<QLabel*>("editRefusal")->text(), QString::fromUtf8("小时应为 00 至 23"));
    // Another test: the reason goes.
    openThroughTheDialog(copySample("record_fractional.pys"));
    EXPECT_EQ(window->findChild<QLabel*>("editRefusal")->text(), QString());
}

TEST_F(WindowFinishView, TheMarksShowInKilonewtons)
{
    openThroughTheDialog(copySample("record_fractional.pys")); // marks at points 3 and 6
    const QString shown = window->marksLabel()->text();
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8("Hcr = 50 kN（第4级）"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromUtf8("kN（第7级）"))) << shown.toStdString();
}

TEST_F(WindowFinishView, F1OpensTheGuideFromTheMainWindowAndOverADialog)
{
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(window.get(), Qt::Key_F1);
    settle();
    HelpWindow* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible())
            shown = h;
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->browser()->source(), userGuideUrl());
    shown->close();
    settle();

    // Over the modal parameter dialog the guide opens modal at that dialog's part.
    QString helpTitle;
    int helpScrolled = -1;
    {
        ModalScript script;
        QString dialogName;
        script.then([&dialogName](QWidget* modal) {
            dialogName = modal->objectName();
            QWidget* focus = modal->focusWidget() ? modal->focusWidget() : modal;
            // Pressed from the dialog's own event loop, as the user would.
            QTimer::singleShot(0, focus, [focus] { QTest::keyClick(focus, Qt::Key_F1); });
        });
        script.then([&](QWidget* modal) {
            auto* help = qobject_cast<HelpWindow*>(modal);
            ASSERT_NE(help, nullptr);
            helpTitle = help->windowTitle();
            helpScrolled = help->browser()->verticalScrollBar()->value();
            help->reject();
        });
        script.then([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
        window->logic().dispatch(tool::kParameterSetup);
        settle();
        EXPECT_TRUE(script.done());
        EXPECT_EQ(dialogName, QString("frmcssz"));
    }
    EXPECT_EQ(helpTitle, QString::fromUtf8("使用说明"));
    EXPECT_GT(helpScrolled, 0); // at the dialog's part, not the beginning

    // 帮助 → 使用说明 carries F1.
    QAction* guideTool = nullptr;
    for (QAction* a : window->commandBar()->actions(band::kHelp))
        if (a->objectName() == QLatin1String(tool::kUserGuide))
            guideTool = a;
    ASSERT_NE(guideTool, nullptr);
    EXPECT_EQ(guideTool->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(WindowFinishView, CtrlPPrintsFromTheMainWindow)
{
    openThroughTheDialog(copySample("logger_levels.pyx"));
    QString told;
    {
        ModalScript printing;
        printing.then([&told](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            told = box->text();
            box->reject();
        });
        QApplication::setActiveWindow(window.get());
        QTest::keySequence(window.get(), QKeySequence::Print);
        settle();
    }
    // No printer is installed here.
    EXPECT_TRUE(told.startsWith(QString::fromUtf8("没有可用打印机！"))) << told.toStdString();
}

} // namespace
} // namespace pyx
