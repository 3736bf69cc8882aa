#include "reports/qt/print_options_widget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/ok_exit_buttons.h"

namespace pyx {

PrintOptionsWidget::PrintOptionsWidget(PrintOptionsDialog& logic, QWidget* parent)
    : QDialog(parent), logic_(logic)
{
    setObjectName("frmprintsz");
    setWindowTitle(QString::fromUtf8("打印设置"));

    auto* outer = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QString::fromUtf8(PrintOptionsDialog::kFrameCaption), this);
    auto* grid = new QGridLayout(frame);
    for (int k = 0; k < 6; ++k) {
        auto* box = new QCheckBox(QString::fromUtf8(PrintOptionsDialog::kCaptions[k]), frame);
        box->setObjectName(QString("chkCheck%1").arg(k + 1));
        box->setChecked(logic_.checked[k]);
        connect(box, &QCheckBox::toggled, this, [this, k](bool on) { logic_.toggled(k, on); });
        grid->addWidget(box, k / 2, k % 2);
        boxes_[k] = box;
    }
    // The added selections, stored on confirm.
    const struct
    {
        const char* caption;
        const char* name;
        bool* flag;
    } added[] = {{PrintOptionsDialog::kAnalysisCaption, "chkAnalysis", &logic_.analysis},
                 {PrintOptionsDialog::kChangeRecordCaption, "chkChangeRecord", &logic_.changeRecord},
                 {PrintOptionsDialog::kFrontCaption, "chkFront", &logic_.front}};
    for (int k = 0; k < 3; ++k) {
        auto* box = new QCheckBox(QString::fromUtf8(added[k].caption), frame);
        box->setObjectName(added[k].name);
        box->setChecked(*added[k].flag);
        bool* flag = added[k].flag;
        connect(box, &QCheckBox::toggled, this, [flag](bool on) { *flag = on; });
        grid->addWidget(box, 3 + k / 2, k % 2);
    }
    outer->addWidget(frame);

    const OkExitButtons buttons = makeOkExitButtons(this);
    buttons.ok->setObjectName("cmdCommand1");
    buttons.exit->setObjectName("cmdCommand2");
    outer->addLayout(buttons.row);
    connectOkExit(
        *this, buttons,
        [this] {
            logic_.confirm();
            return logic_.closed;
        },
        [this] { logic_.exit(); });
}

} // namespace pyx
