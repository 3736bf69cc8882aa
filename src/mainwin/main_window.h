#pragma once
// The main window's logic (frmmain): command dispatch, menu state, the tables in the
// grid, start-up and shut-down. The Qt window shows this state and forwards events.

#include <functional>
#include <string>

#include "curves/curve_panel.h"
#include "data/file_commands.h"
#include "data/header_labels.h"
#include "data/model.h"
#include "data/recent_files.h"
#include "dialogs/dialog_host.h"
#include "mainwin/modal_windows.h"
#include "mainwin/record_editing.h"
#include "platform/command_bar.h"
#include "platform/command_registry.h"
#include "platform/dialogs.h"
#include "platform/text_grid.h"

namespace pyx {

class MainWindow : public DialogHost
{
public:
    MainWindow(TestData& data, Dialogs& dialogs, std::string settingsPath);

    TestData& data() { return d_; }
    TextGrid grid;
    CommandBar bar;
    FileCommands files;
    RecordEditor editor;
    CurvePanel curves; // the curve panel: drawing, mouse, marks, scroll bars
    // The files opened last, for the file menu: kept for this run only unless the window
    // keeps them beside the settings file (keepRecentFiles), so that the command line and the
    // tests leave no list behind.
    RecentFiles recent{""};
    void keepRecentFiles() { recent = RecentFiles(RecentFiles::pathBeside(files.settingsPath())); }

    // Texts of the window.
    std::string caption = kAppTitle;
    HeaderLabels labels = emptyHeaderLabels();
    std::string label18; // caption of the current curve

    // The view: texts changed, end the program.
    std::function<void()> textsChanged;
    std::function<void()> quit;
    std::function<void()> recentChanged;
    // The windows the commands open; without them (the command line, most tests) the
    // commands that open a window do nothing.
    void setModalWindows(ModalWindows* windows) { windows_ = windows; }

    // Start-up: layout, start values (settings, last file), empty curve, menu state.
    void load(int screenWidthPx);
    // Runs the command of a tool; a name that is not a tool of the window throws
    // UnknownCommand.
    void dispatch(const std::string& tool);
    const CommandRegistry& commands() const { return commands_; }
    void menuinfo();
    void toggleMerge();
    void ysdata_Click();
    void hzbdata_Click();
    void evaluate();
    void display();
    // A recent file chosen in the file menu: opened as the Open command opens a chosen file;
    // one that no longer exists is told and leaves the list.
    void openRecent(const std::string& path);
    // Prints the reports the print options select, as the print preview's print tool does.
    void print();
    // Closing the window: asks about unsaved data. True when the program may end.
    bool confirmClose();

    // What the dialogs ask of the window.
    void showLabels(const HeaderLabels& texts) override;
    void showCurrentTable() override;
    void refreshCurve() override { display(); }
    void enableSave() override;
    bool saveSettings() override;

private:
    void registerCommands();
    void connectCurves();
    void exit();
    void projectInfo();
    void parameterSetup();
    void printOptions();
    void analysis();

    TestData& d_;
    Dialogs& dialogs_;
    ModalWindows* windows_ = nullptr;
    CommandRegistry commands_;
};

} // namespace pyx
