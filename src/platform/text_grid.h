#pragma once
// The text grid the program shows its tables in: rows x columns of texts with fixed
// header rows, per-column widths and alignment, merged cells, a current cell, and
// the editor events that the record table needs. The grid's state lives here; a view
// (the Qt table, or nothing in tests) shows it and forwards the user's actions.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace pyx {

enum class CellAlign
{
    Left,
    Center,
    Right
};

// Which cells may merge: none, the fixed (header) cells only, or every cell under the
// restricted rule (a cell merges with an identical neighbour only where the cells of
// the mergeable column to its left are merged too).
enum class MergeMode
{
    Never,
    FixedOnly,
    RestrictAll
};

struct CellSpan
{
    int row = 0;
    int col = 0;
    int rowSpan = 1;
    int colSpan = 1;
    bool operator==(const CellSpan&) const = default;
};

class TextGrid;

// What a view of the grid does for the grid.
class GridView
{
public:
    virtual ~GridView() = default;
    virtual void gridChanged() = 0; // structure, texts or spans changed: redraw
    virtual void focusGrid() = 0;
};

class TextGrid
{
public:
    static constexpr int kDefaultWidth = -1;

    // Clears every cell, span flag and width; keeps the size, the fixed rows, the
    // alignment, the merge mode, the current cell and the event handlers.
    void clear();
    void setCols(int n);
    void setRows(int n);
    int cols() const { return cols_; }
    int rows() const { return static_cast<int>(cells_.size()); }
    void setFixedRows(int n);
    int fixedRows() const { return fixedRows_; }

    void setText(int row, int col, const std::string& text);
    // Empty outside the grid. The reference holds until the grid changes.
    const std::string& text(int row, int col) const;

    // Cells set apart from the others with a note that says why (shown as a tooltip over a
    // distinct background). The notes replace all earlier ones; clear() removes them.
    using CellNotes = std::map<std::pair<int, int>, std::string>;
    void setNotes(CellNotes notes);
    // Empty for a cell without a note.
    const std::string& note(int row, int col) const;

    void setColWidth(int col, int twips); // kDefaultWidth: the view's own width
    int colWidth(int col) const;
    void setColAlign(int col, CellAlign align);
    CellAlign colAlign(int col) const;

    void setEditable(bool on);
    bool editable() const { return editable_; }

    void setMergeMode(MergeMode m);
    MergeMode mergeMode() const { return mergeMode_; }
    void setMergeRow(int row, bool on);
    void setMergeCol(int col, bool on);
    bool mergeCol(int col) const;
    bool mergeRow(int row) const;
    // The merged ranges that the current texts and flags give (only ranges larger than one cell).
    std::vector<CellSpan> spans() const;

    void setCurrent(int row, int col);
    int currentRow() const { return row_; }
    int currentCol() const { return col_; }

    void insertRow(int at); // a blank row at `at`; rows from `at` move down
    void removeRow(int at);

    // Tells the view to redraw / to take the focus. Every change above tells the view too.
    void refresh();
    void focus();
    void attach(GridView* view) { view_ = view; }

    // Editor events, set by the window that owns the table.
    std::function<void(int row, int col, int& key)> onKeyPress; // set key to 0 to discard it
    std::function<void(int row, int col, const std::string& text, bool& cancel)> onValidate;
    std::function<void(int row, int col)> onAfterEdit;
    // A mouse button pressed over cell (row, col); -1 outside the cells. Buttons: 1 left, 2 right.
    std::function<void(int button, int row, int col)> onMouseDown;

    // The user's actions, as a view (or a test) reports them.
    // Runs the key filter over one key typed into the editor of (row, col); returns the
    // key to use, 0 to discard it.
    int filterKey(int row, int col, int key);
    // Runs the key filter over each key (UTF-8 characters) typed into the editor of
    // (row, col) that starts with `start`; returns the editor text. Backspace is key 8;
    // other keys below 32 (Enter is 13) go through the filter but add nothing.
    std::string typeKeys(int row, int col, const std::string& keys, std::string start = {});
    // Commits an edit: validation may cancel it (false, the cell keeps its text); else the
    // text is stored and the after-edit event runs.
    bool commitEdit(int row, int col, const std::string& text);
    bool cellEditable(int row, int col) const;

private:
    void changed();

    int cols_ = 0;
    int fixedRows_ = 0;
    std::vector<std::vector<std::string>> cells_;
    CellNotes notes_;
    std::vector<int> widths_;
    std::vector<CellAlign> aligns_;
    std::vector<bool> mergeRows_;
    std::vector<bool> mergeCols_;
    MergeMode mergeMode_ = MergeMode::Never;
    bool editable_ = false;
    int row_ = 0;
    int col_ = 0;
    GridView* view_ = nullptr;
};

} // namespace pyx
