#include "mainwin/command_layout.h"

namespace pyx {
namespace {

Band band(const char* name, BandKind kind, std::initializer_list<std::pair<const char*, const char*>> tools)
{
    Band b{name, kind, {}};
    for (const auto& [toolName, caption] : tools)
        b.tools.push_back(Tool{toolName, caption});
    return b;
}

} // namespace

void buildMainCommandBar(CommandBar& bar)
{
    bar.addBand(band("mnuMain", BandKind::MenuBar,
                     {{"mnuFile", "文件(&F)"},
                      {"mnuedit", "编辑"},
                      {"mnuParameter", "参数(&P)"},
                      {"mnuChart", "图表(&I)"},
                      {"mnuprint", "打印(&P)"},
                      {"mnuHelp", "帮助(&H)"}}));
    bar.addBand(band("mnuFile", BandKind::SubMenu,
                     {{"miFNew", "新试桩(&N)"},
                      {"miFOpen", "打开(&O)"},
                      {"miFSave", "保存(&S)"},
                      {"mip", ""},
                      {"miFExit", "退出(&X)"}}));
    // The usual keys, on the menu's tools only: a second action with the same key (the
    // toolbar's) would make the key ambiguous.
    bar.tool("mnuFile", "miFNew")->shortcut = ToolShortcut::New;
    bar.tool("mnuFile", "miFOpen")->shortcut = ToolShortcut::Open;
    bar.tool("mnuFile", "miFSave")->shortcut = ToolShortcut::Save;
    bar.addBand(band("barStandard", BandKind::Toolbar,
                     {{"miFNew", "新建文件"},
                      {"miFOpen", "打开文件"},
                      {"miFSave", "保存文件"},
                      {"miSep", ""},
                      {"miPprojectInfo", "工程信息"},
                      {"miPparameterSetup", "参数设置"},
                      {"miSep", ""},
                      {"miFPrintPreview", "打印预览"},
                      {"miSep", ""},
                      {"miChzb", "汇总表"},
                      {"miCjlb", "数据记录表"},
                      {"miSep", ""},
                      {"miCh0t", "H0-t-x0曲线"},
                      {"miCh0y", "H0-△Y0/△H0 曲线"}}));
    bar.addBand(band("sb", BandKind::StatusBar, {{"miStatus", "状态"}, {"mihz", ""}, {"midate", ""}}));
    bar.addBand(band("mnuParameter", BandKind::SubMenu,
                     {{"miPprojectInfo", "工程信息(&I)"},
                      {"miPparameterSetup", "参数设置(&R)"},
                      {"miPdate", "数据设置(&D)"}}));
    bar.addBand(band("mnuChart", BandKind::SubMenu,
                     {{"miCjlb", "记录表(&J)"},
                      {"miChzb", "汇总表(&H)"},
                      {"miSep", ""},
                      {"miCh0t", "H0-t-x0曲线"},
                      {"miCh0y", "H0-△Y0/△H0 曲线"},
                      {"miSep", ""},
                      {"miCyssj", "显示原始数据(&Y)"},
                      {"miSepCS", ""},
                      {"miCBJ", "标记(&T)"},
                      {"miCccbj", "清除标记(&C)"}}));
    bar.addBand(band("mnuHelp", BandKind::SubMenu, {{"miHabout", "关于"}}));
    bar.addBand(band("mnuedit", BandKind::SubMenu,
                     {{"miChb", "允许表格合并(&H)"},
                      {"mip", ""},
                      {"miCcryh", "在本行之后插入一行(&I)"},
                      {"miCscyh", "删除当前行(&L)"},
                      {"mip", ""},
                      {"miCxhs", "自动修正循环数"}}));
    bar.addBand(
        band("mnuPrint", BandKind::SubMenu,
             {{"miPsz", "打印设置"}, {"mip", ""}, {"miPyulan", "打印预览"}, {"miPword", "生成word文档"}}));
    bar.addBand(band("mnuBJ", BandKind::PopupMenu,
                     {{"miCBJ", "标记(&T)"}, {"miSep", ""}, {"miCccbj", "清除标记(&C)"}}));
}

} // namespace pyx
