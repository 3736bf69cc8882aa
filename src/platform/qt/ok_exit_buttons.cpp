#include "platform/qt/ok_exit_buttons.h"

#include <QDialog>
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

void connectOkExit(QDialog& dialog, const OkExitButtons& buttons, std::function<bool()> ok,
                   std::function<void()> exit)
{
    QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, [&dialog, ok = std::move(ok)] {
        if (ok())
            dialog.accept();
    });
    QObject::connect(buttons.exit, &QPushButton::clicked, &dialog, &QDialog::reject);
    QObject::connect(&dialog, &QDialog::rejected, &dialog, std::move(exit));
}

} // namespace pyx
