#pragma once
// Editing of the record table in the grid: key filter, validation, normalisation of
// committed texts, the write-back to the record table and the row commands.

#include <functional>
#include <string>

#include "data/model.h"
#include "platform/dialogs.h"
#include "platform/text_grid.h"
#include "tables/mark_loads.h"

namespace pyx {

// Why the validation refuses the text of a cell editor; None when it takes it.
enum class EditRefusal
{
    None,
    TooLong,     // more characters than the column holds
    NotNumeric,  // not a number (nor the column's "not applicable" text)
    TooLarge,    // above the column's largest value
    TimeFormat,  // not five characters hh:mm, or no colon in the middle
    TimeHours,   // hours above 23
    TimeMinutes, // tens of minutes above 5
};

// The validation rule of record-table column `col` applied to the editor's text.
EditRefusal checkEdit(int col, const std::string& text);
// The refusals that sound the beep: all but those of the time column.
bool refusalBeeps(EditRefusal refusal);
// The short reason shown to the user for a refusal in column `col`; empty for None.
std::string refusalReason(int col, EditRefusal refusal);

// The data rows a test of this file kind keeps when it is saved.
int tableCapacity(FileKind kind);

class RecordEditor
{
public:
    RecordEditor(TestData& d, TextGrid& grid, Dialogs& dialogs) : d_(d), grid_(grid), dialogs_(dialogs) {}

    // Set by the main window.
    std::function<void()> evaluate;      // ystodb
    std::function<void()> display;       // rescale and redraw the current curve
    std::function<void()> enableSave;    // dirty = -1 and the save tool on
    std::function<void()> popupEditMenu; // the edit menu at the mouse
    // The reason of a refused edit changed: set by a refusal, emptied by the next valid edit.
    std::function<void(const std::string& reason)> refusalChanged;

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

    // The reason of the last refused edit; empty once an edit has been taken.
    const std::string& refusal() const { return refusal_; }
    // Another table or test is shown: an old reason no longer applies.
    void clearRefusal() { setRefusal({}); }

private:
    bool renumberCycles();
    void addFirstRow();
    // Writes the grid back, evaluates, keeps the marks on the loads they stood on before
    // the command (telling which were cleared) and redraws.
    void recompute(const MarkLoads& marks);
    void setRefusal(std::string reason);

    TestData& d_;
    TextGrid& grid_;
    Dialogs& dialogs_;
    std::string refusal_;
};

} // namespace pyx
