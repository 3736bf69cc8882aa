#pragma once
// The text grid on screen: the fixed rows in a table of their own above the data rows,
// so they stay in view while the data scroll; both share column widths and the
// horizontal scrolling. Merged ranges, alignment and texts come from the TextGrid; the
// user's edits, clicks and current-cell moves go back to it.

#include <QFrame>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text_grid.h"

class QTableView;

namespace pyx {

class FixedRowsView;
class GridDelegate;
class GridModel;

class QtTextGrid : public QFrame, public GridView
{
    Q_OBJECT
public:
    // Attaches itself to `grid`, which must outlive the widget.
    explicit QtTextGrid(TextGrid& grid, QWidget* parent = nullptr);
    ~QtTextGrid() override;

    // Changes are collected and shown once the current event has been handled.
    void gridChanged() override;
    void focusGrid() override;
    // Commits the text of an open cell editor; false when validation refuses it.
    bool commitOpenEditor();
    // Shows the grid's state now.
    void sync();

    QTableView* headerView() const;
    QTableView* dataView() const { return data_; }
    // The width that shows every column whole: the columns, the vertical scroll bar, the frame.
    int columnsWidth() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUpView(QTableView* view);
    void applyColumnWidths(const std::vector<CellSpan>& spans);
    void applySpans(const std::vector<CellSpan>& spans);
    void fitHeaderRows(const std::vector<CellSpan>& spans);
    void showCurrentCell();
    void currentCellMoved(const QModelIndex& current);
    void alignHeaderWithData();
    int pixels(int twips) const;
    int textWidth(const std::string& text) const;

    TextGrid& grid_;
    GridModel* headerModel_;
    GridModel* dataModel_;
    FixedRowsView* header_;
    QTableView* data_;
    GridDelegate* delegate_ = nullptr;
    // Widths of the texts measured so far, in the widget's font: a sync measures only the
    // texts that changed since.
    mutable std::unordered_map<std::string, int> textWidths_;
    std::vector<CellSpan> shownSpans_; // the merged ranges the views have
    bool syncPending_ = false;
    bool syncing_ = false;
};

} // namespace pyx
