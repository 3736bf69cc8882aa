#pragma once
// The cell editor of the text grid's data rows. Every key typed into the editor goes
// through the grid's key filter; Enter goes through it too and then commits, Tab commits
// and moves to the next cell. A commit that validation refuses leaves the user in the
// editor with the text as typed: after Enter or Tab the editor stays open on its cell;
// when the user left the cell (a click elsewhere), the editor reopens there.

#include <QPointer>
#include <QStyledItemDelegate>

#include "platform/qt/grid_model.h"

class QAbstractItemView;
class QKeyEvent;
class QLineEdit;

namespace pyx {

class GridDelegate : public QStyledItemDelegate
{
public:
    GridDelegate(TextGrid& grid, const GridModel& model, QAbstractItemView* view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // Commits and closes the editor that is open, as Enter does; false when validation
    // refuses its text (the editor stays open with it). True when none is open.
    bool commitOpenEditor();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool filterTypedKeys(QLineEdit* editor, const QKeyEvent* event);
    bool commitFromKey(QLineEdit* editor);
    void commitOnEnter(QLineEdit* editor);
    void commitAndMove(QLineEdit* editor, EndEditHint hint);
    void reopenLater(const QModelIndex& index, const QString& text) const;

    TextGrid& grid_;
    const GridModel& model_;
    QAbstractItemView* view_;
    mutable QPointer<QLineEdit> open_; // the editor last created, while it lives
    // setModelData is running: the focus moves that the after-edit event causes must
    // not commit the same editor a second time.
    mutable bool committing_ = false;
    mutable bool refused_ = false;
    // Enter or Tab commits: a refusal keeps the editor open, nothing to reopen.
    bool keyCommit_ = false;
    // A refused text, shown again in the editor that reopens on its cell.
    mutable QString pendingText_;
    mutable int pendingRow_ = -1;
    mutable int pendingCol_ = -1;
};

} // namespace pyx
