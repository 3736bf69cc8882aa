#include "platform/page_flow.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace pyx {
namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::optional<double> number(std::string_view s)
{
    s = trimmed(s);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool overlaps(const TableSpan& a, const TableSpan& b)
{
    return a.row < b.row + b.rows && b.row < a.row + a.rows && a.col < b.col + b.cols &&
           b.col < a.col + a.cols;
}

} // namespace

std::string fillPageFields(std::string text, int number, int pages)
{
    for (const auto& [field, value] : {std::pair{std::string_view(kStampNumberField), number},
                                       std::pair{std::string_view(kPageCountField), pages}})
        for (std::size_t at = text.find(field); at != std::string::npos; at = text.find(field, at))
            text.replace(at, field.size(), std::to_string(value));
    return text;
}

double Extent::resolve(double whole) const
{
    std::optional<double> v;
    if (const double* twips = std::get_if<double>(&given_)) {
        v = std::isfinite(*twips) ? std::optional(*twips) : std::nullopt;
    } else {
        const std::string_view text = trimmed(std::get<std::string>(given_));
        if (!text.empty() && text.back() == '%') {
            if (const auto percent = number(text.substr(0, text.size() - 1)))
                v = whole * *percent / 100;
        } else {
            v = number(text);
        }
    }
    return std::max(0.0, v.value_or(0));
}

Table::Table(int cols, int rows) : cols_(std::max(0, cols)), rows_(std::max(0, rows))
{
    const auto cells = static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_);
    colWidths_.resize(static_cast<std::size_t>(cols_));
    rowHeights_.resize(static_cast<std::size_t>(rows_));
    texts_.resize(cells);
    aligns_.resize(cells);
    owner_.assign(cells, -1);
}

std::size_t Table::index(int row, int col) const
{
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(cols_) +
           static_cast<std::size_t>(col - 1);
}

void Table::setColWidth(int col, double twips)
{
    if (col >= 1 && col <= cols_)
        colWidths_[static_cast<std::size_t>(col - 1)] = twips;
}

double Table::colWidth(int col) const
{
    if (col < 1 || col > cols_)
        return 0;
    return std::max(0.0, colWidths_[static_cast<std::size_t>(col - 1)].value_or(defaultColWidth_));
}

double Table::width() const
{
    double w = 0;
    for (int c = 1; c <= cols_; ++c)
        w += colWidth(c);
    return w;
}

void Table::setRowHeight(int row, double twips)
{
    if (row >= 1 && row <= rows_)
        rowHeights_[static_cast<std::size_t>(row - 1)] = twips;
}

double Table::rowHeight(int row) const
{
    if (row < 1 || row > rows_)
        return 0;
    return std::max(0.0, rowHeights_[static_cast<std::size_t>(row - 1)].value_or(defaultRowHeight_));
}

void Table::setText(int row, int col, std::string text)
{
    if (inside(row, col))
        texts_[index(row, col)] = std::move(text);
}

const std::string& Table::text(int row, int col) const
{
    static const std::string none;
    return inside(row, col) ? texts_[index(row, col)] : none;
}

void Table::setAlign(int row, int col, TextAlign align)
{
    if (inside(row, col))
        aligns_[index(row, col)] = align;
}

TextAlign Table::align(int row, int col) const
{
    if (!inside(row, col))
        return style.align;
    return aligns_[index(row, col)].value_or(style.align);
}

void Table::setHeaderRows(int rows)
{
    headerRows_ = std::clamp(rows, 0, rows_);
}

void Table::span(int row, int col, int lastRow, int lastCol)
{
    row = std::max(row, 1);
    col = std::max(col, 1);
    lastRow = std::min(lastRow, rows_);
    lastCol = std::min(lastCol, cols_);
    if (row > lastRow || col > lastCol)
        return;
    const TableSpan s{row, col, lastRow - row + 1, lastCol - col + 1};
    const auto before = spans_.size();
    std::erase_if(spans_, [&](const TableSpan& old) { return overlaps(old, s); });
    if (spans_.size() != before) {
        std::fill(owner_.begin(), owner_.end(), -1);
        for (std::size_t i = 0; i < spans_.size(); ++i)
            for (int r = spans_[i].row; r < spans_[i].row + spans_[i].rows; ++r)
                for (int c = spans_[i].col; c < spans_[i].col + spans_[i].cols; ++c)
                    owner_[index(r, c)] = static_cast<int>(i);
    }
    if (s.rows == 1 && s.cols == 1)
        return;
    spans_.push_back(s);
    for (int r = row; r <= lastRow; ++r)
        for (int c = col; c <= lastCol; ++c)
            owner_[index(r, c)] = static_cast<int>(spans_.size() - 1);
}

TableSpan Table::spanOf(int row, int col) const
{
    if (inside(row, col))
        if (const int i = owner_[index(row, col)]; i >= 0)
            return spans_[static_cast<std::size_t>(i)];
    return {row, col, 1, 1};
}

bool Table::covered(int row, int col) const
{
    const TableSpan s = spanOf(row, col);
    return s.row != row || s.col != col;
}

} // namespace pyx
