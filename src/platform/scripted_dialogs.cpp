#include "platform/scripted_dialogs.h"

namespace pyx {

std::string ScriptedDialogs::nextName(const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    if (fileNames.empty())
        return {};
    std::string name = fileNames.front();
    fileNames.pop_front();
    return name;
}

MsgAnswer ScriptedDialogs::message(const MessageRequest& request)
{
    messages.push_back(request);
    if (!answers.empty()) {
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (request.buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return request.defaultButton == 2 ? MsgAnswer::No : MsgAnswer::Yes;
    case MsgButtons::YesNoCancel:
        return request.defaultButton == 3   ? MsgAnswer::Cancel
               : request.defaultButton == 2 ? MsgAnswer::No
                                            : MsgAnswer::Yes;
    }
    return MsgAnswer::Ok;
}

} // namespace pyx
