#pragma once
// The "报告信息" dialog: the texts of the report front. The company's own data are kept in
// the user's settings and serve every test; the project's are kept beside the open test's
// data file. The Qt dialog binds its fields to `company` and `project` and calls the handlers.

#include <string>

#include "data/model.h"
#include "platform/dialogs.h"
#include "reports/report_info.h"

namespace pyx {

class ReportInfoDialog
{
public:
    static constexpr const char* kCaption = "报告信息";
    static constexpr const char* kCompanyGroup = "检测单位（保存在本机，各试验通用）";
    static constexpr const char* kProjectGroup = "工程与试桩（保存在数据文件旁）";
    static constexpr const char* kNoDataFile = "试验尚未保存为数据文件，工程信息须在保存后填写。";

    ReportInfoDialog(const TestData& data, Dialogs& dialogs) : d_(data), dialogs_(dialogs) {}

    CompanyInfo company;
    ProjectReportInfo project;
    // The project's texts can be kept only beside a data file.
    bool projectEnabled = false;
    // What the report prints where the project's name or test date is left empty.
    std::string projectFromTest, dateFromTest;
    bool closed = false;

    // Reads both files; one that cannot be read or understood is told, its fields start empty.
    void load();
    // Writes what changed; a failure is told and the dialog stays open with the texts typed.
    void ok();
    void exit() { closed = true; }

private:
    void tell(const std::string& text, MsgIcon icon);

    const TestData& d_;
    Dialogs& dialogs_;
    CompanyInfo loadedCompany_;
    ProjectReportInfo loadedProject_;
};

} // namespace pyx
