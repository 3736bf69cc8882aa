#pragma once
// Editing of the record table in the grid: key filter, validation, normalisation of
// committed texts, the write-back to the record table and the row commands.

#include <functional>

#include "data/model.h"
#include "platform/dialogs.h"
#include "platform/text_grid.h"

namespace pyx {

class RecordEditor
{
public:
    RecordEditor(TestData& d, TextGrid& grid, Dialogs& dialogs) : d_(d), grid_(grid), dialogs_(dialogs) {}

    // Set by the main window.
    std::function<void()> evaluate;      // ystodb
    std::function<void()> display;       // rescale and redraw the current curve
    std::function<void()> enableSave;    // dirty = -1 and the save tool on
    std::function<void()> popupEditMenu; // the band "mnuedit" at the mouse

    // Grid events.
    void keyPress(int row, int col, int& key);
    void validate(int row, int col, const std::string& text, bool& cancel);
    void afterEdit(int row, int col);
    void mouseDown(int button, int row, int col);

    void savejlb();
    void fixCycles();
    void fixCyclesQuiet();
    void insertRow();
    void deleteRow();

private:
    bool renumberCycles();
    void addFirstRow();
    void recompute();

    TestData& d_;
    TextGrid& grid_;
    Dialogs& dialogs_;
};

} // namespace pyx
