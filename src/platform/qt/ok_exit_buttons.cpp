#include "platform/qt/ok_exit_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace pyx {

OkExitButtons makeOkExitButtons(QWidget* parent)
{
    OkExitButtons b;
    b.row = new QHBoxLayout;
    b.row->addStretch(1);
    b.ok = new QPushButton(QString::fromUtf8("确定"), parent);
    b.ok->setObjectName("Command1");
    b.exit = new QPushButton(QString::fromUtf8("退出"), parent);
    b.exit->setObjectName("Command2");
    for (QPushButton* button : {b.ok, b.exit}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumWidth(90);
        b.row->addWidget(button);
    }
    return b;
}

} // namespace pyx
