#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "reports/qt/print_options_widget.h"

namespace pyx {
namespace {

TEST(PrintOptionsView, BoxesShowAndChangeTheSelections)
{
    auto d = std::make_unique<TestData>();
    d->csz[70] = "1";
    d->csz[79] = "1";
    ScriptedDialogs dialogs;
    MainWindow window{*d, dialogs, std::string()};
    PrintOptionsDialog logic{*d, dialogs, window};
    logic.load();
    PrintOptionsWidget dlg(logic, nullptr);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("打印设置"));
    EXPECT_TRUE(dlg.findChild<QCheckBox*>("chkCheck1")->isChecked());
    EXPECT_TRUE(dlg.findChild<QCheckBox*>("chkCheck6")->isChecked());
    EXPECT_EQ(dlg.findChild<QCheckBox*>("chkCheck3")->text(), QString::fromUtf8("H0-t-x0曲线"));

    dlg.findChild<QCheckBox*>("chkCheck4")->click();
    EXPECT_EQ(d->csz[73], "1");
    // The report front is off until ticked, and stored with the confirm.
    QCheckBox* front = dlg.findChild<QCheckBox*>("chkFront");
    ASSERT_NE(front, nullptr);
    EXPECT_FALSE(front->isChecked());
    EXPECT_EQ(front->text(), QString::fromUtf8("报告封面与结论"));
    front->click();
    // Reduced curves with a curve ticked: confirm closes the dialog.
    dlg.findChild<QPushButton*>("cmdCommand1")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(d->csz[79], "1");
    EXPECT_EQ(d->csz[82], "1");
}

} // namespace
} // namespace pyx
