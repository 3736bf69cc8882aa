#pragma once
// The pictures of the toolbar tools: the desktop's icon theme where it has one, else a
// standard picture of the widget style. Which tool shows which picture is its window's
// choice: the window hands its table to the command bar.

#include <QIcon>
#include <QStyle>
#include <span>
#include <string>

namespace pyx {

struct ToolPicture
{
    const char* tool;
    const char* themeName;
    QStyle::StandardPixmap fallback;
};
using ToolPictures = std::span<const ToolPicture>;

// The picture of `toolName` in `pictures`; a tool without one gets the style's file picture.
QIcon toolIcon(const std::string& toolName, ToolPictures pictures, const QStyle& style);

} // namespace pyx
