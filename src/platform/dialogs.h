#pragma once
// File dialogs, message boxes and the beep, as the program asks for them.

#include <string>

namespace pyx {

struct FileDialogRequest
{
    std::string filter;   // "All files(*.*)|*.*|pys| *.pys"
    int filterIndex = 1;  // 1-based
    std::string fileName; // proposed name
    std::string title;
    // Save dialogs: the dialog itself asks before an existing file is chosen; off where
    // the command asks its own question.
    bool confirmOverwrite = true;
};

enum class MsgButtons
{
    Ok,
    YesNo,
    YesNoCancel
};
enum class MsgIcon
{
    None,
    Critical,
    Question,
    Exclamation,
    Information
};
enum class MsgAnswer
{
    Ok,
    Yes,
    No,
    Cancel
};

struct MessageRequest
{
    std::string text;
    std::string title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 1; // 1-based position of the default button
};

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // The chosen path, or an empty text when the user cancels.
    virtual std::string openFile(const FileDialogRequest& request) = 0;
    virtual std::string saveFile(const FileDialogRequest& request) = 0;
    virtual MsgAnswer message(const MessageRequest& request) = 0;
    virtual void beep() = 0;
};

} // namespace pyx
