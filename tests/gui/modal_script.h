#pragma once
// Answers the modal windows that a command opens while it runs (their exec() runs an
// event loop of its own): each answer, in order, gets the next modal window and closes
// it. A modal window with no answer left is rejected and noted, so that a test never
// hangs on a dialog it did not expect.

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

namespace pyx::test {

class ModalScript
{
public:
    using Answer = std::function<void(QWidget* modal)>;

    ModalScript()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answerModal(); });
        timer_.start();
    }

    ModalScript& then(Answer answer)
    {
        answers_.push_back(std::move(answer));
        return *this;
    }
    // Every answer was used.
    bool done() const { return answers_.empty(); }
    // Titles of the modal windows that came without an answer.
    const QStringList& unexpected() const { return unexpected_; }

private:
    void answerModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (answers_.empty()) {
            unexpected_ << modal->windowTitle();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            return;
        }
        const Answer answer = std::move(answers_.front());
        answers_.pop_front();
        answer(modal);
    }

    QTimer timer_;
    std::deque<Answer> answers_;
    QStringList unexpected_;
};

} // namespace pyx::test
