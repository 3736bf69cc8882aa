#pragma once
// The print preview window's logic (frmprintyl): the page shown, the page list and its
// label, the zoom, and the print command. The Qt window shows the document's pages and
// tells this object what the user chose; the document itself is built before it opens.

#include <functional>
#include <string>
#include <vector>

#include "platform/command_registry.h"
#include "platform/dialogs.h"

namespace pyx {

enum class ZoomMode
{
    Percent,
    WholePage,
    PageWidth,
    TwoPages,
    Thumbnails
};

struct PreviewHooks
{
    std::function<bool()> checkPrint;    // CheckPrint: a usable printer is installed
    std::function<void()> print;         // the print dialog, then the whole document
    std::function<bool()> canAddPrinter; // the system has printer settings to open
    std::function<void()> addPrinter;    // opens the system's printer settings
    std::function<void()> exportWord;    // "导出Word"
    std::function<void()> exportPdf;     // "导出PDF"
    std::function<void()> exportExcel;   // "导出Excel"
    std::function<void()> close;         // "退出"
    std::function<double()> fitPercent;  // the zoom the view shows after a fit mode
};

class PreviewWindow
{
public:
    static constexpr int kMinZoom = 25;
    static constexpr int kMaxZoom = 150;
    static constexpr int kZoomStep = 25;

    explicit PreviewWindow(Dialogs& dialogs);

    PreviewHooks hooks;

    // After the document was built: the page list "1" .. "N", its first entry, the label.
    void setPageCount(int pages);

    int pageCount() const { return pages_; }
    int currentPage() const { return current_; } // 1-based; 0 without pages
    const std::vector<std::string>& pageList() const { return pageList_; }
    int pageListIndex() const { return current_ - 1; }
    const std::string& pagesLabel() const { return pagesLabel_; } // "页 共N页"

    ZoomMode zoomMode() const { return mode_; }
    double zoomPercent() const { return percent_; }
    // The zoom tool "放大镜" shows the setting in its caption or in its text.
    const std::string& zoomCaption() const { return zoomCaption_; }
    const std::string& zoomText() const { return zoomText_; }
    // What the tool shows: the setting written last, to its caption or to its text.
    const std::string& zoomShown() const { return shownInText_ ? zoomText_ : zoomCaption_; }

    // A tool of the band "abPrint", by name (preview_tools.h); a name without a command
    // throws UnknownCommand.
    void tool(const std::string& name) { tools_.run(name); }
    const CommandRegistry& tools() const { return tools_; }
    // The page list's entry `index` was chosen, or the view scrolled to `page`.
    void choosePage(int index) { showPage(index + 1); }
    void viewScrolled(int page) { showPage(page); }

    // PrintDaYin.
    void print();

private:
    void showPage(int page);
    void zoomTo(double percent, bool inText);
    void setMode(ZoomMode mode, const std::string& name);

    Dialogs& dialogs_;
    CommandRegistry tools_;
    int pages_ = 0;
    int current_ = 0;
    std::vector<std::string> pageList_;
    std::string pagesLabel_ = "页 共0页";
    ZoomMode mode_ = ZoomMode::Percent;
    double percent_ = 100;
    std::string zoomCaption_ = "100%";
    std::string zoomText_;
    bool shownInText_ = false;
};

} // namespace pyx
