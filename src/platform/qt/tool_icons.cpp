#include "platform/qt/tool_icons.h"

#include <QStyle>
#include <array>

namespace pyx {
namespace {

struct ToolPicture
{
    const char* tool;
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

constexpr std::array kPictures{
    ToolPicture{"miFNew", "document-new", QStyle::SP_FileIcon},
    ToolPicture{"miFOpen", "document-open", QStyle::SP_DialogOpenButton},
    ToolPicture{"miFSave", "document-save", QStyle::SP_DialogSaveButton},
    ToolPicture{"miPprojectInfo", "document-properties", QStyle::SP_FileDialogInfoView},
    ToolPicture{"miPparameterSetup", "preferences-system", QStyle::SP_FileDialogDetailedView},
    ToolPicture{"miFPrintPreview", "document-print-preview", QStyle::SP_FileDialogContentsView},
    ToolPicture{"miChzb", "x-office-spreadsheet", QStyle::SP_FileDialogListView},
    ToolPicture{"miCjlb", "accessories-text-editor", QStyle::SP_FileDialogDetailedView},
    ToolPicture{"miCh0t", "utilities-system-monitor", QStyle::SP_MediaSeekForward},
    ToolPicture{"miCh0y", "view-statistics", QStyle::SP_ArrowUp},
    // The print preview's band.
    ToolPicture{"打印", "document-print", QStyle::SP_DialogSaveButton},
    ToolPicture{"导出PDF", "application-pdf", QStyle::SP_FileIcon},
    ToolPicture{"导出Word", "x-office-document", QStyle::SP_FileIcon},
    ToolPicture{"首页", "go-first", QStyle::SP_MediaSkipBackward},
    ToolPicture{"上一页", "go-previous", QStyle::SP_ArrowLeft},
    ToolPicture{"下一页", "go-next", QStyle::SP_ArrowRight},
    ToolPicture{"最后一页", "go-last", QStyle::SP_MediaSkipForward},
    ToolPicture{"放大", "zoom-in", QStyle::SP_ArrowUp},
    ToolPicture{"缩小", "zoom-out", QStyle::SP_ArrowDown},
    ToolPicture{"退出", "window-close", QStyle::SP_DialogCloseButton},
};

} // namespace

QIcon toolIcon(const std::string& toolName, const QStyle& style)
{
    for (const ToolPicture& p : kPictures)
        if (toolName == p.tool)
            return QIcon::fromTheme(QString::fromLatin1(p.themeName), style.standardIcon(p.fallback));
    return style.standardIcon(QStyle::SP_FileIcon);
}

} // namespace pyx
