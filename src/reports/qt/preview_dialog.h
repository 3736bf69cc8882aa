#pragma once
// The print preview window " 打印预览": the report document built when the window opens,
// its pages in a print preview view, and the toolbar band "abPrint" (print, PDF, Word,
// page moves, zoom, page list, close) bound to PreviewWindow.

#include <QDialog>
#include <QPrinter>

#include "data/model.h"
#include "platform/page_document.h"
#include "platform/qt/qt_text_measure.h"
#include "reports/preview_window.h"

class QComboBox;
class QLabel;
class QPrintPreviewWidget;
class QToolBar;
class QToolButton;

namespace pyx {

class PreviewDialog : public QDialog
{
    Q_OBJECT
public:
    // Builds the document from the test (the raw data report refreshes its gauge weights);
    // `gridRows` are the rows of the main grid, as the gradient curve reads them.
    PreviewDialog(TestData& data, int gridRows, Dialogs& dialogs, QWidget* parent);
    ~PreviewDialog() override;

    PreviewWindow& logic() { return logic_; }
    const PageDocument& document() const { return doc_; }
    // Runs a tool of the band by its name, as a click on it does.
    void runTool(const std::string& name);

    QPrintPreviewWidget* view() const { return view_; }
    QComboBox* pageList() const { return pageList_; }
    QLabel* pagesLabel() const { return pagesLabel_; }
    QToolButton* zoomTool() const { return zoomTool_; }

private:
    void buildToolbar();
    void showLogic();
    void applyZoom();
    void showPageTop();
    void exportPdfFile();
    void printDocument();

    TestData& data_;
    Dialogs& dialogs_;
    QtTextMeasure measure_;
    PageDocument doc_;
    PreviewWindow logic_;
    QPrinter screenPrinter_;
    QToolBar* toolbar_ = nullptr;
    QPrintPreviewWidget* view_ = nullptr;
    QComboBox* pageList_ = nullptr;
    QLabel* pagesLabel_ = nullptr;
    QToolButton* zoomTool_ = nullptr;
    bool syncing_ = false;
};

} // namespace pyx
