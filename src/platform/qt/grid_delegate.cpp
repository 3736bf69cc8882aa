#include "platform/qt/grid_delegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTimer>

namespace pyx {
namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
const char* const kRowProperty = "pyxGridRow";
const char* const kColProperty = "pyxGridCol";
const char* const kLoadedProperty = "pyxGridLoaded";

} // namespace

GridDelegate::GridDelegate(TextGrid& grid, const GridModel& model, QAbstractItemView* view)
    : QStyledItemDelegate(view), grid_(grid), model_(model), view_(view)
{
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(option.displayAlignment);
    editor->setProperty(kRowProperty, model_.gridRow(index.row()));
    editor->setProperty(kColProperty, index.column());
    open_ = editor;
    return editor;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return;
    // Once the editor shows its cell, what the user types wins over refreshes of the grid.
    if (line->property(kLoadedProperty).toBool())
        return;
    line->setProperty(kLoadedProperty, true);
    if (index.row() == pendingRow_ && index.column() == pendingCol_) {
        line->setText(pendingText_);
        pendingRow_ = pendingCol_ = -1;
        return;
    }
    line->setText(index.data(Qt::EditRole).toString());
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return;
    const QString text = line->text();
    bool accepted = false;
    {
        QScopedValueRollback guard(committing_, true);
        accepted = model->setData(index, text, Qt::EditRole);
    }
    refused_ = !accepted;
    if (refused_ && !keyCommit_)
        reopenLater(index, text);
}

void GridDelegate::reopenLater(const QModelIndex& index, const QString& text) const
{
    const int row = index.row();
    const int col = index.column();
    QTimer::singleShot(0, view_, [this, row, col, text] {
        const QModelIndex cell = view_->model()->index(row, col);
        if (!cell.isValid())
            return;
        pendingText_ = text;
        pendingRow_ = row;
        pendingCol_ = col;
        view_->setCurrentIndex(cell);
        view_->edit(cell);
    });
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor && event->type() == QEvent::FocusOut && committing_)
        return false;
    if (editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            commitOnEnter(editor);
            return true;
        case Qt::Key_Tab:
            commitAndMove(editor, EditNextItem);
            return true;
        case Qt::Key_Backtab:
            commitAndMove(editor, EditPreviousItem);
            return true;
        default:
            break;
        }
        if (filterTypedKeys(editor, key))
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

// Runs the typed characters through the key filter. False when they pass unchanged
// (the editor handles the event itself); otherwise the editor gets what passed.
bool GridDelegate::filterTypedKeys(QLineEdit* editor, const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QList<uint> typed = event->text().toUcs4();
    if (typed.isEmpty() || (typed.size() == 1 && typed.front() < 32 && typed.front() != kBackspace))
        return false;
    const int row = editor->property(kRowProperty).toInt();
    const int col = editor->property(kColProperty).toInt();
    QList<uint> passed;
    for (const uint code : typed) {
        const int key = grid_.filterKey(row, col, static_cast<int>(code));
        if (key != 0)
            passed.push_back(static_cast<uint>(key));
    }
    if (passed == typed)
        return false;
    for (const uint code : passed) {
        if (code == kBackspace)
            editor->backspace();
        else if (code >= 32) {
            const char32_t ch = code;
            editor->insert(QString::fromUcs4(&ch, 1));
        }
    }
    return true;
}

// Commits the editor's text; false when validation refuses it.
bool GridDelegate::commitFromKey(QLineEdit* editor)
{
    QScopedValueRollback guard(keyCommit_, true);
    refused_ = false;
    emit commitData(editor);
    return !refused_;
}

void GridDelegate::commitOnEnter(QLineEdit* editor)
{
    const int row = grid_.currentRow();
    const int col = grid_.currentCol();
    if (grid_.filterKey(editor->property(kRowProperty).toInt(), editor->property(kColProperty).toInt(),
                        kEnter) == 0)
        return;
    if (commitFromKey(editor))
        emit closeEditor(editor, NoHint);
    else
        grid_.setCurrent(row, col); // the key filter moved on; a refused edit stays on its cell
}

bool GridDelegate::commitOpenEditor()
{
    QLineEdit* editor = open_.data();
    if (!editor || !editor->isVisible())
        return true;
    if (!commitFromKey(editor))
        return false;
    emit closeEditor(editor, NoHint);
    return true;
}

void GridDelegate::commitAndMove(QLineEdit* editor, EndEditHint hint)
{
    if (commitFromKey(editor))
        emit closeEditor(editor, hint);
}

} // namespace pyx
