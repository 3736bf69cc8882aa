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
    auto* analysis = new QCheckBox(QString::fromUtf8(PrintOptionsDialog::kAnalysisCaption), frame);
    analysis->setObjectName("chkAnalysis");
    analysis->setChecked(logic_.analysis);
    connect(analysis, &QCheckBox::toggled, this, [this](bool on) { logic_.analysis = on; });
    grid->addWidget(analysis, 3, 0);
    auto* changes = new QCheckBox(QString::fromUtf8(PrintOptionsDialog::kChangeRecordCaption), frame);
    changes->setObjectName("chkChangeRecord");
    changes->setChecked(logic_.changeRecord);
    connect(changes, &QCheckBox::toggled, this, [this](bool on) { logic_.changeRecord = on; });
    grid->addWidget(changes, 3, 1);
    outer->addWidget(frame);

    const OkExitButtons buttons = makeOkExitButtons(this);
    buttons.ok->setObjectName("cmdCommand1");
    buttons.exit->setObjectName("cmdCommand2");
    outer->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        logic_.confirm();
        if (logic_.closed)
            accept();
    });
    connect(buttons.exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { logic_.exit(); });
}

} // namespace pyx
