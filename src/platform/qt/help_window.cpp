#include "platform/qt/help_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/qt/window_placement.h"

namespace pyx {
namespace {

// The guide beside the program, while it is open.
QPointer<HelpWindow> modelessGuide;

class HelpKey : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
            static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
            return QObject::eventFilter(watched, event);
        QWidget* window = QApplication::activeWindow();
        if (!window)
            if (auto* w = qobject_cast<QWidget*>(watched))
                window = w->window();
        // The guide itself: F1 there does nothing more.
        if (qobject_cast<HelpWindow*>(window))
            return true;
        showUserGuide(window, window ? window->objectName() : QString());
        return true;
    }
};

} // namespace

QUrl userGuideUrl()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmHelp");
    setWindowTitle(QString::fromUtf8("使用说明"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("guide");
    browser_->setOpenExternalLinks(true);
    browser_->setSource(userGuideUrl());
    layout->addWidget(browser_, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QString::fromUtf8("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName("close");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    placeSecondaryWindow(*this, QStringLiteral("helpWindow"), QSize(900, 900));
}

void HelpWindow::showTopic(const QString& topic)
{
    browser_->setSource(userGuideUrl());
    topic_ = topic;
    if (isVisible())
        scrollToTopic();
}

// The part can be found once the text is laid out at the window's width.
void HelpWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    layout()->activate();
    scrollToTopic();
}

void HelpWindow::scrollToTopic()
{
    if (!topic_.isEmpty())
        browser_->scrollToAnchor(topic_);
}

void showUserGuide(QWidget* from, const QString& topic)
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        auto* guide = new HelpWindow(modal);
        guide->showTopic(topic);
        guide->exec();
        return;
    }
    if (!modelessGuide)
        modelessGuide = new HelpWindow(from ? from->window() : nullptr);
    modelessGuide->showTopic(topic);
    modelessGuide->show();
    modelessGuide->raise();
    modelessGuide->activateWindow();
}

void installHelpKey(QApplication& app)
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    app.installEventFilter(new HelpKey(&app));
}

} // namespace pyx
