#include "mainwin/main_window.h"

#include <memory>

#include "analysis/analysis_window.h"
#include "analysis/breakpoint_fit.h"
#include "data/change_record.h"
#include "data/numfmt.h"
#include "data/settings.h"
#include "dialogs/parameter_setup.h"
#include "dialogs/project_info.h"
#include "dialogs/report_info_dialog.h"
#include "dialogs/stats_window.h"
#include "mainwin/command_layout.h"
#include "mainwin/command_names.h"
#include "reports/print_options.h"
#include "reports/report_info.h"
#include "tables/summary_tables.h"

namespace pyx {

MainWindow::MainWindow(TestData& data, Dialogs& dialogs, std::string settingsPath)
    : TestSession(data, dialogs, std::move(settingsPath))
{
    buildMainCommandBar(bar);
    bar.onToolClick = [this](const std::string& tool) { dispatch(tool); };

    grid.onKeyPress = [this](int row, int col, int& key) { editor.keyPress(row, col, key); };
    grid.onValidate = [this](int row, int col, const std::string& text, bool& cancel) {
        editor.validate(row, col, text, cancel);
    };
    grid.onAfterEdit = [this](int row, int col) { editor.afterEdit(row, col); };
    grid.onMouseDown = [this](int button, int row, int col) { editor.mouseDown(button, row, col); };

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
    h.startFolder = [this] { return recent.lastFolder(); };
    // The analysis inputs and the report texts go along with the test; the save itself stands.
    h.savedAs = [this](const std::string& from, const std::string& to) {
        if (const IoResult carried = carrySideFiles(from, to); !carried)
            dialogs_.message({"试验已另存，但其分析参数或报告信息未能一起保存：" + carried.reason(), "提示",
                              MsgButtons::Ok, MsgIcon::Exclamation, 1});
    };
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
    c.enableSave = [this] { flagChange("标记"); };
    c.popupMarks = [this] { bar.popup(band::kMarkPopup); };
    c.suggestions = [this](int rows) {
        const std::vector<StagePoint> points = stagePoints(d_, rows);
        const Suggestions s = suggestLoads(points);
        // The curve counts its own points: a stage of fewer cycles is none of them.
        const auto onCurve = [&](int stage) {
            return stage > 0 && stage <= static_cast<int>(points.size())
                       ? points[static_cast<std::size_t>(stage - 1)].curvePoint + 1
                       : 0;
        };
        std::vector<SuggestedStages> out;
        for (const Suggestion* one : {&s.gradient, &s.lglog, &s.kink})
            out.push_back({onCurve(one->hcrStage), onCurve(one->huStage)});
        return out;
    };
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
    r.add(tool::kSaveAs, [this] { files.saveAs(); });
    r.add(tool::kExit, [this] { exit(); });

    r.add(tool::kUndo, [this] { undo(); });
    r.add(tool::kRedo, [this] { redo(); });
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
    r.add(tool::kReportInfo, [this] {
        if (!windows_)
            return;
        ReportInfoDialog dialog(d_, dialogs_);
        dialog.load();
        windows_->run(dialog);
    });
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
    r.add(tool::kExcelExport, [this] {
        if (windows_)
            windows_->runExcelExport(d_, grid.rows(), dialogs_);
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
    labels = emptyHeaderLabels();
    start(screenWidthPx);
}

void MainWindow::showTexts()
{
    if (textsChanged)
        textsChanged();
}

void MainWindow::testReplaced()
{
    TestSession::testReplaced();
    history.reset(d_);
    showUndoState();
    showEdits();
}

void MainWindow::enableSave()
{
    flagChange("修改数据");
}

void MainWindow::flagChange(const char* name)
{
    d_.dirty = true;
    files.hooks.setSaveEnabled(true);
    if (history.record(d_, command_ ? command_ : name))
        showUndoState();
    showEdits();
}

void MainWindow::showEdits()
{
    std::string summary;
    if (d_.logger.held) {
        const std::vector<TableEdit> edits = tableEdits(d_);
        TextGrid::CellNotes notes;
        int cells = 0;
        int inserted = 0;
        int deleted = 0;
        for (const TableEdit& e : edits) {
            switch (e.kind) {
            case TableEdit::Kind::Changed:
                ++cells;
                notes[{e.row + 1, e.col}] = "记录仪读数：" + singleText(e.loggerValue);
                break;
            case TableEdit::Kind::Inserted:
                ++inserted;
                for (int c = 1; c < grid.cols(); ++c)
                    notes[{e.row + 1, c}] = "插入的行：记录仪没有这一行";
                break;
            case TableEdit::Kind::Deleted:
                ++deleted;
                break;
            }
        }
        if (d_.tabmode == 1)
            grid.setNotes(std::move(notes));
        summary = edits.empty()
                      ? "与记录仪读数一致"
                      : "与记录仪读数不同：" + std::to_string(cells) + " 个单元格，插入 " +
                            std::to_string(inserted) + " 行，删除 " + std::to_string(deleted) + " 行";
    }
    if (summary != editSummary) {
        editSummary = summary;
        if (editSummaryChanged)
            editSummaryChanged();
    }
}

void MainWindow::showUndoState()
{
    bar.setEnabled(band::kEdit, tool::kUndo, history.canUndo());
    bar.setEnabled(band::kEdit, tool::kRedo, history.canRedo());
    bar.refresh(band::kEdit);
}

void MainWindow::undo()
{
    const SettingsTable settings = d_.csz;
    if (history.undo(d_))
        afterHistoryStep(settings);
}

void MainWindow::redo()
{
    const SettingsTable settings = d_.csz;
    if (history.redo(d_))
        afterHistoryStep(settings);
}

void MainWindow::afterHistoryStep(const SettingsTable& settingsBefore)
{
    evaluate();
    showCurrentTable();
    showLabels(headerLabels(d_));
    display();
    // The test differs from the file until it is saved again.
    d_.dirty = true;
    files.hooks.setSaveEnabled(true);
    showUndoState();
    if (d_.csz != settingsBefore)
        saveSettings();
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
    bar.setEnabled(band::kFile, tool::kSaveAs, open);
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
    bar.setEnabled(band::kEdit, tool::kUndo, history.canUndo());
    bar.setEnabled(band::kEdit, tool::kRedo, history.canRedo());
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

namespace {

// The name under which the change a tool makes is kept for undo; none for the tools that
// change nothing of the test, or whose changes are named where they happen.
const char* changeName(const std::string& t)
{
    static const std::pair<const char*, const char*> names[] = {
        {tool::kInsertRow, "插入行"},        {tool::kDeleteRow, "删除行"},
        {tool::kFixCycles, "修正循环数"},    {tool::kMark, "标记"},
        {tool::kClearMarks, "清除标记"},     {tool::kProjectInfo, "工程信息"},
        {tool::kParameterSetup, "参数设置"}, {tool::kAnalyse, "采用建议"},
    };
    for (const auto& [name, change] : names)
        if (t == name)
            return change;
    return nullptr;
}

} // namespace

void MainWindow::dispatch(const std::string& tool)
{
    // Restored also when the tool is unknown and the run throws.
    struct Naming
    {
        const char*& current;
        const char* outer;
        ~Naming() { current = outer; }
    } naming{command_, command_};
    if (const char* name = changeName(tool))
        command_ = name;
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
