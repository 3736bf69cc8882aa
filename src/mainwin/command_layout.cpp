#include "mainwin/command_layout.h"

#include "mainwin/command_names.h"

namespace pyx {
namespace {

Band makeBand(const char* name, BandKind kind,
              std::initializer_list<std::pair<const char*, const char*>> tools)
{
    Band b{name, kind, {}};
    for (const auto& [toolName, caption] : tools)
        b.tools.push_back(Tool{toolName, caption});
    return b;
}

} // namespace

void buildMainCommandBar(CommandBar& bar)
{
    // Each menu-bar tool opens the band of the same name.
    bar.addBand(makeBand(band::kMenuBar, BandKind::MenuBar,
                         {{band::kFile, "文件(&F)"},
                          {band::kEdit, "编辑"},
                          {band::kParameter, "参数(&P)"},
                          {band::kChart, "图表(&I)"},
                          {band::kPrint, "打印(&P)"},
                          {band::kAnalysis, "分析(&A)"},
                          {band::kHelp, "帮助(&H)"}}));
    bar.addBand(makeBand(band::kFile, BandKind::SubMenu,
                         {{tool::kNew, "新试桩(&N)"},
                          {tool::kOpen, "打开(&O)"},
                          {tool::kSave, "保存(&S)"},
                          {tool::kSaveAs, "另存为(&A)"},
                          {kMenuSeparator, ""},
                          {tool::kExcelExport, "导出Excel(&E)"},
                          {kMenuSeparator, ""},
                          {tool::kExit, "退出(&X)"}}));
    // The usual keys, on the menu's tools only: a second action with the same key (the
    // toolbar's) would make the key ambiguous.
    bar.tool(band::kFile, tool::kNew)->shortcut = ToolShortcut::New;
    bar.tool(band::kFile, tool::kOpen)->shortcut = ToolShortcut::Open;
    bar.tool(band::kFile, tool::kSave)->shortcut = ToolShortcut::Save;
    bar.tool(band::kFile, tool::kSaveAs)->shortcut = ToolShortcut::SaveAs;
    bar.addBand(makeBand(band::kToolbar, BandKind::Toolbar,
                         {{tool::kNew, "新建文件"},
                          {tool::kOpen, "打开文件"},
                          {tool::kSave, "保存文件"},
                          {kBarSeparator, ""},
                          {tool::kProjectInfo, "工程信息"},
                          {tool::kParameterSetup, "参数设置"},
                          {kBarSeparator, ""},
                          {tool::kPrintPreviewTool, "打印预览"},
                          {kBarSeparator, ""},
                          {tool::kSummary, "汇总表"},
                          {tool::kRecordTable, "数据记录表"},
                          {kBarSeparator, ""},
                          {tool::kTimeCurve, "H0-t-x0曲线"},
                          {tool::kGradientCurve, "H0-△Y0/△H0 曲线"}}));
    bar.addBand(makeBand(band::kStatus, BandKind::StatusBar,
                         {{tool::kStatusText, "状态"}, {tool::kStatusLoad, ""}, {tool::kStatusDate, ""}}));
    bar.addBand(makeBand(band::kParameter, BandKind::SubMenu,
                         {{tool::kProjectInfo, "工程信息(&I)"},
                          {tool::kParameterSetup, "参数设置(&R)"},
                          {tool::kDataSetup, "数据设置(&D)"}}));
    bar.addBand(makeBand(band::kChart, BandKind::SubMenu,
                         {{tool::kRecordTable, "记录表(&J)"},
                          {tool::kSummary, "汇总表(&H)"},
                          {kBarSeparator, ""},
                          {tool::kTimeCurve, "H0-t-x0曲线"},
                          {tool::kGradientCurve, "H0-△Y0/△H0 曲线"},
                          {kBarSeparator, ""},
                          {tool::kRawData, "显示原始数据(&Y)"},
                          {tool::kRawDataSeparator, ""},
                          {tool::kMark, "标记(&T)"},
                          {tool::kClearMarks, "清除标记(&C)"}}));
    bar.addBand(makeBand(band::kAnalysis, BandKind::SubMenu,
                         {{tool::kAnalyse, "试验分析(&A)"}, {tool::kStatistics, "多桩统计"}}));
    // "数据设置" has no command: it stays in its place but is not offered.
    bar.tool(band::kParameter, tool::kDataSetup)->visible = false;
    bar.addBand(
        makeBand(band::kHelp, BandKind::SubMenu, {{tool::kUserGuide, "使用说明"}, {tool::kAbout, "关于"}}));
    bar.tool(band::kHelp, tool::kUserGuide)->shortcut = ToolShortcut::Help;
    bar.addBand(makeBand(band::kEdit, BandKind::SubMenu,
                         {{tool::kUndo, "撤销(&U)"},
                          {tool::kRedo, "重做(&R)"},
                          {kMenuSeparator, ""},
                          {tool::kMerge, "允许表格合并(&H)"},
                          {kMenuSeparator, ""},
                          {tool::kInsertRow, "在本行之后插入一行(&I)"},
                          {tool::kDeleteRow, "删除当前行(&L)"},
                          {kMenuSeparator, ""},
                          {tool::kFixCycles, "自动修正循环数"}}));
    bar.tool(band::kEdit, tool::kUndo)->shortcut = ToolShortcut::Undo;
    bar.tool(band::kEdit, tool::kRedo)->shortcut = ToolShortcut::Redo;
    bar.addBand(makeBand(band::kPrint, BandKind::SubMenu,
                         {{tool::kPrintOptions, "打印设置"},
                          {tool::kReportInfo, "报告信息(&B)"},
                          {kMenuSeparator, ""},
                          {tool::kPrintPreview, "打印预览"},
                          {tool::kWordExport, "生成word文档"}}));
    bar.addBand(
        makeBand(band::kMarkPopup, BandKind::PopupMenu,
                 {{tool::kMark, "标记(&T)"}, {kBarSeparator, ""}, {tool::kClearMarks, "清除标记(&C)"}}));
}

} // namespace pyx
