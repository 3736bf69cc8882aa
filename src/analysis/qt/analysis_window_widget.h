#pragma once
// The analysis window on screen: the three suggestions side by side (curve with the fitted
// segments, loads, residuals), the disagreement flag, the inputs of m, the m tables, the
// characteristic value and the schedule check. It shows the state of its AnalysisWindow and
// forwards the user's input to it.

#include <QDialog>

#include <array>

#include "analysis/analysis_window.h"
#include "platform/canvas.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace pyx {

// A drawing of the analysis, painted at the widget's size.
class PlotView : public QWidget
{
public:
    explicit PlotView(QWidget* parent = nullptr);
    void setDrawing(Drawing drawing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Drawing drawing_;
};

class AnalysisWindowWidget : public QDialog
{
public:
    AnalysisWindowWidget(AnalysisWindow& logic, QWidget* parent = nullptr);

private:
    QHBoxLayout* buildMethods();
    QGroupBox* buildInputs();
    QGroupBox* buildM();
    QGroupBox* buildSchedule();
    QHBoxLayout* buildButtons();
    void refresh();
    void fillRules();
    void bindInput(QLineEdit* edit, bool (AnalysisWindow::*set)(const std::string&),
                   std::string AnalysisWindow::*text);

    AnalysisWindow& logic_;
    std::array<PlotView*, 3> plots_{};
    std::array<QLabel*, 3> loads_{};
    std::array<QTableWidget*, 3> residuals_{};
    QLabel* disagree_ = nullptr;
    QLabel* widthNote_ = nullptr;
    QTableWidget* mTable_ = nullptr;
    QLabel* mNotes_ = nullptr;
    QTableWidget* hmTable_ = nullptr;
    QTableWidget* ymTable_ = nullptr;
    QLabel* characteristic_ = nullptr;
    QTableWidget* schedule_ = nullptr;
    QLabel* scheduleNote_ = nullptr;
    QComboBox* rule_ = nullptr;
    QLineEdit* allowable_ = nullptr;
};

} // namespace pyx
