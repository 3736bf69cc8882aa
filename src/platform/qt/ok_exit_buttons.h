#pragma once
// The "确定" / "退出" button row that the setup dialogs share.

#include <functional>

class QDialog;
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

// The row's part in `dialog`: OK runs `ok`, which says whether the dialog is done (it is then
// accepted); Exit, Esc and the window's close button reject it, which runs `exit`.
void connectOkExit(QDialog& dialog, const OkExitButtons& buttons, std::function<bool()> ok,
                   std::function<void()> exit);

} // namespace pyx
