#pragma once
// Enter in a dialog's text box moves the focus (the dialog's handler decides where)
// instead of pressing a default button.

#include <QObject>
#include <functional>

class QLineEdit;

namespace pyx {

class EnterKeyFilter : public QObject
{
public:
    // Installs itself on `edit`; `onEnter` runs for Enter and Return, which are consumed.
    EnterKeyFilter(QLineEdit* edit, std::function<void()> onEnter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onEnter_;
};

} // namespace pyx
