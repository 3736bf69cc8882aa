#pragma once
// Modal windows for tests: notes which window opened and lets the test act as the user.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/analysis_window.h"
#include "curves/mark_dialog.h"
#include "dialogs/parameter_setup.h"
#include "dialogs/project_info.h"
#include "dialogs/report_info_dialog.h"
#include "dialogs/stats_window.h"
#include "mainwin/modal_windows.h"
#include "reports/print_options.h"

namespace pyx::test {

struct ModalWindowsStub : ModalWindows
{
    std::vector<std::string> opened;
    std::function<void(ProjectInfoDialog&)> onProjectInfo;
    std::function<void(ParameterSetupDialog&)> onParameterSetup;
    std::function<void(PrintOptionsDialog&)> onPrintOptions;
    std::function<void(ReportInfoDialog&)> onReportInfo;
    std::function<void(MarkDialog&)> onMark;
    std::function<void(AnalysisWindow&)> onAnalysis;
    std::function<void(StatsWindow&)> onStatistics;
    std::vector<std::unique_ptr<ParameterSetupDialog>> shown; // the windows that do not block

    void run(ProjectInfoDialog& dialog) override { note("projectInfo", onProjectInfo, dialog); }
    void run(ParameterSetupDialog& dialog) override { note("parameterSetup", onParameterSetup, dialog); }
    void run(PrintOptionsDialog& dialog) override { note("printOptions", onPrintOptions, dialog); }
    void run(ReportInfoDialog& dialog) override { note("reportInfo", onReportInfo, dialog); }
    void run(MarkDialog& dialog) override { note("mark", onMark, dialog); }
    void run(StatsWindow& window) override { note("statistics", onStatistics, window); }
    void show(std::unique_ptr<ParameterSetupDialog> dialog) override
    {
        opened.push_back("parameterSetup (not blocking)");
        shown.push_back(std::move(dialog));
    }
    void runRawData(TestData&) override { opened.push_back("rawData"); }
    void runAbout() override { opened.push_back("about"); }
    void runUserGuide() override { opened.push_back("userGuide"); }
    void runPreview(TestData&, int, Dialogs&) override { opened.push_back("preview"); }
    void runPrint(TestData&, int, Dialogs&) override { opened.push_back("print"); }
    void runWordExport(TestData&, int, Dialogs&) override { opened.push_back("wordExport"); }
    void runExcelExport(TestData&, int, Dialogs&) override { opened.push_back("excelExport"); }
    void run(AnalysisWindow& window) override { note("analysis", onAnalysis, window); }

private:
    template <class Dialog>
    void note(const char* name, const std::function<void(Dialog&)>& user, Dialog& dialog)
    {
        opened.push_back(name);
        if (user)
            user(dialog);
    }
};

} // namespace pyx::test
