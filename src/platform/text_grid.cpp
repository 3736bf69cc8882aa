#include "platform/text_grid.h"

#include <algorithm>

#include "base/utf8.h"

namespace pyx {
namespace {

bool inRange(int i, std::size_t size)
{
    return i >= 0 && static_cast<std::size_t>(i) < size;
}

// Reads the code point starting at `i` and advances `i`; a stray byte reads as itself.
int nextCodePoint(const std::string& s, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(s[i++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    int cp = extra == 3 ? lead & 0x07 : extra == 2 ? lead & 0x0F : extra == 1 ? lead & 0x1F : lead;
    for (; extra > 0 && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80; --extra)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    return cp;
}

// Removes the last UTF-8 character of `s`.
void popCharacter(std::string& s)
{
    while (!s.empty()) {
        const auto last = static_cast<unsigned char>(s.back());
        s.pop_back();
        if ((last & 0xC0) != 0x80)
            break;
    }
}

} // namespace

void TextGrid::clear()
{
    for (auto& row : cells_)
        std::fill(row.begin(), row.end(), std::string());
    notes_.clear();
    std::fill(widths_.begin(), widths_.end(), kDefaultWidth);
    std::fill(mergeRows_.begin(), mergeRows_.end(), false);
    std::fill(mergeCols_.begin(), mergeCols_.end(), false);
    changed();
}

void TextGrid::setCols(int n)
{
    if (n < 0)
        return;
    cols_ = n;
    for (auto& row : cells_)
        row.resize(static_cast<std::size_t>(n));
    widths_.resize(static_cast<std::size_t>(n), kDefaultWidth);
    aligns_.resize(static_cast<std::size_t>(n), CellAlign::Left);
    mergeCols_.resize(static_cast<std::size_t>(n), false);
    col_ = std::clamp(col_, 0, std::max(0, n - 1));
    changed();
}

void TextGrid::setRows(int n)
{
    if (n < 0)
        return;
    cells_.resize(static_cast<std::size_t>(n), std::vector<std::string>(static_cast<std::size_t>(cols_)));
    mergeRows_.resize(static_cast<std::size_t>(n), false);
    row_ = std::clamp(row_, 0, std::max(0, n - 1));
    changed();
}

void TextGrid::setFixedRows(int n)
{
    fixedRows_ = std::max(0, n);
    changed();
}

void TextGrid::setText(int row, int col, const std::string& text)
{
    if (!inRange(row, cells_.size()) || !inRange(col, static_cast<std::size_t>(cols_)))
        return;
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
    changed();
}

const std::string& TextGrid::text(int row, int col) const
{
    static const std::string outside;
    if (!inRange(row, cells_.size()) || !inRange(col, static_cast<std::size_t>(cols_)))
        return outside;
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TextGrid::setColWidth(int col, int twips)
{
    if (!inRange(col, widths_.size()))
        return;
    widths_[static_cast<std::size_t>(col)] = twips < 0 ? kDefaultWidth : twips;
    changed();
}

int TextGrid::colWidth(int col) const
{
    return inRange(col, widths_.size()) ? widths_[static_cast<std::size_t>(col)] : kDefaultWidth;
}

void TextGrid::setColAlign(int col, CellAlign align)
{
    if (!inRange(col, aligns_.size()))
        return;
    aligns_[static_cast<std::size_t>(col)] = align;
    changed();
}

CellAlign TextGrid::colAlign(int col) const
{
    return inRange(col, aligns_.size()) ? aligns_[static_cast<std::size_t>(col)] : CellAlign::Left;
}

void TextGrid::setEditable(bool on)
{
    editable_ = on;
    changed();
}

void TextGrid::setMergeMode(MergeMode m)
{
    mergeMode_ = m;
    changed();
}

void TextGrid::setMergeRow(int row, bool on)
{
    if (!inRange(row, mergeRows_.size()))
        return;
    mergeRows_[static_cast<std::size_t>(row)] = on;
    changed();
}

void TextGrid::setMergeCol(int col, bool on)
{
    if (!inRange(col, mergeCols_.size()))
        return;
    mergeCols_[static_cast<std::size_t>(col)] = on;
    changed();
}

bool TextGrid::mergeCol(int col) const
{
    return inRange(col, mergeCols_.size()) && mergeCols_[static_cast<std::size_t>(col)];
}

bool TextGrid::mergeRow(int row) const
{
    return inRange(row, mergeRows_.size()) && mergeRows_[static_cast<std::size_t>(row)];
}

void TextGrid::setCurrent(int row, int col)
{
    if (!inRange(row, cells_.size()) || !inRange(col, static_cast<std::size_t>(cols_)))
        return;
    if (row == row_ && col == col_)
        return;
    row_ = row;
    col_ = col;
    changed();
}

void TextGrid::setNotes(CellNotes notes)
{
    notes_ = std::move(notes);
    changed();
}

const std::string& TextGrid::note(int row, int col) const
{
    static const std::string none;
    const auto it = notes_.find({row, col});
    return it == notes_.end() ? none : it->second;
}

void TextGrid::insertRow(int at)
{
    if (at < 0 || at > rows())
        return;
    cells_.insert(cells_.begin() + at, std::vector<std::string>(static_cast<std::size_t>(cols_)));
    mergeRows_.insert(mergeRows_.begin() + at, false);
    changed();
}

void TextGrid::removeRow(int at)
{
    if (!inRange(at, cells_.size()))
        return;
    cells_.erase(cells_.begin() + at);
    mergeRows_.erase(mergeRows_.begin() + at);
    row_ = std::clamp(row_, 0, std::max(0, rows() - 1));
    changed();
}

void TextGrid::refresh()
{
    changed();
}

void TextGrid::focus()
{
    if (view_)
        view_->focusGrid();
}

void TextGrid::changed()
{
    if (view_)
        view_->gridChanged();
}

int TextGrid::filterKey(int row, int col, int key)
{
    if (onKeyPress)
        onKeyPress(row, col, key);
    return key;
}

std::string TextGrid::typeKeys(int row, int col, const std::string& keys, std::string start)
{
    std::string text = std::move(start);
    for (std::size_t i = 0; i < keys.size();) {
        const int key = filterKey(row, col, nextCodePoint(keys, i));
        if (key == 8)
            popCharacter(text);
        else if (key >= 32)
            appendUtf8(text, static_cast<char32_t>(key));
    }
    return text;
}

bool TextGrid::commitEdit(int row, int col, const std::string& text)
{
    if (!cellEditable(row, col))
        return false;
    bool cancel = false;
    if (onValidate)
        onValidate(row, col, text, cancel);
    if (cancel)
        return false;
    setText(row, col, text);
    if (onAfterEdit)
        onAfterEdit(row, col);
    return true;
}

bool TextGrid::cellEditable(int row, int col) const
{
    return editable_ && row >= fixedRows_ && inRange(row, cells_.size()) &&
           inRange(col, static_cast<std::size_t>(cols_));
}

} // namespace pyx
