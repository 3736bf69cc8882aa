#pragma once
// The names of the main window's bands and tools. The layout, the menu state and the
// command registry all use these; a name typed anywhere else is a fault.

#include "platform/command_bar.h"

namespace pyx {

namespace band {
inline constexpr const char* kMenuBar = "mnuMain";
inline constexpr const char* kFile = "mnuFile";
inline constexpr const char* kEdit = "mnuedit";
inline constexpr const char* kParameter = "mnuParameter";
inline constexpr const char* kChart = "mnuChart";
inline constexpr const char* kPrint = "mnuPrint";
inline constexpr const char* kAnalysis = "mnuAnalysis";
inline constexpr const char* kHelp = "mnuHelp";
inline constexpr const char* kToolbar = "barStandard";
inline constexpr const char* kStatus = "sb";
inline constexpr const char* kMarkPopup = "mnuBJ";
} // namespace band

namespace tool {
// File
inline constexpr const char* kNew = "miFNew";
inline constexpr const char* kOpen = "miFOpen";
inline constexpr const char* kSave = "miFSave";
inline constexpr const char* kSaveAs = "miFSaveAs";
inline constexpr const char* kExit = "miFExit";
// Editing the record table
inline constexpr const char* kUndo = "miEUndo";
inline constexpr const char* kRedo = "miERedo";
inline constexpr const char* kMerge = "miChb";
inline constexpr const char* kInsertRow = "miCcryh";
inline constexpr const char* kDeleteRow = "miCscyh";
inline constexpr const char* kFixCycles = "miCxhs";
// Parameters
inline constexpr const char* kProjectInfo = "miPprojectInfo";
inline constexpr const char* kParameterSetup = "miPparameterSetup";
inline constexpr const char* kDataSetup = "miPdate";
// Tables and curves
inline constexpr const char* kRecordTable = "miCjlb";
inline constexpr const char* kSummary = "miChzb";
inline constexpr const char* kTimeCurve = "miCh0t";
inline constexpr const char* kGradientCurve = "miCh0y";
inline constexpr const char* kRawData = "miCyssj";
inline constexpr const char* kRawDataSeparator = kRawDataSeparatorName;
inline constexpr const char* kMark = "miCBJ";
inline constexpr const char* kClearMarks = "miCccbj";
// Printing
inline constexpr const char* kPrintPreviewTool = "miFPrintPreview"; // the toolbar's
inline constexpr const char* kPrintOptions = "miPsz";
inline constexpr const char* kReportInfo = "miPreportInfo"; // 报告信息: the texts of the report front
inline constexpr const char* kPrintPreview = "miPyulan";
inline constexpr const char* kWordExport = "miPword";
inline constexpr const char* kExcelExport = "miFExcel"; // the file menu's 导出Excel
// Analysis
inline constexpr const char* kAnalyse = "miAanalyse";
inline constexpr const char* kStatistics = "miAstats"; // 多桩统计
// Help
inline constexpr const char* kAbout = "miHabout";
inline constexpr const char* kUserGuide = "miHguide"; // the user guide, also F1
// Status bar panes
inline constexpr const char* kStatusText = "miStatus";
inline constexpr const char* kStatusLoad = "mihz";
inline constexpr const char* kStatusDate = "midate";
} // namespace tool

} // namespace pyx
