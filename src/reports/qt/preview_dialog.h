#pragma once
// The print preview window " 打印预览": the report document built when the window opens,
// its pages in a print preview view, and the toolbar band "abPrint" (print, PDF, Word,
// page moves, zoom, page list, close) bound to PreviewWindow.

#include <QDialog>
#include <QPrinter>
#include <QStringList>

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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolbar();
    void showLogic();
    void applyZoom();
    void showPairs(bool on);
    int shownSheet() const;
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
    int textToolbarWidth_ = 0; // the toolbar's width with the tools' names shown
    bool syncing_ = false;
    bool pairs_ = false; // two pages a sheet
};

// The system's printer settings as a program and its arguments; empty where none is installed.
QStringList printerSettingsCommand();

} // namespace pyx
