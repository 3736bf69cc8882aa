// The window "多桩统计" on screen with the six sample piles of one unit project.
// PYX_STATS_SCREENSHOT=FILE.png saves a picture of the window as the test leaves it.

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <cstdlib>
#include <gtest/gtest.h>

#include "dialogs/qt/stats_window_widget.h"
#include "mainwin/qt/main_window_widget.h"
#include "modal_script.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

SettingsTable gaugesInUse()
{
    SettingsTable s{};
    for (int e = 10; e <= 13; ++e)
        s[e] = "1";
    return s;
}

template <class W> W* child(QWidget& parent, const char* name)
{
    W* w = parent.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST(StatsWindowView, SixPilesStepsAndTheCharacteristicValue)
{
    ScriptedDialogs dialogs;
    StatsWindow logic(gaugesInUse(), dialogs);
    StatsWindowWidget widget(logic, nullptr);
    logic.addFolder(std::string(PYX_SOURCE_DIR) + "/samples/unit");

    QTableWidget* table = widget.table();
    ASSERT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->item(0, 0)->text(), "SZ-01");
    EXPECT_EQ(table->item(5, 6)->text(), "600");
    EXPECT_EQ(table->item(5, 7)->text(), "720");
    // The analysis' suggestions beside the marks, every method in the tooltip.
    EXPECT_EQ(table->item(0, 9)->text().toStdString(), suggestionText(logic.summary().rows[0]));
    EXPECT_NE(table->item(0, 9)->text(), QString::fromUtf8("—"));
    EXPECT_TRUE(table->item(0, 9)->toolTip().contains("lgH0-lgY0"));

    // Hcr: two values to leave out, one click each, then the confirmation.
    auto* leaveOut = child<QPushButton>(widget, "leaveOut0");
    auto* confirm = child<QPushButton>(widget, "confirm0");
    auto* result = child<QLabel>(widget, "result");
    EXPECT_EQ(leaveOut->text(), QString::fromUtf8("剔除 SZ-06（600）"));
    EXPECT_FALSE(confirm->isEnabled());
    EXPECT_TRUE(result->text().contains(QString::fromUtf8("统计值待确认")));
    leaveOut->click();
    leaveOut->click();
    EXPECT_FALSE(leaveOut->isEnabled());
    ASSERT_TRUE(confirm->isEnabled());
    confirm->click();
    EXPECT_TRUE(result->text().startsWith(QString::fromUtf8("单桩水平承载力特征值 Ra = 303.7 kN ")));
    EXPECT_TRUE(child<QLabel>(widget, "warnings")->text().isEmpty());

    // Moving a row keeps the selection on it.
    table->selectRow(5);
    child<QPushButton>(widget, "moveUp")->click();
    EXPECT_EQ(table->item(4, 0)->text(), "SZ-06");
    EXPECT_EQ(table->selectionModel()->selectedRows().front().row(), 4);

    // The PDF through the save dialog.
    const test::TempDir dir;
    dialogs.fileNames.push_back(dir.file("s.pdf"));
    child<QPushButton>(widget, "exportPdf")->click();
    EXPECT_FALSE(test::TempDir::read(dir.file("s.pdf")).empty());
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, "PDF文件导出结束！");

    if (const char* shot = std::getenv("PYX_STATS_SCREENSHOT")) {
        widget.show();
        widget.grab().save(QString::fromLocal8Bit(shot));
    }
}

// The analysis menu of the main window opens the window over it; the open test is not touched.
TEST(StatsWindowView, OpensFromTheAnalysisMenu)
{
    MainWindowWidget window;
    window.show();
    window.start();
    QMenu* menu = window.findChild<QMenu*>("mnuAnalysis");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QString::fromUtf8("分析(&A)"));
    QAction* stats = nullptr;
    QAction* analyse = nullptr;
    for (QAction* a : menu->actions()) {
        if (a->objectName() == QLatin1String("miAstats"))
            stats = a;
        if (a->objectName() == QLatin1String("miAanalyse"))
            analyse = a;
    }
    ASSERT_NE(stats, nullptr);
    ASSERT_NE(analyse, nullptr);
    // With no test open the statistics, which open their own files, are on; the analysis is not.
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_TRUE(stats->isEnabled());
    EXPECT_FALSE(analyse->isEnabled());
    EXPECT_EQ(stats->text(), QString::fromUtf8("多桩统计"));
    QString title;
    {
        test::ModalScript script;
        script.then([&title](QWidget* modal) {
            title = modal->windowTitle();
            qobject_cast<QDialog*>(modal)->reject();
        });
        stats->trigger();
        QApplication::processEvents();
    }
    EXPECT_EQ(title, QString::fromUtf8("多桩统计"));
    EXPECT_TRUE(window.logic().data().curfile.empty());
}

} // namespace
} // namespace pyx
