#pragma once
// The print options dialog "打印设置": six check boxes bound to PrintOptionsDialog.

#include <QDialog>
#include <array>

#include "reports/print_options.h"

class QCheckBox;

namespace pyx {

class PrintOptionsWidget : public QDialog
{
    Q_OBJECT
public:
    // Shows `logic`, which has been loaded and outlives the widget.
    PrintOptionsWidget(PrintOptionsDialog& logic, QWidget* parent);

    PrintOptionsDialog& logic() { return logic_; }
    QCheckBox* box(int index) const { return boxes_[index]; }

private:
    PrintOptionsDialog& logic_;
    std::array<QCheckBox*, 6> boxes_{};
};

} // namespace pyx
