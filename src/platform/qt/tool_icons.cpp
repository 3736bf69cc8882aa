#include "platform/qt/tool_icons.h"

namespace pyx {

QIcon toolIcon(const std::string& toolName, ToolPictures pictures, const QStyle& style)
{
    for (const ToolPicture& p : pictures)
        if (toolName == p.tool)
            return QIcon::fromTheme(QString::fromLatin1(p.themeName), style.standardIcon(p.fallback));
    return style.standardIcon(QStyle::SP_FileIcon);
}

} // namespace pyx
