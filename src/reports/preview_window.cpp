#include "reports/preview_window.h"

#include <algorithm>
#include <cmath>

#include "data/numfmt.h"

namespace pyx {

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

void PreviewWindow::tool(const std::string& name)
{
    if (name == "打印")
        print();
    else if (name == "导出Word" && hooks.exportWord)
        hooks.exportWord();
    else if (name == "导出PDF" && hooks.exportPdf)
        hooks.exportPdf();
    else if (name == "首页")
        showPage(1);
    else if (name == "上一页")
        showPage(current_ - 1);
    else if (name == "下一页")
        showPage(current_ + 1);
    else if (name == "最后一页")
        showPage(pages_);
    else if (name == "整页")
        setMode(ZoomMode::WholePage, name);
    else if (name == "页宽")
        setMode(ZoomMode::PageWidth, name);
    else if (name == "两页")
        setMode(ZoomMode::TwoPages, name);
    else if (name == "最小")
        setMode(ZoomMode::Thumbnails, name);
    else if (name == "150" || name == "100" || name == "75")
        zoomTo(std::stoi(name), false);
    else if (name == "50" || name == "25")
        zoomTo(std::stoi(name), true);
    else if (name == "放大")
        zoomTo(percent_ + kZoomStep, true);
    else if (name == "缩小")
        zoomTo(percent_ - kZoomStep, true);
    else if (name == "退出" && hooks.close)
        hooks.close();
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
    const MsgAnswer a = dialogs_.message(
        {"没有可用打印机！现在安装打印机吗？", "提示！", MsgButtons::YesNo, MsgIcon::Information, 1});
    if (a == MsgAnswer::Yes && hooks.addPrinter)
        hooks.addPrinter();
}

} // namespace pyx
