#pragma once
// The main window's modal windows on screen: each opens over the main window and returns
// when the user has closed it.

#include "mainwin/modal_windows.h"

class QWidget;

namespace pyx {

class QtModalWindows : public ModalWindows
{
public:
    // The windows open over `parent`, which must outlive this object.
    explicit QtModalWindows(QWidget* parent) : parent_(parent) {}

    void run(ProjectInfoDialog& dialog) override;
    void run(ParameterSetupDialog& dialog) override;
    void run(PrintOptionsDialog& dialog) override;
    void run(ReportInfoDialog& dialog) override;
    void run(MarkDialog& dialog) override;
    void run(StatsWindow& window) override;
    void show(std::unique_ptr<ParameterSetupDialog> dialog) override;
    void runRawData(TestData& data) override;
    void runAbout() override;
    void runUserGuide() override;
    void runPreview(TestData& data, int gridRows, Dialogs& dialogs) override;
    void runPrint(TestData& data, int gridRows, Dialogs& dialogs) override;
    void runWordExport(TestData& data, int gridRows, Dialogs& dialogs) override;
    void runExcelExport(TestData& data, int gridRows, Dialogs& dialogs) override;
    void run(AnalysisWindow& window) override;

private:
    QWidget* parent_;
};

} // namespace pyx
