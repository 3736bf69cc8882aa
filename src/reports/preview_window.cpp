#include "reports/preview_window.h"

#include <algorithm>
#include <cmath>

#include "data/numfmt.h"
#include "reports/preview_tools.h"

namespace pyx {

PreviewWindow::PreviewWindow(Dialogs& dialogs) : dialogs_(dialogs)
{
    using namespace preview_tool;
    const auto hook = [](const std::function<void()>& f) {
        if (f)
            f();
    };
    tools_.add(kPrint, [this] { print(); });
    tools_.add(kExportWord, [this, hook] { hook(hooks.exportWord); });
    tools_.add(kExportPdf, [this, hook] { hook(hooks.exportPdf); });
    tools_.add(kExportExcel, [this, hook] { hook(hooks.exportExcel); });
    tools_.add(kFirst, [this] { showPage(1); });
    tools_.add(kPrevious, [this] { showPage(current_ - 1); });
    tools_.add(kNext, [this] { showPage(current_ + 1); });
    tools_.add(kLast, [this] { showPage(pages_); });
    tools_.add(kZoomTool, [] {});
    tools_.add(kWholePage, [this] { setMode(ZoomMode::WholePage, kWholePage); });
    tools_.add(kPageWidth, [this] { setMode(ZoomMode::PageWidth, kPageWidth); });
    tools_.add(kTwoPages, [this] { setMode(ZoomMode::TwoPages, kTwoPages); });
    tools_.add(kThumbnails, [this] { setMode(ZoomMode::Thumbnails, kThumbnails); });
    // The three larger settings are shown in the zoom tool's caption, the others in its text.
    for (const char* percent : kPercents) {
        const bool inText = std::stoi(percent) < 75;
        tools_.add(percent, [this, percent, inText] { zoomTo(std::stoi(percent), inText); });
    }
    tools_.add(kZoomIn, [this] { zoomTo(percent_ + kZoomStep, true); });
    tools_.add(kZoomOut, [this] { zoomTo(percent_ - kZoomStep, true); });
    tools_.add(kPageLabel, [] {});
    tools_.add(kClose, [this, hook] { hook(hooks.close); });
}

void PreviewWindow::setPageCount(int pages)
{
    pages_ = std::max(0, pages);
    pageList_.clear();
    for (int i = 1; i <= pages_; ++i)
        pageList_.push_back(std::to_string(i));
    current_ = pages_ > 0 ? 1 : 0;
    pagesLabel_ = "页 共" + std::to_string(pages_) + "页";
}

void PreviewWindow::showPage(int page)
{
    if (pages_ == 0)
        return;
    current_ = std::clamp(page, 1, pages_);
}

void PreviewWindow::zoomTo(double percent, bool inText)
{
    mode_ = ZoomMode::Percent;
    percent_ = std::clamp(percent, double(kMinZoom), double(kMaxZoom));
    const std::string shown = doubleText(std::round(percent_)) + "%";
    if (inText)
        zoomText_ = shown;
    else
        zoomCaption_ = shown;
    shownInText_ = inText;
}

void PreviewWindow::setMode(ZoomMode mode, const std::string& name)
{
    mode_ = mode;
    zoomCaption_ = name;
    shownInText_ = false;
    if (hooks.fitPercent)
        percent_ = hooks.fitPercent();
}

void PreviewWindow::print()
{
    if (pages_ == 0) {
        dialogs_.message({"没有需要打印的文件！", "提示", MsgButtons::Ok, MsgIcon::Critical, 1});
        return;
    }
    if (hooks.checkPrint && hooks.checkPrint()) {
        if (hooks.print)
            hooks.print();
        return;
    }
    // The question is asked only where its Yes can open something; otherwise the user is
    // told where printers are added.
    if (!hooks.canAddPrinter || !hooks.canAddPrinter() || !hooks.addPrinter) {
        dialogs_.message({"没有可用打印机！请在系统设置中添加打印机。", "提示！", MsgButtons::Ok,
                          MsgIcon::Information, 1});
        return;
    }
    const MsgAnswer a = dialogs_.message(
        {"没有可用打印机！现在安装打印机吗？", "提示！", MsgButtons::YesNo, MsgIcon::Information, 1});
    if (a == MsgAnswer::Yes)
        hooks.addPrinter();
}

} // namespace pyx
