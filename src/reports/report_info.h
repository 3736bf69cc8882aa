#pragma once
// The texts of the report front that the user types in the "报告信息" dialog: the testing
// company's own data, kept in the user's settings (report-company.json beside the settings
// file), and the project's, kept beside the test's data file ("<data file>.report.json").
// The data and settings files keep their fixed layouts.

#include <array>
#include <string>

#include "base/io_result.h"

namespace pyx {

struct CompanyInfo
{
    std::string name;        // 检测单位
    std::string certificate; // 资质证书编号
    std::string address;
    std::string phone;
    std::string reviewer; // 审核
    std::string approver; // 批准
    bool operator==(const CompanyInfo&) const = default;
};

struct ProjectReportInfo
{
    std::string reportNumber;
    std::string projectName; // empty: the test's own
    std::string location;
    std::string client; // 委托单位
    std::string builder;
    std::string designer;
    std::string contractor;
    std::string supervisor;
    std::string testDates; // empty: the test's own date
    std::string reportDate;
    std::string pileType;
    std::string concrete;    // 混凝土强度等级
    std::string designValue; // the design's characteristic value, kN
    std::string tester;      // 检测
    std::string recorder;    // 记录
    std::string checker;     // 校核
    bool operator==(const ProjectReportInfo&) const = default;
};

// A field as the dialog shows it and the file stores it.
template <typename Info> struct InfoField
{
    const char* key;
    const char* label;
    std::string Info::*text;
};

inline constexpr std::array<InfoField<CompanyInfo>, 6> kCompanyFields{{
    {"company", "检测单位", &CompanyInfo::name},
    {"certificate", "资质证书编号", &CompanyInfo::certificate},
    {"address", "地址", &CompanyInfo::address},
    {"phone", "电话", &CompanyInfo::phone},
    {"reviewer", "审核", &CompanyInfo::reviewer},
    {"approver", "批准", &CompanyInfo::approver},
}};

inline constexpr std::array<InfoField<ProjectReportInfo>, 16> kProjectFields{{
    {"report_number", "报告编号", &ProjectReportInfo::reportNumber},
    {"project", "工程名称", &ProjectReportInfo::projectName},
    {"location", "工程地点", &ProjectReportInfo::location},
    {"client", "委托单位", &ProjectReportInfo::client},
    {"builder", "建设单位", &ProjectReportInfo::builder},
    {"designer", "设计单位", &ProjectReportInfo::designer},
    {"contractor", "施工单位", &ProjectReportInfo::contractor},
    {"supervisor", "监理单位", &ProjectReportInfo::supervisor},
    {"test_dates", "检测日期", &ProjectReportInfo::testDates},
    {"report_date", "报告日期", &ProjectReportInfo::reportDate},
    {"pile_type", "桩型", &ProjectReportInfo::pileType},
    {"concrete", "混凝土强度等级", &ProjectReportInfo::concrete},
    {"design_value", "设计要求的特征值(kN)", &ProjectReportInfo::designValue},
    {"tester", "检测", &ProjectReportInfo::tester},
    {"recorder", "记录", &ProjectReportInfo::recorder},
    {"checker", "校核", &ProjectReportInfo::checker},
}};

// A file read: its texts (empty where the file has none), whether there was a file, and why
// one could not be read or understood (its texts are then empty).
template <typename Info> struct InfoRead
{
    Info info;
    bool found = false;
    std::string problem;
};

std::string companyInfoPath();
std::string projectInfoPath(const std::string& dataFile);

InfoRead<CompanyInfo> readCompanyInfo();
// No file for a test without a data file.
InfoRead<ProjectReportInfo> readProjectReportInfo(const std::string& dataFile);
// Written atomically; a failure carries the reason.
IoResult writeCompanyInfo(const CompanyInfo& info);
IoResult writeProjectReportInfo(const std::string& dataFile, const ProjectReportInfo& info);

// The files' texts, and back (nothing for a text that is not such a file).
std::string companyInfoJson(const CompanyInfo& info);
std::string projectInfoJson(const ProjectReportInfo& info);

// The files a test keeps beside its data file (the analysis inputs, the project's report
// texts) written beside `to` as well, after the test was saved there under a new name. A file
// `from` has not is left as it is at `to`. A failure carries the reason.
IoResult carrySideFiles(const std::string& from, const std::string& to);

// Both parts, as the report front prints them.
struct ReportInfo
{
    CompanyInfo company;
    ProjectReportInfo project;
};
ReportInfo readReportInfo(const std::string& dataFile);

} // namespace pyx
