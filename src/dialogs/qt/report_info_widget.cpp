#include "dialogs/qt/report_info_widget.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/qt/ok_exit_buttons.h"

namespace pyx {
namespace {

// A group of the fields of `info`, each edit writing back to it; `placeholders` shows what
// the report prints for an empty field (by key).
template <typename Info, std::size_t N>
QGroupBox* fieldGroup(const char* title, Info& info, const std::array<InfoField<Info>, N>& fields,
                      const std::function<QString(const char*)>& placeholder, QWidget* parent)
{
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    auto* form = new QFormLayout(group);
    for (const InfoField<Info>& f : fields) {
        auto* edit = new QLineEdit(QString::fromStdString(info.*f.text), group);
        edit->setObjectName(QString::fromUtf8(f.key));
        edit->setMinimumWidth(260);
        edit->setPlaceholderText(placeholder(f.key));
        std::string Info::*text = f.text;
        QObject::connect(edit, &QLineEdit::textChanged, group,
                         [&info, text](const QString& s) { info.*text = s.trimmed().toStdString(); });
        form->addRow(QString::fromUtf8(f.label) + QString::fromUtf8("："), edit);
    }
    return group;
}

} // namespace

ReportInfoWidget::ReportInfoWidget(ReportInfoDialog& logic, QWidget* parent) : QDialog(parent), logic_(logic)
{
    setObjectName("frmReportInfo");
    setWindowTitle(QString::fromUtf8(ReportInfoDialog::kCaption));
    auto* outer = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    const auto none = [](const char*) { return QString(); };
    groups->addWidget(fieldGroup(ReportInfoDialog::kCompanyGroup, logic_.company, kCompanyFields, none, this),
                      0, Qt::AlignTop);
    const auto fromTest = [this](const char* key) {
        const std::string k = key;
        std::string test;
        if (k == "project")
            test = logic_.projectFromTest;
        else if (k == "test_dates")
            test = logic_.dateFromTest;
        return test.empty() ? QString()
                            : QString::fromUtf8("（不填时用：%1）").arg(QString::fromStdString(test));
    };
    QGroupBox* project =
        fieldGroup(ReportInfoDialog::kProjectGroup, logic_.project, kProjectFields, fromTest, this);
    project->setEnabled(logic_.projectEnabled);
    auto* right = new QVBoxLayout;
    right->addWidget(project);
    if (!logic_.projectEnabled)
        right->addWidget(new QLabel(QString::fromUtf8(ReportInfoDialog::kNoDataFile), this));
    groups->addLayout(right);
    outer->addLayout(groups);

    const OkExitButtons buttons = makeOkExitButtons(this);
    outer->addLayout(buttons.row);
    connectOkExit(
        *this, buttons,
        [this] {
            logic_.ok();
            return logic_.closed;
        },
        [this] { logic_.exit(); });
}

} // namespace pyx
