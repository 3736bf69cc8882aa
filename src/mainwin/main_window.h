#pragma once
// The main window's logic (frmmain): command dispatch, menu state, the tables in the
// grid, start-up and shut-down. The Qt window shows this state and forwards events.

#include <array>
#include <functional>
#include <map>
#include <string>

#include "curves/curve_panel.h"
#include "data/file_commands.h"
#include "data/model.h"
#include "mainwin/record_editing.h"
#include "platform/command_bar.h"
#include "platform/dialogs.h"
#include "platform/text_grid.h"

namespace pyx {

inline constexpr const char* kNotFinished = "此功能尚未完成";

class MainWindow
{
public:
    MainWindow(TestData& data, Dialogs& dialogs, std::string settingsPath);

    TestData& data() { return d_; }
    TextGrid grid;
    CommandBar bar;
    FileCommands files;
    RecordEditor editor;
    CurvePanel curves; // the curve panel: drawing, mouse, marks, scroll bars

    // Texts of the window.
    std::string caption = kAppTitle;
    std::array<std::string, 4> labels{"工程名称：", "试桩编号：", "测试日期：", "上下表距："};
    std::string label18; // caption of the current curve

    // Commands that other windows provide, by tool name ("miPprojectInfo", "miCh0t", ...).
    // A tool without one tells the user it is not finished yet.
    std::map<std::string, std::function<void()>> commands;
    // The curve drawings that `display` redraws.
    std::function<void()> drawQs;
    std::function<void()> drawLg;
    // The view: texts changed, end the program.
    std::function<void()> textsChanged;
    std::function<void()> quit;

    // Start-up: layout, start values (settings, last file), empty curve, menu state.
    void load(int screenWidthPx);
    void dispatch(const std::string& tool);
    void menuinfo();
    void toggleMerge();
    void ysdata_Click();
    void hzbdata_Click();
    void evaluate();
    void display();
    void enableSave();
    // Closing the window: asks about unsaved data. True when the program may end.
    bool confirmClose();

private:
    void connectCurves();
    void exit();

    TestData& d_;
    Dialogs& dialogs_;
};

} // namespace pyx
