#pragma once
// The mark dialog (frmmark) on screen: binds its boxes, the clear-marks tick and the two
// buttons to a MarkDialog.

#include <QDialog>
#include <array>

#include "curves/mark_dialog.h"

class QLabel;
class QLineEdit;

namespace pyx {

class MarkDialogWidget : public QDialog
{
    Q_OBJECT
public:
    MarkDialogWidget(MarkDialog& logic, QWidget* parent = nullptr);

    QLineEdit* box(int index) const { return boxes_[static_cast<std::size_t>(index)]; }
    // The load of the stage typed in stage-number box 0 or 1.
    QLabel* load(int index) const { return loads_[static_cast<std::size_t>(index)]; }
    // "确定": stores the boxes and closes.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBoxes();
    void showLoads();

    MarkDialog& logic_;
    std::array<QLineEdit*, 4> boxes_{}; // Text1(0) .. Text1(3)
    std::array<QLabel*, 2> loads_{};
};

} // namespace pyx
