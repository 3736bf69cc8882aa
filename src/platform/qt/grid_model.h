#pragma once
// The rows of a text grid as a Qt table model: either its fixed (header) rows or its
// data rows. Texts are read from the grid; the row and column counts are taken over
// by sync(), so a view never sees a count that changed behind its back.

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "platform/text_grid.h"

namespace pyx {

class GridModel : public QAbstractTableModel
{
public:
    enum class Part
    {
        Header,
        Data
    };

    GridModel(TextGrid& grid, Part part, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit of a data cell goes to TextGrid::commitEdit; false when it is refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Takes over the grid's current shape and tells the views which texts changed since the
    // last sync, so they repaint those cells only. True when the shape changed (a reset).
    bool sync();
    int gridRow(int row) const { return first_ + row; }
    int modelRow(int gridRow) const { return gridRow - first_; }
    Part part() const { return part_; }

private:
    TextGrid& grid_;
    Part part_;
    int first_ = 0;
    int rows_ = 0;
    int cols_ = 0;
    // The texts and column alignments the views were last told about, row by row.
    std::vector<std::string> shown_;
    std::vector<CellAlign> shownAligns_;

    void takeTexts();
};

} // namespace pyx
