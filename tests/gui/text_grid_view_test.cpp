#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTableView>
#include <gtest/gtest.h>

#include "platform/qt/grid_model.h"
#include "platform/qt/qt_text_grid.h"

namespace pyx {
namespace {

// A record-table-like grid: two header rows, three data rows.
void fillGrid(TextGrid& g)
{
    g.setCols(6);
    g.setRows(5);
    g.setFixedRows(2);
    const char* top[] = {"序号", "荷载(kN)", "加载位移(mm)", "加载位移(mm)", "加载位移(mm)", "加载位移(mm)"};
    const char* second[] = {"序号", "荷载(kN)", "上表1", "上表2", "下表1", "下表2"};
    for (int c = 0; c < 6; ++c) {
        g.setText(0, c, top[c]);
        g.setText(1, c, second[c]);
        g.setColWidth(c, 835);
        g.setColAlign(c, CellAlign::Center);
    }
    for (int r = 2; r < 5; ++r) {
        g.setText(r, 0, std::to_string(r - 1));
        g.setText(r, 1, "100");
    }
    g.setMergeMode(MergeMode::FixedOnly);
    g.setMergeRow(0, true);
    g.setMergeCol(0, true);
    g.setMergeCol(1, true);
    g.setEditable(true);
}

QLineEdit* openEditor(QTableView* view, int row, int col)
{
    const QModelIndex cell = view->model()->index(row, col);
    view->setCurrentIndex(cell);
    view->edit(cell);
    return view->viewport()->findChild<QLineEdit*>();
}

void type(QWidget* editor, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(editor, &press);
}

void pressMouse(QTableView* view, int row, int col, Qt::MouseButton button)
{
    const QPoint at = view->visualRect(view->model()->index(row, col)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &press);
}

TEST(QtTextGrid, ShowsHeaderAndDataWithSpansAndWidths)
{
    TextGrid g;
    fillGrid(g);
    QtTextGrid w(g);
    QTableView* header = w.headerView();
    QTableView* data = w.dataView();
    ASSERT_EQ(header->model()->rowCount(), 2);
    ASSERT_EQ(data->model()->rowCount(), 3);
    EXPECT_EQ(header->rowSpan(0, 0), 2);
    EXPECT_EQ(header->rowSpan(0, 1), 2);
    EXPECT_EQ(header->columnSpan(0, 2), 4);
    EXPECT_EQ(header->rowSpan(0, 2), 1);
    EXPECT_EQ(data->rowSpan(0, 1), 1); // data cells do not merge under FixedOnly
    EXPECT_EQ(data->model()->index(2, 0).data().toString(), QString("3"));
    const int px = (835 * w.logicalDpiX() + 720) / 1440;
    EXPECT_EQ(data->columnWidth(3), px);
    EXPECT_EQ(header->columnWidth(3), px);
    EXPECT_FALSE(header->model()->flags(header->model()->index(1, 3)) & Qt::ItemIsEditable);

    // Changes show once the event loop runs: a new row and data merging.
    g.setRows(6);
    g.setText(5, 1, "100");
    g.setMergeMode(MergeMode::RestrictAll);
    g.setMergeCol(0, false);
    g.setColWidth(5, TextGrid::kDefaultWidth);
    g.setText(5, 5, "一段很长的说明文字");
    EXPECT_EQ(data->model()->rowCount(), 3);
    QApplication::processEvents();
    ASSERT_EQ(data->model()->rowCount(), 4);
    EXPECT_EQ(data->rowSpan(0, 1), 4);
    EXPECT_GT(data->columnWidth(5),
              w.fontMetrics().horizontalAdvance(QString::fromUtf8("一段很长的说明文字")));
}

TEST(QtTextGrid, EditorRunsKeyFilterValidationAndAfterEdit)
{
    TextGrid g;
    fillGrid(g);
    std::vector<std::string> events;
    g.onKeyPress = [&](int row, int col, int& key) {
        events.push_back("key " + std::to_string(row) + "," + std::to_string(col) + " " +
                         std::to_string(key));
        if (key == 'a')
            key = 0;
    };
    g.onValidate = [&](int, int, const std::string& text, bool& cancel) { cancel = text == "99"; };
    g.onAfterEdit = [&](int row, int col) {
        events.push_back("after " + std::to_string(row) + "," + std::to_string(col));
        g.setText(row, col, g.text(row, col) + ".00");
        g.focus();
    };
    QtTextGrid w(g);
    w.show();

    QLineEdit* editor = openEditor(w.dataView(), 1, 1); // grid row 3
    ASSERT_NE(editor, nullptr);
    editor->clear();
    type(editor, Qt::Key_9, "9");
    type(editor, Qt::Key_A, "a");
    type(editor, Qt::Key_9, "9");
    EXPECT_EQ(editor->text(), QString("99"));
    type(editor, Qt::Key_Return, "\r"); // refused: the editor stays with its text
    EXPECT_EQ(g.text(3, 1), "100");
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), QString("99"));

    type(editor, Qt::Key_Backspace, "\b");
    type(editor, Qt::Key_5, "5");
    type(editor, Qt::Key_Return, "\r");
    QApplication::processEvents();
    EXPECT_EQ(g.text(3, 1), "95.00");
    EXPECT_EQ(w.dataView()->model()->index(1, 1).data().toString(), QString("95.00"));
    EXPECT_EQ(events, (std::vector<std::string>{"key 3,1 57", "key 3,1 97", "key 3,1 57", "key 3,1 13",
                                                "key 3,1 8", "key 3,1 53", "key 3,1 13", "after 3,1"}));
    EXPECT_EQ(w.dataView()->viewport()->findChild<QLineEdit*>(), nullptr);
}

TEST(QtTextGrid, EditRefusedWhenLeavingTheCellReopensWithTheText)
{
    TextGrid g;
    fillGrid(g);
    g.onValidate = [&](int, int, const std::string& text, bool& cancel) { cancel = text == "bad"; };
    QtTextGrid w(g);
    w.show();
    QLineEdit* editor = openEditor(w.dataView(), 0, 1);
    ASSERT_NE(editor, nullptr);
    editor->setText("bad");
    w.dataView()->setCurrentIndex(w.dataView()->model()->index(2, 3)); // the user moves on
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(g.text(2, 1), "100");
    editor = w.dataView()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QString("bad"));
    EXPECT_EQ(w.dataView()->currentIndex(), w.dataView()->model()->index(0, 1));
    EXPECT_EQ(g.currentRow(), 2);
}

TEST(QtTextGrid, MouseAndCurrentCellReachTheGrid)
{
    TextGrid g;
    fillGrid(g);
    std::vector<std::array<int, 3>> presses;
    g.onMouseDown = [&](int button, int row, int col) { presses.push_back({button, row, col}); };
    QtTextGrid w(g);
    w.resize(600, 300);
    w.show();

    pressMouse(w.dataView(), 1, 2, Qt::RightButton);
    pressMouse(w.headerView(), 1, 4, Qt::LeftButton);
    pressMouse(w.headerView(), 1, 0, Qt::RightButton); // inside the merged "序号"
    const std::vector<std::array<int, 3>> expected = {{2, 3, 2}, {1, 1, 4}, {2, 0, 0}};
    EXPECT_EQ(presses, expected);

    g.setCurrent(4, 3);
    QApplication::processEvents();
    EXPECT_EQ(w.dataView()->currentIndex(), w.dataView()->model()->index(2, 3));
    w.dataView()->setCurrentIndex(w.dataView()->model()->index(0, 5));
    EXPECT_EQ(g.currentRow(), 2);
    EXPECT_EQ(g.currentCol(), 5);
}

// A sync after an edit names only the cells whose texts changed, so the views repaint those
// cells; a sync without changes names none, and a changed alignment or shape names all.
TEST(GridModel, SyncTellsTheViewsWhichTextsChanged)
{
    TextGrid g;
    fillGrid(g);
    GridModel model(g, GridModel::Part::Data);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    model.sync();
    EXPECT_EQ(changed.count(), 0);

    g.setText(3, 1, "120");
    g.setText(4, 3, "0.25");
    model.sync();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(1, 1));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(2, 3));
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), "120");

    changed.clear();
    g.setColAlign(5, CellAlign::Right);
    model.sync();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(0, 0));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(2, 5));

    changed.clear();
    g.setRows(6);
    g.setText(5, 1, "140");
    model.sync();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 4);
    g.setText(5, 1, "160");
    model.sync();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(3, 1));
}

} // namespace
} // namespace pyx
