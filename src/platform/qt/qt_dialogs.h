#pragma once
// File dialogs, message boxes and the beep with Qt.

#include <QStringList>

#include "platform/dialogs.h"

class QWidget;

namespace pyx {

// The program's filter text "desc|pattern|desc|pattern" as Qt's filters "desc (pattern)".
// Patterns separated by ";" become space-separated; "*.*" matches every file.
QStringList qtFileFilters(const std::string& filter);

class QtDialogs : public Dialogs
{
public:
    // The dialogs open over `parent`, which may be null.
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    std::string openFile(const FileDialogRequest& request) override;
    std::string saveFile(const FileDialogRequest& request) override;
    MsgAnswer message(const MessageRequest& request) override;
    void beep() override;

private:
    QWidget* parent_;
};

} // namespace pyx
