#pragma once
// The windows the main window opens over itself. The logic of each window is made and
// loaded by the command; the runner shows it and returns when the user has closed it (the
// Qt windows, or a script in tests). Without a runner nothing is shown.

#include <memory>

namespace pyx {

class AnalysisWindow;
class MarkDialog;
class ParameterSetupDialog;
class PrintOptionsDialog;
class ReportInfoDialog;
class StatsWindow;
class ProjectInfoDialog;
struct TestData;
class Dialogs;

class ModalWindows
{
public:
    virtual ~ModalWindows() = default;
    virtual void run(ProjectInfoDialog& dialog) = 0;
    virtual void run(ParameterSetupDialog& dialog) = 0;
    virtual void run(PrintOptionsDialog& dialog) = 0;
    virtual void run(ReportInfoDialog& dialog) = 0;
    virtual void run(MarkDialog& dialog) = 0;
    virtual void run(StatsWindow& window) = 0;
    // The parameter setup without blocking: the window keeps the dialog until it closes.
    virtual void show(std::unique_ptr<ParameterSetupDialog> dialog) = 0;
    // The raw data window (it opens on the test, see RawDataView) and the about box.
    virtual void runRawData(TestData& data) = 0;
    virtual void runAbout() = 0;
    // The user guide, from its beginning.
    virtual void runUserGuide() = 0;
    // The print preview: it builds the report document of the test when it opens;
    // `gridRows` are the rows of the main grid, as the gradient curve reads them; its
    // messages and file dialogs go through `dialogs`.
    virtual void runPreview(TestData& data, int gridRows, Dialogs& dialogs) = 0;
    // The print preview's print command on the same document, without showing the preview.
    virtual void runPrint(TestData& data, int gridRows, Dialogs& dialogs) = 0;
    // The Word export: its save dialog and messages, the document drawn with the window's
    // fonts and pictures.
    virtual void runWordExport(TestData& data, int gridRows, Dialogs& dialogs) = 0;
    // The Excel export, the same way.
    virtual void runExcelExport(TestData& data, int gridRows, Dialogs& dialogs) = 0;
    // The analysis window, loaded on the open test.
    virtual void run(AnalysisWindow& window) = 0;
};

} // namespace pyx
