#pragma once
// The about box (frmAbout): the version line of the window title and a short notice.

#include <QDialog>

namespace pyx {

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent);
};

} // namespace pyx
