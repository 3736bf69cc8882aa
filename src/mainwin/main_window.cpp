#include "mainwin/main_window.h"

#include "data/cp936.h"
#include "data/settings.h"
#include "data/startup.h"
#include "dialogs/project_info.h"
#include "eval/curve_scale.h"
#include "eval/evaluation.h"
#include "mainwin/command_layout.h"
#include "mainwin/record_table.h"
#include "mainwin/summary_tables.h"

namespace pyx {

MainWindow::MainWindow(TestData& data, Dialogs& dialogs, std::string settingsPath)
    : files(data, dialogs, std::move(settingsPath)), editor(data, grid, dialogs), curves(data, dialogs),
      d_(data), dialogs_(dialogs)
{
    buildMainCommandBar(bar);
    bar.onToolClick = [this](const std::string& tool) { dispatch(tool); };

    grid.onKeyPress = [this](int row, int col, int& key) { editor.keyPress(row, col, key); };
    grid.onValidate = [this](int row, int col, const std::string& text, bool& cancel) {
        editor.validate(row, col, text, cancel);
    };
    grid.onAfterEdit = [this](int row, int col) { editor.afterEdit(row, col); };
    grid.onMouseDown = [this](int button, int row, int col) { editor.mouseDown(button, row, col); };

    editor.evaluate = [this] { evaluate(); };
    editor.display = [this] { display(); };
    editor.enableSave = [this] { enableSave(); };
    editor.popupEditMenu = [this] { bar.popup("mnuedit"); };

    FileCommandHooks& h = files.hooks;
    h.showHeader = [this](const std::string& c, const std::array<std::string, 4>& l) {
        caption = c;
        labels = l;
        if (textsChanged)
            textsChanged();
    };
    h.evaluate = [this] { evaluate(); };
    h.showRecordTable = [this] {
        ysdata_Click();
        if (!d_.curfile.empty())
            editor.fixCyclesQuiet();
    };
    h.display = [this] { display(); };
    h.menuinfo = [this] { menuinfo(); };
    h.focusGrid = [this] { grid.focus(); };
    h.setSaveEnabled = [this](bool on) {
        bar.setEnabled("mnuFile", "miFSave", on);
        bar.setEnabled("barStandard", "miFSave", on);
        bar.refresh("mnuFile");
        bar.refresh("barStandard");
    };
    h.clearGrid = [this] {
        grid.setRows(2);
        grid.setEditable(true); // the new test is typed in
        grid.refresh();
    };
    h.newProjectInfo = [this] { dispatch("miPprojectInfo"); };
    // The open loads the project information dialog without showing it.
    h.loadProjectInfo = [this] {
        ProjectInfoDialog info(*this, dialogs_);
        info.load();
        d_.bjtext = trimBlanks(info.text2[5]);
    };
    connectCurves();
}

void MainWindow::connectCurves()
{
    CurvePanelHooks& c = curves.hooks;
    c.menuinfo = [this] { menuinfo(); };
    c.setCaption = [this](const std::string& text) {
        label18 = text;
        if (textsChanged)
            textsChanged();
    };
    c.enableSave = [this] { enableSave(); };
    c.popup = [this](const std::string& band) { bar.popup(band); };
    c.gridRows = [this] { return grid.rows(); };
    drawQs = [this] { curves.DrawChartQS_Click(); };
    drawLg = [this] { curves.MenuSLgQcurve_Click(); };
    commands["miCh0t"] = drawQs;
    commands["miCh0y"] = drawLg;
    commands["miCBJ"] = [this] { curves.markCommand(); };
    commands["miCccbj"] = [this] { curves.clearMarksCommand(); };
}

void MainWindow::load(int screenWidthPx)
{
    d_.screenpx = screenWidthPx;
    headJlb(grid, d_.screenpx);
    grid.setEditable(false);
    grid.refresh();
    labels = {"工程名称：", "试桩编号：", "测试日期：", "上下表距："};
    startValues(d_, files.settingsPath());
    const std::string last = lastDataFile(d_);
    if (!last.empty()) {
        d_.curfile = last;
        d_.autoopen = -1;
        files.open();
        d_.autoopen = 0;
    }
    menuinfo();
    if (textsChanged)
        textsChanged();
    if (d_.curfile.empty() && drawQs)
        drawQs();
}

void MainWindow::evaluate()
{
    ystodb(d_);
}

void MainWindow::display()
{
    pyx::display(d_, CurveDrawers{drawQs, drawLg});
}

void MainWindow::enableSave()
{
    d_.dirty = -1;
    files.hooks.setSaveEnabled(true);
}

void MainWindow::menuinfo()
{
    const bool open = !d_.curfile.empty();
    // A test with unsaved changes keeps its save tool.
    const bool saveOn = open && d_.dirty == -1;
    bar.setEnabled("mnuFile", "miFSave", saveOn);
    bar.setEnabled("barStandard", "miFSave", saveOn);
    for (const char* menu : {"mnuChart", "mnuprint", "mnuedit"})
        bar.setEnabled("mnuMain", menu, open);
    for (const char* tool : {"miCjlb", "miChzb", "miCh0t", "miCh0y", "miFPrintPreview"})
        bar.setEnabled("barStandard", tool, open);
    if (open) {
        bar.setEnabled("mnuMain", "mnuedit", d_.tabmode == 1);
        bar.setCaption("mnuedit", "miChb",
                       settingIsOne(d_.csz, 74) ? "禁止表格合并(&H)" : "允许表格合并(&H)");
        const bool raw = d_.ftype == 2;
        bar.setVisible("mnuChart", "miCyssj", raw);
        bar.setVisible("mnuChart", "miSepCS", raw);
        const bool marks = d_.curvekind != 1;
        bar.setVisible("mnuChart", "miCBJ", marks);
        bar.setVisible("mnuChart", "miCccbj", marks);
    }
    for (const char* band :
         {"mnuFile", "mnuedit", "mnuParameter", "mnuChart", "mnuBJ", "mnuMain", "barStandard"})
        bar.refresh(band);
}

void MainWindow::toggleMerge()
{
    d_.csz[74] = settingNonZero(d_.csz, 74) ? "0" : "1";
    menuinfo();
    ysdata_Click();
    writeSettings(files.settingsPath(), d_.csz);
}

void MainWindow::ysdata_Click()
{
    d_.tabmode = 1;
    menuinfo();
    headJlb(grid, d_.screenpx);
    if (d_.curfile.empty())
        grid.setEditable(false); // with no test open there is nothing to edit
    else
        fillRecordTable(grid, d_);
    grid.refresh();
}

void MainWindow::hzbdata_Click()
{
    d_.tabmode = 0;
    const bool simple = settingIsOne(d_.csz, 77);
    if (simple)
        headJyhzb(grid, d_.screenpx);
    else
        headHzb(grid, d_.screenpx);
    menuinfo();
    if (!d_.curfile.empty()) {
        if (simple)
            fillSimpleSummary(grid, d_);
        else
            fillFullSummary(grid, d_);
    }
    grid.refresh();
}

void MainWindow::dispatch(const std::string& tool)
{
    if (tool == "miFNew")
        files.newTest();
    else if (tool == "miFOpen")
        files.open();
    else if (tool == "miFSave")
        files.save();
    else if (tool == "miFExit")
        exit();
    else if (tool == "miChb")
        toggleMerge();
    else if (tool == "miCxhs")
        editor.fixCycles();
    else if (tool == "miCcryh")
        editor.insertRow();
    else if (tool == "miCscyh")
        editor.deleteRow();
    else if (tool == "miCjlb")
        ysdata_Click();
    else if (tool == "miChzb")
        hzbdata_Click();
    else if (tool == "miPdate" || tool == "mihz" || tool == "midate" || tool == "miStatus")
        return;
    else if (const auto it = commands.find(tool); it != commands.end() && it->second)
        it->second();
    else if (tool.rfind("mi", 0) == 0)
        dialogs_.message({kNotFinished, "系统提示！", MsgButtons::Ok, MsgIcon::Information, 1});
}

bool MainWindow::confirmClose()
{
    if (d_.dirty != -1 || d_.curfile.empty())
        return true;
    const MsgAnswer a = dialogs_.message(
        {"文件没有保存！保存否？", "系统提示！", MsgButtons::YesNoCancel, MsgIcon::Question, 1});
    if (a == MsgAnswer::Cancel)
        return false;
    if (a == MsgAnswer::Yes)
        return files.save() == SaveResult::Saved;
    return true;
}

void MainWindow::exit()
{
    if (confirmClose() && quit)
        quit();
}

} // namespace pyx
