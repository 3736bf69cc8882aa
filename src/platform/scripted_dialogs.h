#pragma once
// Dialogs answered from a script: queued file names and answers; every request is
// recorded. Used by the tests and by the headless command-line tool.

#include <deque>
#include <vector>

#include "platform/dialogs.h"

namespace pyx {

class ScriptedDialogs : public Dialogs
{
public:
    std::deque<std::string> fileNames; // answers of the file dialogs, in order
    std::deque<MsgAnswer> answers;     // answers of the message boxes; empty: the default button
    std::vector<FileDialogRequest> fileRequests;
    std::vector<MessageRequest> messages;
    int beeps = 0;

    std::string openFile(const FileDialogRequest& request) override { return nextName(request); }
    std::string saveFile(const FileDialogRequest& request) override { return nextName(request); }
    MsgAnswer message(const MessageRequest& request) override;
    void beep() override { ++beeps; }

private:
    std::string nextName(const FileDialogRequest& request);
};

} // namespace pyx
