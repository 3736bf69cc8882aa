#include "platform/page_document.h"

#include <memory>

namespace pyx {

PageDocument::PageDocument(const TextMeasure& measure, PageSetup setup) : measure_(measure), setup_(setup) {}

void PageDocument::start(const std::string& defaultFont)
{
    style_ = TextStyle{};
    style_.font.name = defaultFont;
    defaultFont_ = defaultFont;
    flow_.clear();
    tables_ = 0;
    pages_.clear();
    laidOut_ = true;
}

void PageDocument::add(Block block)
{
    flow_.push_back(std::move(block));
    laidOut_ = false;
}

void PageDocument::paragraph(std::string text)
{
    add(Paragraph{std::move(text), style_});
}

void PageDocument::newPage()
{
    add(PageBreak{});
}

void PageDocument::table(Table table)
{
    table.style = style_;
    ++tables_;
    add(std::move(table));
}

void PageDocument::textBox(std::string text, double left, double top, double width, double height,
                           TextBoxRole role)
{
    add(TextBox{std::move(text), style_, left, top, width, height, role});
}

void PageDocument::picture(Drawing drawing, double left, double top, Extent width, Extent height, int tag,
                           std::optional<CellRef> cell, std::optional<CellFill> fill)
{
    add(Picture{std::make_shared<const Drawing>(std::move(drawing)), left, top, std::move(width),
                std::move(height), tag, cell, fill});
}

const std::vector<LaidOutPage>& PageDocument::pages() const
{
    if (!laidOut_) {
        pages_ = layoutPages(flow_, setup_, measure_);
        laidOut_ = true;
    }
    return pages_;
}

} // namespace pyx
