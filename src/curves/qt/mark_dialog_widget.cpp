#include "curves/qt/mark_dialog_widget.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pyx {

MarkDialogWidget::MarkDialogWidget(MarkDialog& logic, QWidget* parent) : QDialog(parent), logic_(logic)
{
    setObjectName("frmmark");
    setWindowTitle(QString::fromUtf8(kMarkDialogCaption));
    auto* outer = new QVBoxLayout(this);
    auto* label2 = new QLabel(QString::fromUtf8("输入对应的荷载值的级数，确定后在曲线上显示"), this);
    label2->setObjectName("Label2");
    outer->addWidget(label2);

    auto* grid = new QGridLayout;
    auto* lblKN = new QLabel(QString::fromUtf8("级数"), this);
    lblKN->setObjectName("lblKN");
    grid->addWidget(lblKN, 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QString::fromUtf8("标记内容"), this), 0, 3, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QString::fromUtf8("第一拐点:水平临界荷载"), this), 1, 0);
    grid->addWidget(new QLabel(QString::fromUtf8("第二拐点:水平极限荷载"), this), 2, 0);
    const int stageWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12;
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Text1_%1").arg(i));
        boxes_[static_cast<std::size_t>(i)] = edit;
        const bool stage = i < 2;
        if (stage) {
            edit->setFixedWidth(stageWidth);
            edit->installEventFilter(this);
        } else {
            edit->setMinimumWidth(stageWidth * 2);
        }
        // Rows: mark 1 above mark 2; columns: stage number, its load, then text.
        grid->addWidget(edit, 1 + i % 2, stage ? 1 : 3);
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& t) {
            logic_.text[static_cast<std::size_t>(i)] = t.toStdString();
            showLoads();
        });
    }
    for (int i = 0; i < 2; ++i) {
        auto* load = new QLabel(this);
        load->setObjectName(QStringLiteral("lblLoad%1").arg(i));
        load->setToolTip(QString::fromUtf8("该级的荷载"));
        load->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000.00 kN")) + 8);
        loads_[static_cast<std::size_t>(i)] = load;
        grid->addWidget(load, 1 + i, 2);
    }
    outer->addLayout(grid);

    auto* line = new QFrame(this);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    outer->addWidget(line);

    auto* buttons = new QHBoxLayout;
    auto* check1 = new QCheckBox(QString::fromUtf8("清除标记"), this);
    check1->setObjectName("Check1");
    connect(check1, &QCheckBox::clicked, this, [this] {
        logic_.clearMarks();
        showBoxes();
    });
    auto* ok = new QPushButton(QString::fromUtf8("确定"), this);
    ok->setObjectName("Command1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &MarkDialogWidget::accept);
    auto* exit = new QPushButton(QString::fromUtf8("退出"), this);
    exit->setObjectName("Command2");
    connect(exit, &QPushButton::clicked, this, &MarkDialogWidget::reject);
    buttons->addWidget(check1);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    outer->addLayout(buttons);

    showBoxes();
    setFixedSize(sizeHint());
}

void MarkDialogWidget::showBoxes()
{
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i]->setText(QString::fromStdString(logic_.text[i]));
    showLoads();
}

void MarkDialogWidget::showLoads()
{
    for (std::size_t i = 0; i < loads_.size(); ++i)
        loads_[i]->setText(QString::fromStdString(logic_.stageLoad(static_cast<int>(i))));
}

bool MarkDialogWidget::eventFilter(QObject* watched, QEvent* event)
{
    const int box = watched == boxes_[0] ? 0 : watched == boxes_[1] ? 1 : -1;
    if (box >= 0 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed = !text.isEmpty() && !text.at(0).isNull();
        if (typed && !MarkDialog::stageKeyAccepted(text.at(0).unicode()))
            return true;
    } else if (box >= 0 && event->type() == QEvent::FocusOut) {
        logic_.stageBoxLeft(box);
        showBoxes();
    }
    return QDialog::eventFilter(watched, event);
}

void MarkDialogWidget::accept()
{
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        logic_.text[i] = boxes_[i]->text().toStdString();
    logic_.ok();
    QDialog::accept();
}

} // namespace pyx
