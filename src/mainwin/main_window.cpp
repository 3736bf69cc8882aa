#include "mainwin/main_window.h"

#include <memory>

#include "analysis/analysis_window.h"
#include "analysis/stats_window.h"
#include "data/cp936.h"
#include "data/settings.h"
#include "data/startup.h"
#include "dialogs/parameter_setup.h"
#include "dialogs/project_info.h"
#include "eval/curve_scale.h"
#include "eval/evaluation.h"
#include "mainwin/command_layout.h"
#include "mainwin/command_names.h"
#include "mainwin/record_table.h"
#include "mainwin/summary_tables.h"
#include "reports/print_options.h"

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
    editor.popupEditMenu = [this] { bar.popup(band::kEdit); };

    FileCommandHooks& h = files.hooks;
    h.showHeader = [this](const std::string& c, const HeaderLabels& l) {
        // Another test: its suggestions are shown once its analysis is opened.
        curves.showSuggestions = false;
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
        bar.setEnabled(band::kFile, tool::kSave, on);
        bar.setEnabled(band::kToolbar, tool::kSave, on);
        bar.refresh(band::kFile);
        bar.refresh(band::kToolbar);
    };
    h.clearGrid = [this] {
        editor.clearRefusal();
        grid.setRows(2);
        grid.setEditable(true); // the new test is typed in
        grid.refresh();
    };
    h.newProjectInfo = [this] { dispatch(tool::kProjectInfo); };
    // The open loads the project information dialog without showing it.
    h.loadProjectInfo = [this] {
        ProjectInfoDialog info(d_, *this, dialogs_);
        info.load();
        d_.bjtext = trimBlanks(info.text2[5]);
    };
    h.startFolder = [this] { return recent.lastFolder(); };
    h.opened = [this](const std::string& path) {
        recent.add(path);
        if (recentChanged)
            recentChanged();
    };
    connectCurves();
    registerCommands();
}

void MainWindow::openRecent(const std::string& path)
{
    if (!recentFileExists(path)) {
        dialogs_.message({"文件不存在：" + path, "提示", MsgButtons::Ok, MsgIcon::Exclamation, 1});
        recent.remove(path);
        if (recentChanged)
            recentChanged();
        return;
    }
    files.openChosen(path);
}

void MainWindow::print()
{
    if (windows_ && !d_.curfile.empty())
        windows_->runPrint(d_, grid.rows(), dialogs_);
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
    c.popupMarks = [this] { bar.popup(band::kMarkPopup); };
    c.gridRows = [this] { return grid.rows(); };
    c.runMarkDialog = [this](MarkDialog& dialog) {
        if (windows_)
            windows_->run(dialog);
    };
}

// Every tool of the layout (command_layout.cpp) has its command here, and only those.
void MainWindow::registerCommands()
{
    CommandRegistry& r = commands_;
    const auto nothing = [] {};
    // The menu-bar tools open their menus; the status bar panes only show texts.
    for (const char* menu : {band::kFile, band::kEdit, band::kParameter, band::kChart, band::kPrint,
                             band::kAnalysis, band::kHelp})
        r.add(menu, nothing);
    for (const char* pane : {tool::kStatusText, tool::kStatusLoad, tool::kStatusDate})
        r.add(pane, nothing);
    r.add(tool::kDataSetup, nothing);

    r.add(tool::kNew, [this] { files.newTest(); });
    r.add(tool::kOpen, [this] { files.open(); });
    r.add(tool::kSave, [this] { files.save(); });
    r.add(tool::kExit, [this] { exit(); });

    r.add(tool::kMerge, [this] { toggleMerge(); });
    r.add(tool::kFixCycles, [this] { editor.fixCycles(); });
    r.add(tool::kInsertRow, [this] { editor.insertRow(); });
    r.add(tool::kDeleteRow, [this] { editor.deleteRow(); });

    r.add(tool::kRecordTable, [this] { ysdata_Click(); });
    r.add(tool::kSummary, [this] { hzbdata_Click(); });
    r.add(tool::kTimeCurve, [this] { curves.DrawChartQS_Click(); });
    r.add(tool::kGradientCurve, [this] { curves.MenuSLgQcurve_Click(); });
    r.add(tool::kMark, [this] { curves.markCommand(); });
    r.add(tool::kClearMarks, [this] { curves.clearMarksCommand(); });

    r.add(tool::kProjectInfo, [this] { projectInfo(); });
    r.add(tool::kParameterSetup, [this] { parameterSetup(); });
    r.add(tool::kRawData, [this] {
        if (windows_)
            windows_->runRawData(d_);
    });
    r.add(tool::kPrintOptions, [this] { printOptions(); });
    r.add(tool::kAnalyse, [this] { analysis(); });
    // The statistics open the tests with the settings in effect; the open test is not touched.
    r.add(tool::kStatistics, [this] {
        if (!windows_)
            return;
        StatsWindow stats(d_.csz, dialogs_);
        windows_->run(stats);
    });
    r.add(tool::kAbout, [this] {
        if (windows_)
            windows_->runAbout();
    });
    r.add(tool::kUserGuide, [this] {
        if (windows_)
            windows_->runUserGuide();
    });

    for (const char* preview : {tool::kPrintPreviewTool, tool::kPrintPreview})
        r.add(preview, [this] {
            if (windows_)
                windows_->runPreview(d_, grid.rows(), dialogs_);
        });
    r.add(tool::kWordExport, [this] {
        if (windows_)
            windows_->runWordExport(d_, grid.rows(), dialogs_);
    });
}

void MainWindow::projectInfo()
{
    if (!windows_)
        return;
    ProjectInfoDialog dialog(d_, *this, dialogs_);
    // After a new test's project information the parameters follow, without blocking.
    dialog.showParameterSetup = [this] {
        auto setup = std::make_unique<ParameterSetupDialog>(d_, *this);
        setup->load();
        windows_->show(std::move(setup));
    };
    dialog.load();
    windows_->run(dialog);
}

void MainWindow::parameterSetup()
{
    if (!windows_)
        return;
    ParameterSetupDialog dialog(d_, *this);
    dialog.load();
    windows_->run(dialog);
}

void MainWindow::printOptions()
{
    if (!windows_)
        return;
    PrintOptionsDialog dialog(d_, dialogs_, *this);
    dialog.load();
    windows_->run(dialog);
}

void MainWindow::analysis()
{
    if (!windows_ || d_.curfile.empty())
        return;
    AnalysisWindow window(d_, grid.rows(), dialogs_);
    window.adoptSuggestion = [this](int hcrStage, int huStage) { curves.adoptSuggestion(hcrStage, huStage); };
    window.load();
    // The gradient curve rings the suggestions from now on.
    curves.showSuggestions = true;
    if (d_.curvekind == CurveKind::Gradient)
        curves.MenuSLgQcurve_Click();
    windows_->run(window);
    window.close();
}

void MainWindow::load(int screenWidthPx)
{
    d_.screenpx = screenWidthPx;
    headJlb(grid, d_.screenpx);
    grid.setEditable(false);
    grid.refresh();
    labels = emptyHeaderLabels();
    startValues(d_, files.settingsPath());
    const std::string last = lastDataFile(d_);
    if (!last.empty()) {
        d_.curfile = last;
        d_.autoopen = true;
        files.open();
        d_.autoopen = false;
    }
    menuinfo();
    if (textsChanged)
        textsChanged();
    if (d_.curfile.empty())
        curves.DrawChartQS_Click();
}

void MainWindow::evaluate()
{
    ystodb(d_);
}

void MainWindow::display()
{
    pyx::display(
        d_, CurveDrawers{[this] { curves.DrawChartQS_Click(); }, [this] { curves.MenuSLgQcurve_Click(); }});
}

void MainWindow::enableSave()
{
    d_.dirty = true;
    files.hooks.setSaveEnabled(true);
}

void MainWindow::showLabels(const HeaderLabels& texts)
{
    labels = texts;
    if (textsChanged)
        textsChanged();
}

void MainWindow::showCurrentTable()
{
    if (d_.tabmode == 0)
        hzbdata_Click();
    else if (d_.tabmode == 1)
        ysdata_Click();
}

bool MainWindow::saveSettings()
{
    return writeSettingsOrTell(files.settingsPath(), d_.csz, dialogs_);
}

void MainWindow::menuinfo()
{
    const bool open = !d_.curfile.empty();
    // A test with unsaved changes keeps its save tool.
    const bool saveOn = open && d_.dirty;
    bar.setEnabled(band::kFile, tool::kSave, saveOn);
    bar.setEnabled(band::kToolbar, tool::kSave, saveOn);
    for (const char* menu : {band::kChart, band::kPrint, band::kEdit})
        bar.setEnabled(band::kMenuBar, menu, open);
    // The analysis needs the open test; the statistics open their own files.
    bar.setEnabled(band::kAnalysis, tool::kAnalyse, open);
    for (const char* t : {tool::kRecordTable, tool::kSummary, tool::kTimeCurve, tool::kGradientCurve,
                          tool::kPrintPreviewTool})
        bar.setEnabled(band::kToolbar, t, open);
    if (open) {
        bar.setEnabled(band::kMenuBar, band::kEdit, d_.tabmode == 1);
        bar.setCaption(band::kEdit, tool::kMerge,
                       mergeTablesIsOne(d_.csz) ? "禁止表格合并(&H)" : "允许表格合并(&H)");
        const bool raw = d_.ftype == FileKind::Raw311;
        bar.setVisible(band::kChart, tool::kRawData, raw);
        bar.setVisible(band::kChart, tool::kRawDataSeparator, raw);
        const bool marks = d_.curvekind != CurveKind::Time;
        bar.setVisible(band::kChart, tool::kMark, marks);
        bar.setVisible(band::kChart, tool::kClearMarks, marks);
    }
    for (const char* b : {band::kFile, band::kEdit, band::kParameter, band::kChart, band::kMarkPopup,
                          band::kAnalysis, band::kMenuBar, band::kToolbar})
        bar.refresh(b);
}

void MainWindow::toggleMerge()
{
    setSettingFlag(d_.csz, setting::kMergeTables, !mergeTables(d_.csz));
    menuinfo();
    ysdata_Click();
    saveSettings();
}

void MainWindow::ysdata_Click()
{
    editor.clearRefusal();
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
    editor.clearRefusal();
    d_.tabmode = 0;
    const bool simple = simpleSummary(d_.csz);
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
    commands_.run(tool);
}

bool MainWindow::confirmClose()
{
    if (!d_.dirty || d_.curfile.empty())
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
