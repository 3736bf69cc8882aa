#pragma once
// The page composer: a report document as the builders write it, block after block in the
// current text style, and its pages as the layout sets them. The preview, the printer and
// PDF paint the pages; pyx-cli reads them as an outline; the word-processor writers walk
// the flow.

#include <optional>
#include <string>
#include <vector>

#include "platform/page_flow.h"
#include "platform/page_layout.h"

namespace pyx {

class PageDocument
{
public:
    // The measure is borrowed and must outlive the document.
    explicit PageDocument(const TextMeasure& measure, PageSetup setup = {});

    // Starts a new, empty document; its text is set in `defaultFont`, 10 points, regular,
    // left-aligned, until told otherwise.
    void start(const std::string& defaultFont);
    // Ends the document. Its pages are laid out when they are first asked for, so a
    // document that is only written as a flow (the Word export) is never laid out.
    void end() {}

    // The style of what is written next.
    void setFontName(const std::string& name) { style_.font.name = name; }
    void setFontSize(double points) { style_.font.size = points; }
    void setBold(bool on) { style_.font.bold = on; }
    void setAlign(TextAlign align) { style_.align = align; }
    const TextStyle& style() const { return style_; }

    void paragraph(std::string text);
    void newPage();
    // The table's font and its cells' default alignment are the current style.
    void table(Table table);
    // A text at an absolute position of the current page.
    void textBox(std::string text, double left, double top, double width, double height,
                 TextBoxRole role = TextBoxRole::Plain);
    // A drawing at an absolute position of the current page, `tag` naming it for the outline;
    // `cell` is the table cell a word processor puts it in, `fill` the area it fills on paper.
    void picture(Drawing drawing, double left, double top, Extent width, Extent height, int tag = 0,
                 std::optional<CellRef> cell = std::nullopt, std::optional<CellFill> fill = std::nullopt);

    const Flow& flow() const { return flow_; }
    // The font `start` was given.
    const std::string& defaultFont() const { return defaultFont_; }
    const PageSetup& setup() const { return setup_; }
    // Tables written so far: the number of the last one, counted from 1.
    int tableCount() const { return tables_; }

    // The pages of the flow as it stands (laid out again after every change).
    const std::vector<LaidOutPage>& pages() const;
    int pageCount() const { return static_cast<int>(pages().size()); }

private:
    void add(Block block);

    const TextMeasure& measure_;
    PageSetup setup_;
    TextStyle style_;
    std::string defaultFont_;
    Flow flow_;
    int tables_ = 0;
    mutable std::vector<LaidOutPage> pages_;
    mutable bool laidOut_ = true;
};

} // namespace pyx
