#include "platform/page_outline.h"

namespace pyx {
namespace {

// The block of a placed item, when it is of that kind.
template <class T> const T* blockAs(const Flow& flow, std::size_t i)
{
    return i < flow.size() ? std::get_if<T>(&flow[i]) : nullptr;
}

OutlineTable tableRows(const Table& t, int first, int last)
{
    OutlineTable rows;
    for (int r = first; r <= last; ++r) {
        auto& row = rows.emplace_back();
        for (int c = 1; c <= t.cols(); ++c)
            row.push_back(t.covered(r, c) ? std::nullopt : std::optional(t.text(r, c)));
    }
    return rows;
}

} // namespace

DocumentOutline outlineOf(const Flow& flow, const std::vector<LaidOutPage>& pages)
{
    DocumentOutline out;
    out.pageCount = static_cast<int>(pages.size());
    for (const LaidOutPage& page : pages) {
        OutlinePage& o = out.pages.emplace_back();
        for (const std::size_t i : page.paragraphs)
            if (const auto* p = blockAs<Paragraph>(flow, i); p && !p->text.empty())
                o.paragraphs.push_back(p->text);
        for (const PlacedTable& placed : page.tables)
            if (const auto* t = blockAs<Table>(flow, placed.block))
                o.tables.push_back(tableRows(*t, placed.firstRow, placed.lastRow));
        for (const PlacedTextBox& box : page.textBoxes)
            if (const auto* b = blockAs<TextBox>(flow, box.block); b && b->role == TextBoxRole::PageStamp)
                o.stamp = box.text;
        for (const PlacedPicture& placed : page.pictures)
            if (const auto* p = blockAs<Picture>(flow, placed.block))
                o.pictures.push_back({p->tag, p->left, p->top, p->width, p->height, p->cell});
    }
    return out;
}

} // namespace pyx
