#include "dialogs/qt/project_info_widget.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/qt/line_edit_enter.h"
#include "platform/qt/ok_exit_buttons.h"

namespace pyx {
namespace {

struct FieldLabel
{
    int index;
    const char* label;
};

constexpr FieldLabel kProjectFields[] = {{0, "工程名称"}, {1, "试桩编号"}, {2, "测试日期"},
                                         {3, "桩    径"}, {4, "桩    长"}, {5, "上下表距(mm)"}};
constexpr FieldLabel kJackFields[] = {
    {6, "千斤顶编号"}, {13, "额定油压(MPa)"}, {8, "额定出力(kN)"}, {12, "千斤顶并联台数"}};
constexpr FieldLabel kSensorFields[] = {
    {9, "传感器编号"}, {10, "传感器量程(MPa)"}, {11, "传感器灵敏度(mv/V)"}};

// Checks one of a pair of option buttons, or neither (index -1).
void choose(QButtonGroup* group, QRadioButton* first, QRadioButton* second, int index)
{
    group->setExclusive(false);
    first->setChecked(index == 0);
    second->setChecked(index == 1);
    group->setExclusive(true);
}

} // namespace

ProjectInfoWidget::ProjectInfoWidget(ProjectInfoDialog& logic, QWidget* parent)
    : QDialog(parent), logic_(logic)
{
    setObjectName("frmgcxx");
    setWindowTitle(QString::fromUtf8("工程信息"));

    auto* outer = new QVBoxLayout(this);
    auto* heading = new QLabel(QString::fromUtf8("请输入以下工程信息"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.2);
    heading->setFont(headingFont);
    outer->addWidget(heading);

    const auto makeGroup = [this](const char* title, const auto& fields, QFormLayout*& form) {
        auto* box = new QGroupBox(QString::fromUtf8(title), this);
        form = new QFormLayout(box);
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (const FieldLabel& f : fields) {
            auto* edit = new QLineEdit(box);
            edit->setObjectName(QString("Text2_%1").arg(f.index));
            edit->setMinimumWidth(180);
            fields_[f.index] = edit;
            form->addRow(QString::fromUtf8(f.label), edit);
        }
        return box;
    };

    QFormLayout* projectForm = nullptr;
    QFormLayout* jackForm = nullptr;
    QFormLayout* sensorForm = nullptr;
    QGroupBox* project = makeGroup("工程信息", kProjectFields, projectForm);
    QGroupBox* jack = makeGroup("千斤顶", kJackFields, jackForm);
    QGroupBox* sensor = makeGroup("传感器", kSensorFields, sensorForm);
    fields_[0]->setMinimumWidth(260);

    const char* optionTexts[] = {"双油路千斤顶", "单油路千斤顶", "油压传感器", "测力传感器"};
    for (int i = 0; i < 4; ++i) {
        options_[i] = new QRadioButton(QString::fromUtf8(optionTexts[i]), i < 2 ? jack : sensor);
        options_[i]->setObjectName(QString("Option%1").arg(i + 1));
    }
    auto* jackTypes = new QButtonGroup(this);
    jackTypes->addButton(options_[0], 0);
    jackTypes->addButton(options_[1], 1);
    auto* sensorTypes = new QButtonGroup(this);
    sensorTypes->addButton(options_[2], 0);
    sensorTypes->addButton(options_[3], 1);
    auto* jackRow = new QHBoxLayout;
    jackRow->addWidget(options_[0]);
    jackRow->addWidget(options_[1]);
    jackForm->insertRow(0, jackRow);
    auto* sensorRow = new QHBoxLayout;
    sensorRow->addWidget(options_[2]);
    sensorRow->addWidget(options_[3]);
    sensorForm->insertRow(0, sensorRow);
    factor_ = new QLabel(sensor);
    factor_->setObjectName("Label8");
    sensorForm->addRow(factor_);

    auto* groups = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(project);
    left->addStretch(1);
    groups->addLayout(left, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(jack);
    right->addWidget(sensor);
    groups->addLayout(right);
    outer->addLayout(groups);

    const OkExitButtons buttonRow = makeOkExitButtons(this);
    ok_ = buttonRow.ok;
    QPushButton* exit = buttonRow.exit;
    outer->addLayout(buttonRow.row);

    for (int i = 0; i < ProjectInfoDialog::kFieldCount; ++i) {
        QLineEdit* edit = fields_[i];
        if (!edit)
            continue;
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            logic_.text2[i] = text.toStdString();
            logic_.textChanged(i);
            factor_->setText(QString::fromStdString(logic_.label8));
        });
        new EnterKeyFilter(edit, [this, i] {
            logic_.enter(i);
            applyFocus();
        });
    }
    connect(jackTypes, &QButtonGroup::idClicked, this, [this](int id) { logic_.jackType = id; });
    connect(sensorTypes, &QButtonGroup::idClicked, this, [this](int id) { logic_.sensorType = id; });
    connect(ok_, &QPushButton::clicked, this, [this] {
        logic_.ok();
        if (logic_.closed) {
            accept();
            return;
        }
        factor_->setText(QString::fromStdString(logic_.label8));
        applyFocus();
    });
    // "退出", Esc and the window's close button all leave without storing.
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { logic_.exit(); });

    showState();
    choose(jackTypes, options_[0], options_[1], logic_.jackType);
    choose(sensorTypes, options_[2], options_[3], logic_.sensorType);
    applyFocus();
}

void ProjectInfoWidget::showState()
{
    for (int i = 0; i < ProjectInfoDialog::kFieldCount; ++i) {
        if (!fields_[i])
            continue;
        fields_[i]->setText(QString::fromStdString(logic_.text2[i]));
        if (ProjectInfoDialog::isJackField(i))
            fields_[i]->setEnabled(logic_.jackFieldsEnabled);
    }
    factor_->setText(QString::fromStdString(logic_.label8));
}

void ProjectInfoWidget::applyFocus()
{
    QWidget* target = logic_.focus == ProjectInfoDialog::kOkButton  ? static_cast<QWidget*>(ok_)
                      : ProjectInfoDialog::hasControl(logic_.focus) ? fields_[logic_.focus]
                                                                    : nullptr;
    if (target)
        target->setFocus();
}

} // namespace pyx
