#pragma once
// The "确定" / "退出" button row that the setup dialogs share.

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace pyx {

struct OkExitButtons
{
    QHBoxLayout* row = nullptr;
    QPushButton* ok = nullptr;   // "Command1"
    QPushButton* exit = nullptr; // "Command2"
};

// Neither button is a default button: Enter moves the focus in these dialogs.
OkExitButtons makeOkExitButtons(QWidget* parent);

} // namespace pyx
