#pragma once
// The window "多桩统计" on screen: the file buttons, the table of the piles, the statistics of
// Hcr, Hu and the load at the allowed displacement with their steps and decisions, the rule of
// the characteristic value, and the summary report's preview, print, PDF and Word export; bound
// to StatsWindow.

#include <QDialog>
#include <array>

#include "dialogs/stats_window.h"
#include "platform/qt/qt_text_measure.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace pyx {

class StatsWindowWidget : public QDialog
{
    Q_OBJECT
public:
    StatsWindowWidget(StatsWindow& logic, QWidget* parent);

    StatsWindow& logic() { return logic_; }
    QTableWidget* table() const { return table_; }

    // The commands of the buttons, as a click runs them.
    void addFiles();
    void addFolder();
    void preview();
    void print();
    void exportPdf();
    void exportWord();
    void exportExcel();

private:
    // The controls of one statistics.
    struct StatsBox
    {
        QGroupBox* box = nullptr;
        QLabel* lines = nullptr;
        QPushButton* leaveOut = nullptr;
        QPushButton* confirm = nullptr;
        QLineEdit* value = nullptr;
        QLineEdit* reason = nullptr;
        QPushButton* useValue = nullptr;
        QPushButton* byRule = nullptr;
    };

    QWidget* buildFileButtons();
    QWidget* buildStatsBox(PileQuantity q);
    QWidget* buildRule();
    QWidget* buildReportButtons();
    void showLogic();
    void showTable();
    void showStats(PileQuantity q);
    void ruleChosen(int index);
    int selectedRow() const;
    void selectRow(int row);

    StatsWindow& logic_;
    QtTextMeasure measure_;
    QTableWidget* table_ = nullptr;
    std::array<StatsBox, 3> boxes_;
    QComboBox* rule_ = nullptr;
    QComboBox* standard_ = nullptr;
    QCheckBox* cap_ = nullptr;
    QLineEdit* allowable_ = nullptr;
    QLineEdit* ruleValue_ = nullptr;
    QLineEdit* ruleReason_ = nullptr;
    QPushButton* useRuleValue_ = nullptr;
    QLabel* result_ = nullptr;
    QLabel* warnings_ = nullptr;
    std::array<QSpinBox*, 3> tolerance_{};
    bool syncing_ = false;
};

} // namespace pyx
