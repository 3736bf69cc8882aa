#pragma once
// An open test without a window: the record table in a text grid with its editor, the curve
// panel and the file commands, wired to each other as the program needs them whether a window
// shows them or not. The main window is a session with its command bar, texts and windows;
// the statistics, pyx-cli and the tests open files in a session alone.

#include <memory>
#include <string>

#include "curves/curve_panel.h"
#include "data/model.h"
#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_grid.h"
#include "session/file_commands.h"
#include "tables/record_editing.h"

namespace pyx {

class TestSession
{
public:
    TestSession(TestData& data, Dialogs& dialogs, std::string settingsPath);
    virtual ~TestSession() = default;
    TestSession(const TestSession&) = delete;
    TestSession& operator=(const TestSession&) = delete;

    TextGrid grid;
    FileCommands files;
    RecordEditor editor;
    CurvePanel curves; // the curve panel: drawing, mouse, marks, scroll bars

    // Start-up: layout, start values (settings, last file), empty curve, menu state.
    void start(int screenWidthPx);
    void evaluate();
    void display();
    void ysdata_Click();
    // The state of the menus and tools; without a window there is none.
    virtual void menuinfo() {}

protected:
    // The texts of the window changed; without a window nothing shows them.
    virtual void showTexts() {}
    // Another test (or none) is in the session: opened, begun with New, or a failed open.
    // Takes what the logger recorded (before any window works on the raw rows) and tells
    // once what is wrong with an opened file.
    virtual void testReplaced();
    // The record table was shown again in the grid.
    virtual void recordTableShown() {}

    TestData& d_;
    Dialogs& dialogs_;
};

// A test opened without a window, as the window's start-up and Open leave it: the settings
// file `settingsPath` (none: empty settings, checked as at start-up), or the settings table
// `settings` when given, then the file `path`. The messages the user would have seen are in
// `dialogs.messages`.
struct OpenedTest
{
    std::unique_ptr<TestData> data = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    std::unique_ptr<TestSession> session;
    OpenResult result = OpenResult::Cancelled;
};
std::unique_ptr<OpenedTest> openTestAlone(const std::string& path, const std::string& settingsPath,
                                          const SettingsTable* settings = nullptr);

} // namespace pyx
