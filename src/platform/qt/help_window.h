#pragma once
// The user guide: HTML pages shipped inside the program (Qt resources under ":/help") and
// installed beside it, shown in a help window. F1 opens it in every window of the program,
// at the part on that window.

#include <QDialog>
#include <QString>
#include <QUrl>

class QApplication;
class QTextBrowser;

namespace pyx {

// The guide's first page in the resources.
QUrl userGuideUrl();

class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the part of the guide on `topic` (a window's object name), or its beginning when
    // the guide has no such part.
    void showTopic(const QString& topic);
    QTextBrowser* browser() const { return browser_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scrollToTopic();

    QTextBrowser* browser_ = nullptr;
    QString topic_;
};

// Opens the guide at `topic` for the window `from`. Over a modal window the guide is modal
// itself, so that it can be read and scrolled while that window waits; otherwise one guide
// window stays open beside the program.
void showUserGuide(QWidget* from, const QString& topic);

// F1 in any window of the program opens the guide at the part on the active window.
void installHelpKey(QApplication& app);

} // namespace pyx
