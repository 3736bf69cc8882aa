#include "platform/qt/tool_icons.h"

#include <QStyle>
#include <array>

#include "mainwin/command_names.h"

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
