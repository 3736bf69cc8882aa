#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>
#include <memory>

#include "analysis/qt/analysis_window_widget.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "reports/qt/print_options_widget.h"

namespace pyx {
namespace {

// The analysis window on the sample with known breaks, as the main window opens it.
struct AnalysisWindowView : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow window{*d, dialogs, std::string()};
    std::unique_ptr<AnalysisWindow> logic;

    AnalysisWindowView()
    {
        window.load(1366);
        window.files.openPath(std::string(PYX_SOURCE_DIR) + "/samples/logger_analysis.pyx");
        logic = std::make_unique<AnalysisWindow>(*d, window.grid.rows(), dialogs);
        logic->load();
    }
};

TEST_F(AnalysisWindowView, ShowsTheSuggestionsSideBySideAndFollowsTheInputs)
{
    AnalysisWindowWidget w(*logic, nullptr);
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("试验分析"));
    for (int k = 0; k < 3; ++k) {
        const QString loads = w.findChild<QLabel*>(QStringLiteral("lblLoads%1").arg(k))->text();
        EXPECT_TRUE(loads.contains(QString::fromUtf8("Hcr = 250 kN（第5级）"))) << loads.toStdString();
        EXPECT_TRUE(loads.contains(QString::fromUtf8("Hu = 450 kN（第9级）"))) << loads.toStdString();
    }
    // Residuals, one row a stage.
    EXPECT_EQ(w.findChild<QTableWidget*>("tblResiduals0")->rowCount(), 12);
    EXPECT_TRUE(w.findChild<QLabel*>("lblDisagree")->text().isEmpty());
    EXPECT_EQ(w.findChild<QLineEdit*>("txtWidth")->text(), "0.8");
    QTableWidget* m = w.findChild<QTableWidget*>("tblM");
    ASSERT_EQ(m->rowCount(), 3);
    EXPECT_EQ(m->item(0, 5)->text(), QString::fromUtf8("—"));

    auto* ei = w.findChild<QLineEdit*>("txtEI");
    ei->setText("4e5");
    emit ei->editingFinished();
    auto* h = w.findChild<QLineEdit*>("txtEmbedded");
    h->setText("24");
    emit h->editingFinished();
    EXPECT_NE(m->item(0, 5)->text(), QString::fromUtf8("—"));
    EXPECT_EQ(w.findChild<QTableWidget*>("tblHm")->rowCount(), 12);

    // A refused text goes back to the value before.
    h->setText("-3");
    emit h->editingFinished();
    EXPECT_EQ(h->text(), "24");
    EXPECT_FALSE(dialogs.messages.empty());

    w.findChild<QComboBox*>("cboRule")->setCurrentIndex(1);
    EXPECT_TRUE(w.findChild<QLabel*>("lblCharacteristic")->text().contains("10mm"));
    QTableWidget* schedule = w.findChild<QTableWidget*>("tblSchedule");
    ASSERT_EQ(schedule->rowCount(), 1);
    EXPECT_EQ(schedule->item(0, 0)->text(), "72");
}

TEST_F(AnalysisWindowView, AdoptPassesTheChosenSuggestion)
{
    std::pair<int, int> passed{0, 0};
    logic->adoptSuggestion = [&](int a, int b) { passed = {a, b}; };
    AnalysisWindowWidget w(*logic, nullptr);
    w.findChild<QComboBox*>("cboAdopt")->setCurrentIndex(2);
    w.findChild<QPushButton*>("cmdAdopt")->click();
    EXPECT_EQ(passed, (std::pair<int, int>{5, 9}));
    EXPECT_EQ(logic->chosen, SuggestionMethod::Kink);
}

TEST(PrintOptionsAnalysisBox, TickedBoxSelectsTheAnalysisPages)
{
    auto d = std::make_unique<TestData>();
    d->csz[73] = "1";
    ScriptedDialogs dialogs;
    MainWindow window{*d, dialogs, std::string()};
    PrintOptionsDialog logic{*d, dialogs, window};
    logic.load();
    PrintOptionsWidget dlg(logic, nullptr);
    auto* box = dlg.findChild<QCheckBox*>("chkAnalysis");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), QString::fromUtf8("分析结果"));
    EXPECT_FALSE(box->isChecked());
    box->click();
    dlg.findChild<QPushButton*>("cmdCommand1")->click();
    EXPECT_EQ(d->csz[80], "1");
}

} // namespace
} // namespace pyx
