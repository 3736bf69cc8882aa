#include "platform/qt/tool_icons.h"

#include <QStyle>
#include <array>

#include "mainwin/command_names.h"
#include "reports/preview_tools.h"

namespace pyx {
namespace {

struct ToolPicture
{
    const char* tool;
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

constexpr std::array kPictures{
    ToolPicture{tool::kNew, "document-new", QStyle::SP_FileIcon},
    ToolPicture{tool::kOpen, "document-open", QStyle::SP_DialogOpenButton},
    ToolPicture{tool::kSave, "document-save", QStyle::SP_DialogSaveButton},
    ToolPicture{tool::kProjectInfo, "document-properties", QStyle::SP_FileDialogInfoView},
    ToolPicture{tool::kParameterSetup, "preferences-system", QStyle::SP_FileDialogDetailedView},
    ToolPicture{tool::kPrintPreviewTool, "document-print-preview", QStyle::SP_FileDialogContentsView},
    ToolPicture{tool::kSummary, "x-office-spreadsheet", QStyle::SP_FileDialogListView},
    ToolPicture{tool::kRecordTable, "accessories-text-editor", QStyle::SP_FileDialogDetailedView},
    ToolPicture{tool::kTimeCurve, "utilities-system-monitor", QStyle::SP_MediaSeekForward},
    ToolPicture{tool::kGradientCurve, "view-statistics", QStyle::SP_ArrowUp},
    // The print preview's band.
    ToolPicture{preview_tool::kPrint, "document-print", QStyle::SP_DialogSaveButton},
    ToolPicture{preview_tool::kExportPdf, "application-pdf", QStyle::SP_FileIcon},
    ToolPicture{preview_tool::kExportWord, "x-office-document", QStyle::SP_FileIcon},
    ToolPicture{preview_tool::kExportExcel, "x-office-spreadsheet", QStyle::SP_FileIcon},
    ToolPicture{preview_tool::kFirst, "go-first", QStyle::SP_MediaSkipBackward},
    ToolPicture{preview_tool::kPrevious, "go-previous", QStyle::SP_ArrowLeft},
    ToolPicture{preview_tool::kNext, "go-next", QStyle::SP_ArrowRight},
    ToolPicture{preview_tool::kLast, "go-last", QStyle::SP_MediaSkipForward},
    ToolPicture{preview_tool::kZoomIn, "zoom-in", QStyle::SP_ArrowUp},
    ToolPicture{preview_tool::kZoomOut, "zoom-out", QStyle::SP_ArrowDown},
    ToolPicture{preview_tool::kClose, "window-close", QStyle::SP_DialogCloseButton},
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
