#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "data/numfmt.h"
#include "mainwin/qt/main_window_widget.h"
#include "modal_script.h"
#include "platform/qt/qt_text_grid.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

using test::ModalScript;

// Each test has its own settings folder: the settings file and the window geometry.
struct MainWindowView : ::testing::Test
{
    test::TempDir config;
    test::TempDir files;
    QByteArray runConfig = qgetenv("XDG_CONFIG_HOME");

    void SetUp() override { useConfig(QByteArray::fromStdString(config.file(""))); }
    void TearDown() override { useConfig(runConfig); }
    static void useConfig(const QByteArray& folder)
    {
        qputenv("XDG_CONFIG_HOME", folder);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(folder));
    }

    std::unique_ptr<MainWindowWidget> startWindow()
    {
        auto window = std::make_unique<MainWindowWidget>();
        window->show();
        window->start();
        settle();
        return window;
    }

    std::string copySample(const std::string& name)
    {
        const std::string target = files.file(name);
        std::filesystem::copy_file(std::string(PYX_SOURCE_DIR) + "/samples/" + name, target);
        return target;
    }

    // Opens the logger sample through the Open command and opens the editor of a data cell.
    QLineEdit* openSampleAndEdit(MainWindowWidget& window, int row, int col)
    {
        const std::string path = copySample("logger_levels.pyx");
        {
            ModalScript opening;
            opening.then(chooseFile(path));
            window.logic().dispatch("miFOpen");
            settle();
        }
        EXPECT_EQ(window.logic().data().curfile, path);
        QTableView* grid = window.gridWidget()->dataView();
        const QModelIndex cell = grid->model()->index(row, col);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        return grid->viewport()->findChild<QLineEdit*>();
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    static QAction* action(const MainWindowWidget& window, const char* band, const char* tool)
    {
        QList<QAction*> actions;
        if (const auto* menu = window.findChild<QMenu*>(band))
            actions = menu->actions();
        else if (const auto* bar = window.findChild<QToolBar*>(band))
            actions = bar->actions();
        for (QAction* a : actions)
            if (a->objectName() == QLatin1String(tool))
                return a;
        ADD_FAILURE() << band << " has no " << tool;
        static QAction none;
        return &none;
    }

    // Answers for the file dialog and the message box.
    static ModalScript::Answer chooseFile(const std::string& path)
    {
        return [path](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, which checks the choice
        };
    }
    static ModalScript::Answer answer(QMessageBox::StandardButton button, QString* text = nullptr)
    {
        return [button, text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            if (text)
                *text = box->text();
            box->button(button)->click();
        };
    }
};

TEST_F(MainWindowView, ScriptedUseFromOpeningAFileToClosingTheWindow)
{
    const std::string path = copySample("logger_levels.pyx");
    const std::string original = test::TempDir::read(path);
    auto window = startWindow();
    MainWindow& logic = window->logic();

    {
        ModalScript opening;
        opening.then(chooseFile(path));
        action(*window, "mnuFile", "miFOpen")->trigger();
        settle();
        EXPECT_TRUE(opening.done());
        EXPECT_TRUE(opening.unexpected().isEmpty()) << opening.unexpected().join('|').toStdString();
    }
    ASSERT_EQ(logic.data().curfile, path);
    QTableView* grid = window->gridWidget()->dataView();
    ASSERT_GT(grid->model()->rowCount(), 10);
    EXPECT_EQ(grid->model()->index(0, 4).data().toString(), QString("0.37"));
    EXPECT_FALSE(action(*window, "mnuFile", "miFSave")->isEnabled());

    // A reading typed into the record table goes to the test and enables Save.
    const QModelIndex cell = grid->model()->index(0, 4);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "0.55");
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(logic.grid.text(2, 4), "0.55");
    EXPECT_FLOAT_EQ(logic.data().jlb[0].ds[0], 0.55f);
    EXPECT_TRUE(action(*window, "mnuFile", "miFSave")->isEnabled());

    // The gradient curve, then back to the H0-t-Y0 curve; the marks follow the curve.
    action(*window, "barStandard", "miCh0y")->trigger();
    settle();
    EXPECT_EQ(logic.data().curvekind, CurveKind::Gradient);
    EXPECT_TRUE(action(*window, "mnuChart", "miCBJ")->isVisible());
    action(*window, "barStandard", "miCh0t")->trigger();
    settle();
    EXPECT_EQ(logic.data().curvekind, CurveKind::Time);
    EXPECT_FALSE(action(*window, "mnuChart", "miCBJ")->isVisible());

    // A click on a header label opens the project information; closing it changes nothing.
    QLabel* label = nullptr;
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->text().startsWith(QString::fromUtf8("试桩编号：")))
            label = l;
    ASSERT_NE(label, nullptr);
    QString dialogTitle;
    {
        ModalScript dialog;
        dialog.then([&dialogTitle](QWidget* modal) {
            dialogTitle = modal->windowTitle();
            qobject_cast<QDialog*>(modal)->reject();
        });
        const QPoint at = label->rect().center();
        QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(label, &release);
        settle();
    }
    EXPECT_EQ(dialogTitle, QString::fromUtf8("工程信息"));
    EXPECT_EQ(logic.data().curfile, path);

    // Closing with unsaved data asks; "No" ends the program and leaves the file as it was.
    QString question;
    {
        ModalScript closing;
        closing.then(answer(QMessageBox::No, &question));
        EXPECT_TRUE(window->close());
        settle();
        EXPECT_TRUE(closing.unexpected().isEmpty());
    }
    EXPECT_EQ(question, QString::fromUtf8("文件没有保存！保存否？"));
    EXPECT_FALSE(window->isVisible());
    window.reset();
    EXPECT_EQ(test::TempDir::read(path), original);
    EXPECT_TRUE(std::filesystem::exists(config.file("pyx/window.conf")));
}

TEST_F(MainWindowView, AFileNamedOrDroppedOpensLikeTheOpenCommand)
{
    const auto window = startWindow();
    const std::string first = copySample("record_fractional.pys");
    window->openFile(first);
    EXPECT_EQ(window->logic().data().curfile, first);
    EXPECT_NE(window->windowTitle().indexOf("record_fractional"), -1);

    // A drop with unsaved data asks first; No opens the dropped file without saving.
    window->logic().data().dirty = true;
    const std::string second = copySample("logger_levels.pyx");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(second))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QString asked;
    ModalScript question;
    question.then(answer(QMessageBox::No, &asked));
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_TRUE(question.done());
    EXPECT_EQ(asked, QString::fromUtf8("文件没有保存！保存否？"));
    EXPECT_EQ(window->logic().data().curfile, second);
    EXPECT_EQ(window->logic().data().ftype, FileKind::Raw311);

    // Two files, or something that is not a file, are not taken.
    QMimeData two;
    two.setUrls({QUrl::fromLocalFile(QString::fromStdString(first)), QUrl("https://example.org/x.pys")});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &two, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(MainWindowView, DestroyedWithACellEditorOpen)
{
    auto window = startWindow();
    QLineEdit* editor = openSampleAndEdit(*window, 1, 5);
    ASSERT_NE(editor, nullptr);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    editor->setFocus();
    QTest::keyClicks(editor, "9");
    ASSERT_TRUE(editor->hasFocus());
    window.reset();
}

TEST_F(MainWindowView, ACommandSeesTheTextTypedIntoAnOpenCell)
{
    auto window = startWindow();
    QLineEdit* editor = openSampleAndEdit(*window, 0, 4);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "0.61");
    // A toolbar click takes no focus from the editor: the command commits it first.
    action(*window, "barStandard", "miCh0y")->trigger();
    settle();
    EXPECT_EQ(window->logic().data().curvekind, CurveKind::Gradient);
    EXPECT_FLOAT_EQ(window->logic().data().jlb[0].ds[0], 0.61f);
    EXPECT_EQ(window->logic().grid.text(2, 4), "0.61");
    EXPECT_TRUE(action(*window, "mnuFile", "miFSave")->isEnabled());
    window->logic().data().dirty = false;
}

TEST_F(MainWindowView, OpensOverTheScreenAndComesBackWhereItWasLeft)
{
    auto window = std::make_unique<MainWindowWidget>();
    const QRect area = window->screen()->availableGeometry();
    EXPECT_EQ(window->geometry(), area);
    // The offscreen screen (800 x 600) is smaller than the layout wants.
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);

    window->setWindowState(Qt::WindowNoState);
    const QRect placed(area.x() + 30, area.y() + 20, area.width() - 60, area.height() - 40);
    window->setGeometry(placed);
    window->show();
    settle();
    ASSERT_EQ(window->geometry(), placed);
    window->close();
    window.reset();
    EXPECT_TRUE(std::filesystem::exists(config.file("pyx/window.conf")));

    window = std::make_unique<MainWindowWidget>();
    EXPECT_EQ(window->geometry(), placed);
    EXPECT_FALSE(window->windowState() & Qt::WindowMaximized);
}

TEST_F(MainWindowView, FileCommandsHaveTheUsualKeys)
{
    auto window = startWindow();
    EXPECT_EQ(action(*window, "mnuFile", "miFNew")->shortcut(), QKeySequence(QKeySequence::New));
    EXPECT_EQ(action(*window, "mnuFile", "miFOpen")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(action(*window, "mnuFile", "miFSave")->shortcut(), QKeySequence(QKeySequence::Save));
    int withKeys = 0;
    for (const QAction* a : window->findChildren<QAction*>())
        withKeys += a->shortcut().isEmpty() ? 0 : 1;
    // The toolbar's copies have none: one key, one action. Beside the file and edit commands:
    // F1 on 帮助 → 使用说明 and the print key.
    EXPECT_EQ(withKeys, 8);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QString title;
    {
        ModalScript opening;
        opening.then([&title](QWidget* modal) {
            title = modal->windowTitle();
            qobject_cast<QDialog*>(modal)->reject();
        });
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        settle();
    }
    EXPECT_EQ(title, QString::fromUtf8("打开文件"));
    EXPECT_TRUE(window->logic().data().curfile.empty());

    // Save is disabled without a test: its key does nothing.
    ModalScript saving;
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(saving.unexpected().isEmpty());
}

TEST_F(MainWindowView, UndoAndRedoKeysAndTheCellsThatDifferFromTheLogger)
{
    auto window = startWindow();
    QLineEdit* editor = openSampleAndEdit(*window, 0, 4);
    ASSERT_NE(editor, nullptr);
    const float logged = window->logic().data().jlb[0].ds[0];
    editor->selectAll();
    QTest::keyClicks(editor, "0.61");
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    ASSERT_FLOAT_EQ(window->logic().data().jlb[0].ds[0], 0.61f);
    // The edited cell stands out, with the logger's reading in its tooltip.
    QTableView* grid = window->gridWidget()->dataView();
    const QModelIndex cell = grid->model()->index(0, 4);
    EXPECT_TRUE(cell.data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(cell.data(Qt::ToolTipRole).toString().toStdString(), "记录仪读数：" + singleText(logged));
    EXPECT_FALSE(grid->model()->index(0, 5).data(Qt::BackgroundRole).isValid());
    const auto* edits = window->findChild<QLabel*>("loggerEdits");
    ASSERT_NE(edits, nullptr);
    EXPECT_EQ(edits->text(), QString::fromUtf8("与记录仪读数不同：1 个单元格，插入 0 行，删除 0 行"));

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_FLOAT_EQ(window->logic().data().jlb[0].ds[0], logged);
    EXPECT_EQ(edits->text(), QString::fromUtf8("与记录仪读数一致"));
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_FLOAT_EQ(window->logic().data().jlb[0].ds[0], 0.61f);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    settle();
    EXPECT_FLOAT_EQ(window->logic().data().jlb[0].ds[0], 0.61f);
    window->logic().data().dirty = false;
}

// At a screen width of 1366 pixels the columns of the three tables have fixed widths; a
// header text longer than its column wraps, and the header rows are tall enough for it.
TEST_F(MainWindowView, HeaderTextsOfTheTablesFitTheirCellsAt1366)
{
    MainWindowWidget window;
    MainWindow& logic = window.logic();
    logic.load(1366);
    QTableView* header = window.gridWidget()->headerView();
    const auto expectHeaderFits = [&](const char* table) {
        window.gridWidget()->sync();
        const int margin = header->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, header) + 1;
        const QFontMetrics metrics = header->fontMetrics();
        const QAbstractItemModel* model = header->model();
        ASSERT_GT(model->rowCount(), 0) << table;
        for (int r = 0; r < model->rowCount(); ++r) {
            for (int c = 0; c < model->columnCount(); ++c) {
                const QModelIndex cell = model->index(r, c);
                const QRect box = header->visualRect(cell);
                const QString text = cell.data().toString();
                const QRect need = metrics.boundingRect(QRect(0, 0, box.width() - 2 * margin, 10000),
                                                        Qt::TextWordWrap | Qt::AlignHCenter, text);
                EXPECT_LE(need.width(), box.width() - 2 * margin) << table << ": " << text.toStdString();
                EXPECT_LE(need.height(), box.height()) << table << ": " << text.toStdString();
            }
        }
    };

    logic.ysdata_Click();
    expectHeaderFits("record table");
    const int recordHeight = header->height();

    logic.data().csz[77] = "1";
    logic.hzbdata_Click();
    expectHeaderFits("simple summary");
    EXPECT_GT(header->rowHeight(0),
              header->verticalHeader()->defaultSectionSize()); // "累计最大残余水平位移量"

    logic.data().csz[77] = "0";
    logic.hzbdata_Click();
    expectHeaderFits("full summary");

    logic.ysdata_Click();
    window.gridWidget()->sync();
    EXPECT_EQ(header->height(), recordHeight);
}

} // namespace
} // namespace pyx
