#pragma once
// The parameter setup dialog on screen: shows ParameterSetupDialog and forwards the
// user's edits, Enter keys and buttons to it.

#include <QDialog>
#include <array>
#include <memory>

#include "dialogs/parameter_setup.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace pyx {

class ParameterSetupWidget : public QDialog
{
    Q_OBJECT
public:
    // Shows `logic`, which has been loaded and outlives the widget.
    ParameterSetupWidget(ParameterSetupDialog& logic, QWidget* parent);
    // Shows `logic` and keeps it while the widget lives (the window that does not block).
    ParameterSetupWidget(std::unique_ptr<ParameterSetupDialog> logic, QWidget* parent);

    ParameterSetupDialog& logic() { return logic_; }
    QLineEdit* field(int index) const { return fields_[index]; }
    QCheckBox* gauge(int index) const { return gauges_[index]; }
    QPushButton* okButton() const { return ok_; }

private:
    void showState();
    void applyFocus();

    std::unique_ptr<ParameterSetupDialog> owned_;
    ParameterSetupDialog& logic_;
    std::array<QLineEdit*, 9> fields_{};
    std::array<QCheckBox*, 4> gauges_{};
    QComboBox* port1_ = nullptr;
    QComboBox* port2_ = nullptr;
    std::array<QCheckBox*, 3> options_{}; // chkCheck2..4
    QPushButton* ok_ = nullptr;
};

} // namespace pyx
