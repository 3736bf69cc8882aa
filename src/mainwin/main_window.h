#pragma once
// The main window's logic (frmmain): command dispatch, menu state, the tables in the
// grid, start-up and shut-down. The Qt window shows this state and forwards events. The
// open test itself (grid, editor, curves, file commands) is the session it extends.

#include <functional>
#include <string>

#include "data/edit_history.h"
#include "data/header_labels.h"
#include "data/model.h"
#include "data/recent_files.h"
#include "mainwin/modal_windows.h"
#include "platform/command_bar.h"
#include "platform/command_registry.h"
#include "platform/dialogs.h"
#include "session/dialog_host.h"
#include "session/test_session.h"

namespace pyx {

class MainWindow : public TestSession, public DialogHost
{
public:
    MainWindow(TestData& data, Dialogs& dialogs, std::string settingsPath);

    TestData& data() { return d_; }
    CommandBar bar;
    EditHistory history; // undo and redo of the open test's changes
    // The files opened last, for the file menu: kept for this run only unless the window
    // keeps them beside the settings file (keepRecentFiles), so that the command line and the
    // tests leave no list behind.
    RecentFiles recent{""};
    void keepRecentFiles() { recent = RecentFiles(RecentFiles::pathBeside(files.settingsPath())); }

    // Texts of the window.
    std::string caption = kAppTitle;
    HeaderLabels labels = emptyHeaderLabels();
    std::string label18; // caption of the current curve
    // How the record table differs from the logger's readings, for the status bar; empty
    // unless a logger file of 311-byte records is open.
    std::string editSummary;

    // The view: texts changed, end the program.
    std::function<void()> textsChanged;
    std::function<void()> quit;
    std::function<void()> editSummaryChanged;
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
    void menuinfo() override;
    void toggleMerge();
    void hzbdata_Click();
    // Takes back the last change of the test, or does again the last one taken back.
    void undo();
    void redo();
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

protected:
    void showTexts() override;
    // Another test: a new history, and its cells compared with the logger's readings.
    void testReplaced() override;
    void recordTableShown() override { showEdits(); }

private:
    void registerCommands();
    // A change of the test: flagged, the save tool on, and kept in the history under the
    // name of the command running (or `name` outside a command).
    void flagChange(const char* name);
    void showUndoState();
    // Marks the cells that differ from the logger's readings and counts the differences.
    void showEdits();
    void afterHistoryStep(const SettingsTable& settingsBefore);
    void connectCurves();
    void exit();
    void projectInfo();
    void parameterSetup();
    void printOptions();
    void analysis();

    ModalWindows* windows_ = nullptr;
    CommandRegistry commands_;
    const char* command_ = nullptr; // the name of the change the running command makes
};

} // namespace pyx
