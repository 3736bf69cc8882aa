#pragma once
// The project information dialog on screen: shows ProjectInfoDialog and forwards the
// user's edits, Enter keys and buttons to it.

#include <QDialog>
#include <array>

#include "dialogs/project_info.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pyx {

class ProjectInfoWidget : public QDialog
{
    Q_OBJECT
public:
    // Shows `logic`, which has been loaded and outlives the widget.
    ProjectInfoWidget(ProjectInfoDialog& logic, QWidget* parent);

    ProjectInfoDialog& logic() { return logic_; }
    QLineEdit* field(int index) const { return fields_[index]; }
    QPushButton* okButton() const { return ok_; }

private:
    void showState();
    void applyFocus();

    ProjectInfoDialog& logic_;
    std::array<QLineEdit*, ProjectInfoDialog::kFieldCount> fields_{};
    std::array<QRadioButton*, 4> options_{}; // Option1..Option4
    QLabel* factor_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace pyx
