#include "reports/qt/preview_dialog.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "platform/qt/page_pairs.h"
#include "platform/qt/page_renderer.h"
#include "platform/qt/qt_picture_encoder.h"
#include "platform/qt/tool_icons.h"
#include "platform/qt/window_placement.h"
#include "reports/preview_tools.h"
#include "reports/qt/pdf_export.h"
#include "reports/report_build.h"
#include "reports/word_export.h"
#include "reports/xlsx_export.h"

namespace pyx {
namespace {

// The pictures of the preview's tools.
constexpr std::array kToolPictures{
    ToolPicture{preview_tool::kPrint, "document-print", QStyle::SP_DialogSaveButton},
    ToolPicture{preview_tool::kExportPdf, "application-pdf", QStyle::SP_FileIcon},
    ToolPicture{preview_tool::kExportWord, "x-office-document", QStyle::SP_FileIcon},
    ToolPicture{preview_tool::kExportExcel, "x-office-spreadsheet", QStyle::SP_FileIcon},
    ToolPicture{preview_tool::kFirst, "go-first", QStyle::SP_MediaSkipBackward},
    ToolPicture{preview_tool::kPrevious, "go-previous", QStyle::SP_ArrowLeft},
    ToolPicture{preview_tool::kNext, "go-next", QStyle::SP_ArrowRight},
    ToolPicture{preview_tool::kLast, "go-last", QStyle::SP_MediaSkipForward},
    ToolPicture{preview_tool::kZoomIn, "zoom-in", QStyle::SP_ArrowUp},
    ToolPicture{preview_tool::kZoomOut, "zoom-out", QStyle::SP_ArrowDown},
    ToolPicture{preview_tool::kClose, "window-close", QStyle::SP_DialogCloseButton},
};

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// The zoom commands under the zoom tool.
constexpr std::array kZoomTools{
    preview_tool::kWholePage,   preview_tool::kPageWidth,   preview_tool::kTwoPages,
    preview_tool::kThumbnails,  preview_tool::kPercents[0], preview_tool::kPercents[1],
    preview_tool::kPercents[2], preview_tool::kPercents[3], preview_tool::kPercents[4]};

// The PDF's proposed name: the data file's with ".pdf" for its extension.
std::string pdfName(const std::string& curfile)
{
    const auto slash = curfile.find_last_of('/');
    const auto dot = curfile.find_last_of('.');
    if (curfile.empty())
        return {};
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return curfile + ".pdf";
    return curfile.substr(0, dot) + ".pdf";
}

} // namespace

QStringList printerSettingsCommand()
{
    const std::array<QStringList, 4> candidates{
        QStringList{QStringLiteral("system-config-printer")},
        QStringList{QStringLiteral("gnome-control-center"), QStringLiteral("printers")},
        QStringList{QStringLiteral("kcmshell6"), QStringLiteral("kcm_printer_manager")},
        QStringList{QStringLiteral("kcmshell5"), QStringLiteral("kcm_printer_manager")}};
    for (QStringList command : candidates) {
        const QString program = QStandardPaths::findExecutable(command.front());
        if (!program.isEmpty()) {
            command.front() = program;
            return command;
        }
    }
    return {};
}

PreviewDialog::PreviewDialog(TestData& data, int gridRows, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), data_(data), dialogs_(dialogs), doc_(measure_), logic_(dialogs),
      screenPrinter_(QPrinter::ScreenResolution)
{
    setObjectName("frmprintyl");
    setWindowTitle(QString::fromUtf8(" 打印预览"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    ReportBuilder(data_, gridRows).buildPreview(doc_);

    view_ = new QPrintPreviewWidget(&screenPrinter_, this);
    view_->setObjectName("vp");
    connect(view_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        if (pairs_)
            renderPagePairs(doc_.pages(), doc_.setup(), *printer);
        else
            renderPages(doc_.pages(), doc_.setup(), *printer);
    });
    connect(view_, &QPrintPreviewWidget::previewChanged, this, [this] {
        if (syncing_ || logic_.pageCount() == 0 || view_->currentPage() == shownSheet())
            return;
        logic_.viewScrolled(pairs_ ? firstPageOfSheet(view_->currentPage()) : view_->currentPage());
        showLogic();
    });

    logic_.hooks.checkPrint = [] { return !QPrinterInfo::availablePrinterNames().isEmpty(); };
    logic_.hooks.print = [this] { printDocument(); };
    logic_.hooks.canAddPrinter = [] { return !printerSettingsCommand().isEmpty(); };
    // A failure to start the printer settings is not reported.
    logic_.hooks.addPrinter = [] {
        QStringList command = printerSettingsCommand();
        if (!command.isEmpty())
            QProcess::startDetached(command.takeFirst(), command);
    };
    logic_.hooks.exportWord = [this, gridRows] {
        const QtPictureEncoder encoder;
        WordExport(data_, gridRows, dialogs_, measure_, encoder).run();
    };
    logic_.hooks.exportPdf = [this] { exportPdfFile(); };
    logic_.hooks.exportExcel = [this, gridRows] {
        const QtPictureEncoder encoder;
        exportXlsxAndTell(data_, gridRows, measure_, encoder, dialogs_);
    };
    logic_.hooks.close = [this] { reject(); };
    logic_.hooks.fitPercent = [this] {
        applyZoom();
        return view_->zoomFactor() * 100;
    };

    buildToolbar();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(view_, 1);

    logic_.setPageCount(doc_.pageCount());
    pageList_->clear();
    for (const std::string& entry : logic_.pageList())
        pageList_->addItem(qs(entry));
    // Opens on the whole first page.
    logic_.tool(preview_tool::kWholePage);
    showLogic();
    textToolbarWidth_ = toolbar_->sizeHint().width();
    auto* print = new QAction(this);
    print->setShortcuts(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] { runTool(preview_tool::kPrint); });
    addAction(print);
    // A page and a half of width, as tall as the screen allows.
    placeSecondaryWindow(*this, QStringLiteral("previewWindow"), QSize(1100, 1100));
}

// The tools show their names beside their icons where the window is wide enough for all of
// them, and their icons alone (names in the tooltips) where it is not, so that none is
// hidden behind the toolbar's overflow.
void PreviewDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    toolbar_->setToolButtonStyle(width() >= textToolbarWidth_ ? Qt::ToolButtonTextBesideIcon
                                                              : Qt::ToolButtonIconOnly);
}

PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::buildToolbar()
{
    using namespace preview_tool;
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("abPrint");
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto add = [this](const char* name) {
        QAction* a = toolbar_->addAction(toolIcon(name, kToolPictures, *style()), QString::fromUtf8(name));
        a->setObjectName(QString::fromUtf8(name));
        connect(a, &QAction::triggered, this, [this, name] { runTool(name); });
        return a;
    };
    add(kPrint);
    add(kExportPdf);
    add(kExportWord);
    add(kExportExcel);
    toolbar_->addSeparator();
    add(kFirst);
    add(kPrevious);
    add(kNext);
    add(kLast);
    toolbar_->addSeparator();

    auto* before = new QLabel(QString::fromUtf8(" 第 "), toolbar_);
    before->setObjectName(QString::fromUtf8(kPageLabel));
    toolbar_->addWidget(before);
    pageList_ = new QComboBox(toolbar_);
    pageList_->setObjectName(QString::fromUtf8(kPageList));
    pageList_->setMinimumContentsLength(3);
    connect(pageList_, &QComboBox::activated, this, [this](int index) {
        logic_.choosePage(index);
        showLogic();
    });
    toolbar_->addWidget(pageList_);
    pagesLabel_ = new QLabel(toolbar_);
    pagesLabel_->setObjectName(QString::fromUtf8(kPagesLabel));
    toolbar_->addWidget(pagesLabel_);
    toolbar_->addSeparator();

    zoomTool_ = new QToolButton(toolbar_);
    zoomTool_->setObjectName(QString::fromUtf8(kZoomTool));
    zoomTool_->setToolTip(QString::fromUtf8("显示比例"));
    zoomTool_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(zoomTool_);
    for (const char* name : kZoomTools) {
        QAction* a = menu->addAction(QString::fromUtf8(name) + (name[0] >= '0' && name[0] <= '9' ? "%" : ""));
        a->setObjectName(QString::fromUtf8(name));
        connect(a, &QAction::triggered, this, [this, name] { runTool(name); });
    }
    zoomTool_->setMenu(menu);
    toolbar_->addWidget(zoomTool_);
    add(kZoomIn);
    add(kZoomOut);
    toolbar_->addSeparator();
    add(kClose);
}

void PreviewDialog::runTool(const std::string& name)
{
    const ZoomMode mode = logic_.zoomMode();
    const double percent = logic_.zoomPercent();
    logic_.tool(name);
    showLogic();
    if (logic_.zoomMode() != mode || logic_.zoomPercent() != percent)
        showPageTop();
}

// After a zoom that leaves the page taller than the view, its top is shown, not its middle.
void PreviewDialog::showPageTop()
{
    const int page = logic_.currentPage();
    if (page == 0 || logic_.zoomMode() == ZoomMode::WholePage || logic_.zoomMode() == ZoomMode::TwoPages)
        return;
    syncing_ = true;
    if (page > 1) {
        // Moving to another page scrolls the view to that page's top.
        view_->setCurrentPage(page - 1);
        view_->setCurrentPage(page);
    } else if (auto* scroller = view_->findChild<QAbstractScrollArea*>()) {
        scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->minimum());
    }
    syncing_ = false;
}

// The sheet of the view that shows the current page: the page itself, or its pair.
int PreviewDialog::shownSheet() const
{
    return pairs_ ? pairSheetOf(logic_.currentPage()) : logic_.currentPage();
}

// Two pages are shown as sheets of two pages side by side; the other modes show one page a
// sheet.
void PreviewDialog::showPairs(bool on)
{
    if (pairs_ == on)
        return;
    pairs_ = on;
    const bool wasSyncing = syncing_;
    syncing_ = true;
    view_->updatePreview();
    if (logic_.currentPage() > 0)
        view_->setCurrentPage(shownSheet());
    syncing_ = wasSyncing;
}

void PreviewDialog::applyZoom()
{
    showPairs(logic_.zoomMode() == ZoomMode::TwoPages);
    switch (logic_.zoomMode()) {
    case ZoomMode::WholePage:
        view_->setViewMode(QPrintPreviewWidget::SinglePageView);
        view_->fitInView();
        break;
    case ZoomMode::PageWidth:
        view_->setViewMode(QPrintPreviewWidget::SinglePageView);
        view_->fitToWidth();
        break;
    case ZoomMode::TwoPages:
        view_->setViewMode(QPrintPreviewWidget::SinglePageView);
        view_->fitInView();
        break;
    case ZoomMode::Thumbnails:
        view_->setViewMode(QPrintPreviewWidget::AllPagesView);
        break;
    case ZoomMode::Percent:
        view_->setViewMode(QPrintPreviewWidget::SinglePageView);
        view_->setZoomMode(QPrintPreviewWidget::CustomZoom);
        view_->setZoomFactor(logic_.zoomPercent() / 100);
        break;
    }
}

// The view, the page list, its label and the zoom tool as the logic stands.
void PreviewDialog::showLogic()
{
    syncing_ = true;
    if (logic_.zoomMode() == ZoomMode::Percent)
        applyZoom();
    if (logic_.currentPage() > 0) {
        view_->setCurrentPage(shownSheet());
        pageList_->setCurrentIndex(logic_.pageListIndex());
    }
    pagesLabel_->setText(qs(" " + logic_.pagesLabel() + " "));
    zoomTool_->setText(qs(logic_.zoomShown()));
    syncing_ = false;
}

void PreviewDialog::printDocument()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8("单桩水平静载试验"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QString::fromUtf8("打印"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!renderPages(doc_.pages(), doc_.setup(), printer))
        dialogs_.message({"打印失败！", "提示", MsgButtons::Ok, MsgIcon::Critical, 1});
}

void PreviewDialog::exportPdfFile()
{
    const std::string path = dialogs_.saveFile({"PDF(*.pdf)|*.pdf", 1, pdfName(data_.curfile), "导出PDF"});
    if (path.empty())
        return;
    exportPdfAndTell(doc_, path, dialogs_);
}

} // namespace pyx
