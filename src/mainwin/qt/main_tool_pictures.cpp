#include "mainwin/qt/main_tool_pictures.h"

#include <array>

#include "mainwin/command_names.h"

namespace pyx {
namespace {

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

ToolPictures mainToolPictures()
{
    return kPictures;
}

} // namespace pyx
