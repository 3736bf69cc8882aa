#include "dialogs/qt/parameter_setup_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/line_edit_enter.h"
#include "platform/qt/ok_exit_buttons.h"

namespace pyx {
namespace {

constexpr const char* kFieldLabels[] = {
    "标定系数",         "当前控载值(KN)",   "补载下限(KN)",
    "单级加荷值(KN)",   "最大加荷值(KN)",   "最大允许位移(mm)",
    "加载时间值(分钟)", "卸载时间值(分钟)", "双油路千斤顶\n卸载预留时间(秒)"};
constexpr const char* kGaugeLabels[] = {"1#位移  上表", "2#位移  上表", "1#位移  下表", "2#位移  下表"};
constexpr const char* kOptionLabels[] = {"“手动记录”数据显示", "系统自动调整坐标", "显示简易汇总表"};

QComboBox* portList(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (int i = 0; i < ParameterSetupDialog::kPortCount; ++i)
        combo->addItem(QString::fromStdString(ParameterSetupDialog::portName(i)));
    return combo;
}

} // namespace

ParameterSetupWidget::ParameterSetupWidget(std::unique_ptr<ParameterSetupDialog> logic, QWidget* parent)
    : ParameterSetupWidget(*logic, parent)
{
    owned_ = std::move(logic);
}

ParameterSetupWidget::ParameterSetupWidget(ParameterSetupDialog& logic, QWidget* parent)
    : QDialog(parent), logic_(logic)
{
    setObjectName("frmcssz");
    setWindowTitle(QString::fromUtf8("参数设置"));

    auto* load = new QGroupBox(QString::fromUtf8("控载数据设定"), this);
    auto* loadForm = new QFormLayout(load);
    loadForm->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int i = 0; i < 9; ++i) {
        fields_[i] = new QLineEdit(load);
        fields_[i]->setObjectName(QString("Text1_%1").arg(i));
        fields_[i]->setMinimumWidth(120);
        auto* label = new QLabel(QString::fromUtf8(kFieldLabels[i]), load);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        loadForm->addRow(label, fields_[i]);
    }

    auto* channels = new QGroupBox(QString::fromUtf8("位移通道"), this);
    auto* channelGrid = new QGridLayout(channels);
    for (int i = 0; i < 4; ++i) {
        gauges_[i] = new QCheckBox(QString::fromUtf8(kGaugeLabels[i]), channels);
        gauges_[i]->setObjectName(QString("Check1_%1").arg(i));
        channelGrid->addWidget(gauges_[i], i / 2, i % 2);
    }

    auto* ports = new QGroupBox(QString::fromUtf8("通讯串口"), this);
    auto* portForm = new QFormLayout(ports);
    port1_ = portList(ports, "Combo1");
    portForm->addRow(QString::fromUtf8("串口选择"), port1_);

    auto* others = new QGroupBox(QString::fromUtf8("其它设置"), this);
    auto* otherLayout = new QVBoxLayout(others);
    auto* port2Form = new QFormLayout;
    port2_ = portList(others, "Combo2");
    port2Form->addRow(QString::fromUtf8("串口选择"), port2_);
    otherLayout->addLayout(port2Form);
    const char* optionNames[] = {"chkCheck2", "chkCheck3", "chkCheck4"};
    for (int i = 0; i < 3; ++i) {
        options_[i] = new QCheckBox(QString::fromUtf8(kOptionLabels[i]), others);
        options_[i]->setObjectName(optionNames[i]);
        otherLayout->addWidget(options_[i]);
    }

    auto* right = new QVBoxLayout;
    right->addWidget(channels);
    right->addWidget(ports);
    right->addWidget(others);
    right->addStretch(1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(load);
    groups->addLayout(right);

    const OkExitButtons buttonRow = makeOkExitButtons(this);
    ok_ = buttonRow.ok;
    QPushButton* exit = buttonRow.exit;
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(groups);
    outer->addLayout(buttonRow.row);

    for (int i = 0; i < 9; ++i) {
        connect(fields_[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { logic_.text1[i] = text.toStdString(); });
        new EnterKeyFilter(fields_[i], [this, i] {
            logic_.enter(i);
            applyFocus();
        });
    }
    for (int i = 0; i < 4; ++i)
        connect(gauges_[i], &QCheckBox::toggled, this, [this, i](bool on) { logic_.gauges[i] = on; });
    connect(options_[0], &QCheckBox::toggled, this, [this](bool on) { logic_.showManual = on; });
    connect(options_[1], &QCheckBox::toggled, this, [this](bool on) { logic_.autoAxis = on; });
    connect(options_[2], &QCheckBox::toggled, this, [this](bool on) { logic_.simpleSummary = on; });
    connect(port1_, &QComboBox::currentIndexChanged, this, [this](int i) { logic_.port1 = i; });
    connect(port2_, &QComboBox::currentIndexChanged, this, [this](int i) { logic_.port2 = i; });
    connect(ok_, &QPushButton::clicked, this, [this] {
        logic_.ok();
        accept();
    });
    connect(exit, &QPushButton::clicked, this, [this] {
        logic_.exit();
        reject();
    });

    showState();
    applyFocus();
}

void ParameterSetupWidget::showState()
{
    // Setting the controls reports back the values they already hold.
    for (int i = 0; i < 9; ++i)
        fields_[i]->setText(QString::fromStdString(logic_.text1[i]));
    fields_[8]->setEnabled(logic_.reserveTimeEnabled);
    for (int i = 0; i < 4; ++i)
        gauges_[i]->setChecked(logic_.gauges[i]);
    options_[0]->setChecked(logic_.showManual);
    options_[1]->setChecked(logic_.autoAxis);
    options_[2]->setChecked(logic_.simpleSummary);
    port1_->setCurrentIndex(logic_.port1);
    port2_->setCurrentIndex(logic_.port2);
}

void ParameterSetupWidget::applyFocus()
{
    if (logic_.focus == ParameterSetupDialog::kOkButton)
        ok_->setFocus();
    else if (logic_.focus >= 0 && logic_.focus < 9)
        fields_[logic_.focus]->setFocus();
}

} // namespace pyx
