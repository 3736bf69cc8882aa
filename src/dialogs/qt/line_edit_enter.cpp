#include "dialogs/qt/line_edit_enter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace pyx {

EnterKeyFilter::EnterKeyFilter(QLineEdit* edit, std::function<void()> onEnter)
    : QObject(edit), onEnter_(std::move(onEnter))
{
    edit->installEventFilter(this);
}

bool EnterKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            onEnter_();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace pyx
