#include "platform/qt/grid_model.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace pyx {
namespace {

Qt::Alignment toQt(CellAlign align)
{
    switch (align) {
    case CellAlign::Center:
        return Qt::AlignCenter;
    case CellAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case CellAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

GridModel::GridModel(TextGrid& grid, Part part, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), part_(part)
{
    sync();
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(grid_.text(gridRow(index.row()), index.column()));
    case Qt::ToolTipRole:
    case Qt::BackgroundRole: {
        const std::string& note = grid_.note(gridRow(index.row()), index.column());
        if (note.empty())
            return {};
        if (role == Qt::ToolTipRole)
            return QString::fromStdString(note);
        return QBrush(QColor(255, 214, 153)); // light orange: differs from the logger's reading
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(part_ == Part::Header ? Qt::Alignment(Qt::AlignCenter)
                                                         : toQt(grid_.colAlign(index.column())));
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || part_ == Part::Header)
        return Qt::ItemIsEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid_.cellEditable(gridRow(index.row()), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || part_ == Part::Header)
        return false;
    if (!grid_.commitEdit(gridRow(index.row()), index.column(), value.toString().toStdString()))
        return false;
    emit dataChanged(index, index);
    return true;
}

bool GridModel::sync()
{
    const int fixed = std::min(grid_.fixedRows(), grid_.rows());
    const int first = part_ == Part::Header ? 0 : fixed;
    const int rows = part_ == Part::Header ? fixed : grid_.rows() - fixed;
    if (first != first_ || rows != rows_ || grid_.cols() != cols_) {
        beginResetModel();
        first_ = first;
        rows_ = rows;
        cols_ = grid_.cols();
        takeTexts();
        endResetModel();
        return true;
    }
    if (rows_ <= 0 || cols_ <= 0)
        return false;
    bool alignsChanged = false;
    for (int c = 0; c < cols_; ++c)
        alignsChanged = alignsChanged || grid_.colAlign(c) != shownAligns_[static_cast<std::size_t>(c)];
    if (alignsChanged) {
        takeTexts();
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
        return false;
    }
    // The range of the cells whose texts changed: after an edit, the edited cell and those
    // that follow from it.
    int top = rows_, bottom = -1, left = cols_, right = -1;
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            std::string& shown = shown_[static_cast<std::size_t>(r * cols_ + c)];
            std::string text = grid_.text(gridRow(r), c);
            if (text == shown)
                continue;
            shown = std::move(text);
            top = std::min(top, r);
            bottom = std::max(bottom, r);
            left = std::min(left, c);
            right = std::max(right, c);
        }
    }
    if (bottom >= 0)
        emit dataChanged(index(top, left), index(bottom, right));
    return false;
}

void GridModel::takeTexts()
{
    shown_.assign(static_cast<std::size_t>(std::max(0, rows_) * std::max(0, cols_)), std::string());
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c)
            shown_[static_cast<std::size_t>(r * cols_ + c)] = grid_.text(gridRow(r), c);
    shownAligns_.clear();
    for (int c = 0; c < cols_; ++c)
        shownAligns_.push_back(grid_.colAlign(c));
}

} // namespace pyx
