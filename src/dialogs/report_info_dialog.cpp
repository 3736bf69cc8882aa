#include "dialogs/report_info_dialog.h"

namespace pyx {

void ReportInfoDialog::tell(const std::string& text, MsgIcon icon)
{
    dialogs_.message({text, "提示", MsgButtons::Ok, icon, 1});
}

void ReportInfoDialog::load()
{
    projectFromTest = d_.jlb[0].cstr.trimmed();
    dateFromTest = d_.jlb[2].cstr.trimmed();
    const InfoRead<CompanyInfo> c = readCompanyInfo();
    if (!c.problem.empty())
        tell(c.problem, MsgIcon::Exclamation);
    company = loadedCompany_ = c.info;
    projectEnabled = !d_.curfile.empty();
    if (!projectEnabled)
        return;
    const InfoRead<ProjectReportInfo> p = readProjectReportInfo(d_.curfile);
    if (!p.problem.empty())
        tell(p.problem, MsgIcon::Exclamation);
    project = loadedProject_ = p.info;
}

void ReportInfoDialog::ok()
{
    if (company != loadedCompany_) {
        if (const IoResult r = writeCompanyInfo(company); !r) {
            tell("检测单位信息无法保存到 " + companyInfoPath() + "：" + r.reason(), MsgIcon::Critical);
            return;
        }
        loadedCompany_ = company;
    }
    if (projectEnabled && project != loadedProject_) {
        if (const IoResult r = writeProjectReportInfo(d_.curfile, project); !r) {
            tell("工程信息无法保存到 " + projectInfoPath(d_.curfile) + "：" + r.reason(), MsgIcon::Critical);
            return;
        }
        loadedProject_ = project;
    }
    closed = true;
}

} // namespace pyx
