#include "mainwin/qt/qt_modal_windows.h"

#include "analysis/qt/analysis_window_widget.h"
#include "curves/qt/mark_dialog_widget.h"
#include "dialogs/qt/about_dialog.h"
#include "dialogs/qt/parameter_setup_widget.h"
#include "dialogs/qt/project_info_widget.h"
#include "dialogs/qt/report_info_widget.h"
#include "dialogs/qt/stats_window_widget.h"
#include "platform/qt/help_window.h"
#include "platform/qt/qt_picture_encoder.h"
#include "platform/qt/qt_text_measure.h"
#include "rawview/qt/raw_view_widget.h"
#include "reports/qt/preview_dialog.h"
#include "reports/qt/print_options_widget.h"
#include "reports/word_export.h"
#include "reports/xlsx_export.h"

namespace pyx {
namespace {

// The widget of a window, made for `logic` over `parent`, shown until the user closes it.
template <class Widget, class Logic> void exec(Logic& logic, QWidget* parent)
{
    Widget widget(logic, parent);
    widget.exec();
}

} // namespace

void QtModalWindows::run(ProjectInfoDialog& dialog)
{
    exec<ProjectInfoWidget>(dialog, parent_);
}

void QtModalWindows::run(ParameterSetupDialog& dialog)
{
    exec<ParameterSetupWidget>(dialog, parent_);
}

void QtModalWindows::run(PrintOptionsDialog& dialog)
{
    exec<PrintOptionsWidget>(dialog, parent_);
}

void QtModalWindows::run(ReportInfoDialog& dialog)
{
    exec<ReportInfoWidget>(dialog, parent_);
}

void QtModalWindows::run(MarkDialog& dialog)
{
    exec<MarkDialogWidget>(dialog, parent_);
}

void QtModalWindows::run(AnalysisWindow& window)
{
    exec<AnalysisWindowWidget>(window, parent_);
}

void QtModalWindows::run(StatsWindow& window)
{
    exec<StatsWindowWidget>(window, parent_);
}

void QtModalWindows::show(std::unique_ptr<ParameterSetupDialog> dialog)
{
    auto* widget = new ParameterSetupWidget(std::move(dialog), parent_);
    widget->setAttribute(Qt::WA_DeleteOnClose);
    widget->show();
}

void QtModalWindows::runRawData(TestData& data)
{
    exec<RawViewWidget>(data, parent_);
}

void QtModalWindows::runAbout()
{
    AboutDialog widget(parent_);
    widget.exec();
}

void QtModalWindows::runUserGuide()
{
    showUserGuide(parent_, QString());
}

void QtModalWindows::runPreview(TestData& data, int gridRows, Dialogs& dialogs)
{
    PreviewDialog widget(data, gridRows, dialogs, parent_);
    widget.exec();
}

void QtModalWindows::runPrint(TestData& data, int gridRows, Dialogs& dialogs)
{
    PreviewDialog widget(data, gridRows, dialogs, parent_);
    widget.logic().print();
}

void QtModalWindows::runWordExport(TestData& data, int gridRows, Dialogs& dialogs)
{
    const QtTextMeasure measure;
    const QtPictureEncoder encoder;
    WordExport(data, gridRows, dialogs, measure, encoder).run();
}

void QtModalWindows::runExcelExport(TestData& data, int gridRows, Dialogs& dialogs)
{
    const QtTextMeasure measure;
    const QtPictureEncoder encoder;
    exportXlsxAndTell(data, gridRows, measure, encoder, dialogs);
}

} // namespace pyx
