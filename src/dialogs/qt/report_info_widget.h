#pragma once
// The "报告信息" dialog on screen: the company's fields and the project's side by side, bound
// to ReportInfoDialog.

#include <QDialog>

#include "dialogs/report_info_dialog.h"

namespace pyx {

class ReportInfoWidget : public QDialog
{
public:
    // Shows `logic`, which has been loaded and outlives the widget.
    ReportInfoWidget(ReportInfoDialog& logic, QWidget* parent);

private:
    ReportInfoDialog& logic_;
};

} // namespace pyx
