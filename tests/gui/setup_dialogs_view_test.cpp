#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

#include "dialogs/qt/parameter_setup_widget.h"
#include "dialogs/qt/project_info_widget.h"
#include "dialogs/qt/report_info_widget.h"
#include "mainwin/main_window.h"
#include "platform/qt/qt_text_grid.h"
#include "platform/scripted_dialogs.h"
#include "rawview/qt/raw_view_widget.h"
#include "reports/report_info.h"
#include "support/config_home.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

void typeInto(QLineEdit* edit, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &press);
}

struct SetupDialogsView : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, std::string()};
};

TEST_F(SetupDialogsView, ProjectInfoTypingRecomputesTheFactorAndEnterMovesOn)
{
    ProjectInfoDialog logic{*d, w, dialogs};
    logic.load();
    ProjectInfoWidget dlg(logic, nullptr);
    EXPECT_EQ(dlg.findChild<QLabel*>("Label8")->text(), QString::fromUtf8("标定系数： 2.077"));
    QLineEdit* jacks = dlg.field(12);
    jacks->selectAll();
    typeInto(jacks, Qt::Key_2, "2");
    EXPECT_EQ(dlg.logic().text2[12], "2");
    EXPECT_EQ(dlg.findChild<QLabel*>("Label8")->text(), QString::fromUtf8("标定系数： 1.038"));

    typeInto(dlg.field(0), Qt::Key_Return, "\r");
    EXPECT_EQ(dlg.logic().focus, 1);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.logic().closed);
}

TEST_F(SetupDialogsView, ProjectInfoShowsRestoredDataDisabled)
{
    d->restored = true;
    d->csz[56] = "1";
    d->csz[58] = "QJ-7";
    ProjectInfoDialog logic{*d, w, dialogs};
    logic.load();
    ProjectInfoWidget dlg(logic, nullptr);
    EXPECT_EQ(dlg.field(6)->text(), "QJ-7");
    EXPECT_FALSE(dlg.field(6)->isEnabled());
    EXPECT_TRUE(dlg.field(0)->isEnabled());
    EXPECT_TRUE(dlg.findChild<QWidget*>("Option2")->property("checked").toBool());
}

TEST_F(SetupDialogsView, ParameterSetupBindsItsControls)
{
    d->csz[56] = "1";
    d->csz[10] = "1";
    d->csz[16] = "5";
    ParameterSetupDialog logic{*d, w};
    logic.load();
    ParameterSetupWidget dlg(logic, nullptr);
    EXPECT_EQ(dlg.field(8)->text(), "0");
    EXPECT_FALSE(dlg.field(8)->isEnabled());
    ASSERT_TRUE(dlg.gauge(0)->isChecked());
    dlg.gauge(0)->setChecked(false);
    dlg.okButton()->click();
    EXPECT_EQ(d->csz[10], "0");
    EXPECT_EQ(d->ysd[31].s20a.trimmed(), "0");
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST_F(SetupDialogsView, RawViewShowsTheHeaderAndTheReadings)
{
    for (auto& r : d->ysd)
        r.sj2.set(kUnusedTime);
    d->ysd[0].s20d.set("120");
    d->ysd[1].sj2.set("08:30");
    d->ysd[1].u[2] = 0.125f;
    d->ysd[31].s20a.set("1");
    d->ysn2 = 2;
    d->ysview = 3;
    RawViewWidget dlg(*d, nullptr);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(" 原始数据"));
    EXPECT_EQ(dlg.findChild<QLabel*>("Label3_0")->text(), QString::fromUtf8("千斤顶缸径：120.0"));
    ASSERT_NE(dlg.gridWidget(), nullptr);
    EXPECT_EQ(dlg.view().label3[10], "压力计算方式：计算");
    EXPECT_EQ(d->ysd[0].sj2.text(), "--:--");
}

TEST_F(SetupDialogsView, ReportInfoFieldsWriteTheirFilesOnOk)
{
    test::TempDir dir;
    const test::ScopedConfigHome home(dir.file("config"));
    d->curfile = dir.write("SZ-1.pyx", "");
    d->jlb[0].cstr.set("某工程");
    ReportInfoDialog logic{*d, dialogs};
    logic.load();
    ReportInfoWidget dlg(logic, nullptr);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("报告信息"));
    // An empty project name shows what the report prints instead.
    EXPECT_TRUE(
        dlg.findChild<QLineEdit*>("project")->placeholderText().contains(QString::fromUtf8("某工程")));
    dlg.findChild<QLineEdit*>("company")->setText(QString::fromUtf8(" 某检测公司 "));
    dlg.findChild<QLineEdit*>("report_number")->setText("HZ-7");
    dlg.findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const ReportInfo back = readReportInfo(d->curfile);
    EXPECT_EQ(back.company.name, "某检测公司");
    EXPECT_EQ(back.project.reportNumber, "HZ-7");
}

} // namespace
} // namespace pyx
