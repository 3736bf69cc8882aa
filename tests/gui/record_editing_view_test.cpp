#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTableView>
#include <gtest/gtest.h>

#include "mainwin/qt/main_window_widget.h"
#include "platform/qt/qt_text_grid.h"

namespace pyx {
namespace {

// The main window with a three-row record table open; data row r is grid row r + 2.
struct RecordEditingView : ::testing::Test
{
    MainWindowWidget window;

    void SetUp() override
    {
        TestData& d = window.logic().data();
        for (int i = 0; i < 3; ++i) {
            d.jlb[i].hz = 100;
            d.jlb[i].sj.set("08:30");
            d.jlb[i].xh = static_cast<std::int16_t>(i + 1);
            d.jlb[i].ds = {1, 1, 2, 2, 0.5f, 0.5f, 1, 1};
        }
        d.jlb[3].hz = kEndLoad;
        d.jlbn = 3;
        d.curfile = "t.pys";
        for (int k = 10; k <= 13; ++k)
            d.csz[k] = "1";
        window.logic().ysdata_Click();
        window.show();
        settle();
    }

    // An open editor commits when the window hides: while the window's logic is still there.
    void TearDown() override { window.hide(); }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    QTableView* view() const { return window.gridWidget()->dataView(); }
    QModelIndex cell(int row, int col) const { return view()->model()->index(row, col); }
    QLineEdit* editor() const { return view()->viewport()->findChild<QLineEdit*>(); }
    std::string gridText(int row, int col) { return window.logic().grid.text(row + 2, col); }
    QString reason() const { return window.findChild<QLabel*>("editRefusal")->text(); }

    // Opens the editor of a cell and types `text` into it key by key.
    void typeInto(int row, int col, const QString& text)
    {
        view()->setCurrentIndex(cell(row, col));
        view()->edit(cell(row, col));
        settle();
        ASSERT_NE(editor(), nullptr);
        editor()->selectAll();
        for (const QChar c : text)
            press(0, QString(c));
    }
    void press(int key, const QString& text = {})
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(editor(), &e);
        settle();
    }
    void click(int row, int col)
    {
        const QPoint at = view()->visualRect(cell(row, col)).center();
        const QPoint global = view()->viewport()->mapToGlobal(at);
        QMouseEvent down(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view()->viewport(), &down);
        QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view()->viewport(), &up);
        settle();
    }
    // The editor is open on `at` with `text`, and the cell still holds `kept`.
    void expectStillEditing(QModelIndex at, const QString& text, const std::string& kept)
    {
        ASSERT_NE(editor(), nullptr);
        EXPECT_TRUE(editor()->isVisible());
        EXPECT_EQ(editor()->text(), text);
        EXPECT_EQ(view()->currentIndex(), at);
        EXPECT_EQ(window.logic().grid.currentRow(), at.row() + 2);
        EXPECT_EQ(window.logic().grid.currentCol(), at.column());
        EXPECT_EQ(gridText(at.row(), at.column()), kept);
    }
};

TEST_F(RecordEditingView, EnterOnARefusedEditKeepsTheTextAValidOneCommitsAndMovesDown)
{
    typeInto(0, 4, "12345");
    press(Qt::Key_Return, "\r");
    expectStillEditing(cell(0, 4), "12345", "1.00");
    EXPECT_EQ(reason(), QString::fromUtf8("读数超出范围（最大 9999）"));
    press(Qt::Key_Return, "\r"); // again: still refused, nothing moves
    expectStillEditing(cell(0, 4), "12345", "1.00");

    press(Qt::Key_Backspace, "\b");
    press(Qt::Key_Return, "\r");
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(gridText(0, 4), "1234.00");
    EXPECT_EQ(window.logic().data().jlb[0].ds[0], 1234.0f);
    EXPECT_EQ(view()->currentIndex(), cell(1, 4));
    EXPECT_EQ(reason(), QString());

    typeInto(1, 2, "24:00");
    press(Qt::Key_Return, "\r");
    expectStillEditing(cell(1, 2), "24:00", "08:30");
    EXPECT_EQ(reason(), QString::fromUtf8("小时应为 00 至 23"));
    editor()->setText("0830");
    press(Qt::Key_Return, "\r");
    expectStillEditing(cell(1, 2), "0830", "08:30");
    EXPECT_EQ(reason(), QString::fromUtf8("时间格式应为 hh:mm"));
}

TEST_F(RecordEditingView, TabOnARefusedEditStaysAValidOneMovesToTheNextCell)
{
    typeInto(2, 3, "21");
    press(Qt::Key_Tab);
    expectStillEditing(cell(2, 3), "21", "3");
    EXPECT_EQ(reason(), QString::fromUtf8("循环数超出范围（最大 20）"));

    press(Qt::Key_Backspace, "\b");
    press(Qt::Key_Tab);
    EXPECT_EQ(gridText(2, 3), "2");
    EXPECT_EQ(view()->currentIndex(), cell(2, 4));
    EXPECT_EQ(reason(), QString());
}

TEST_F(RecordEditingView, ClickElsewhereReopensARefusedEditAndTakesAValidOne)
{
    typeInto(0, 5, "1234567");
    click(2, 8);
    expectStillEditing(cell(0, 5), "1234567", "1.00");
    EXPECT_EQ(reason(), QString::fromUtf8("读数最多 6 个字符"));

    editor()->setText("-0.5");
    click(2, 8);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(gridText(0, 5), "-0.50");
    EXPECT_EQ(view()->currentIndex(), cell(2, 8));
    EXPECT_EQ(window.logic().grid.currentRow(), 4);
    EXPECT_EQ(reason(), QString());
}

} // namespace
} // namespace pyx
