#include "reports/report_info.h"

#include <optional>

#include "analysis/analysis_inputs.h"
#include "base/config_file.h"
#include "base/file_io.h"
#include "base/json_text.h"
#include "data/flat_json.h"

namespace pyx {
namespace {

constexpr std::size_t kMaxInfoBytes = std::size_t{64} * 1024;

template <typename Info, std::size_t N>
std::string toJson(const Info& info, const std::array<InfoField<Info>, N>& fields)
{
    std::string out = "{\n  \"version\": 1";
    for (const InfoField<Info>& f : fields)
        out += ",\n  " + quoteJson(f.key) + ": " + quoteJson(info.*f.text);
    return out + "\n}\n";
}

template <typename Info, std::size_t N>
std::optional<Info> fromJson(const std::string& text, const std::array<InfoField<Info>, N>& fields)
{
    const auto values = parseFlatJson(text);
    if (!values)
        return std::nullopt;
    Info info;
    for (const InfoField<Info>& f : fields)
        if (const auto it = values->find(f.key); it != values->end() && it->second)
            info.*f.text = *it->second;
    return info;
}

template <typename Info, std::size_t N>
InfoRead<Info> readInfo(const std::string& path, const std::array<InfoField<Info>, N>& fields)
{
    InfoRead<Info> r;
    const ReadResult read = readWholeFile(path, kMaxInfoBytes + 1);
    if (read.missing)
        return r;
    r.found = true;
    if (!read.bytes) {
        r.problem = "无法读取报告信息文件 " + path + "：" + read.error;
        return r;
    }
    const auto info = read.bytes->size() > kMaxInfoBytes ? std::nullopt : fromJson(*read.bytes, fields);
    if (!info) {
        r.problem = "报告信息文件 " + path + " 格式不正确，其内容未采用。";
        return r;
    }
    r.info = *info;
    return r;
}

} // namespace

std::string companyInfoPath()
{
    return configFilePath("report-company.json");
}

std::string projectInfoPath(const std::string& dataFile)
{
    return dataFile + ".report.json";
}

std::string companyInfoJson(const CompanyInfo& info)
{
    return toJson(info, kCompanyFields);
}

std::string projectInfoJson(const ProjectReportInfo& info)
{
    return toJson(info, kProjectFields);
}

InfoRead<CompanyInfo> readCompanyInfo()
{
    return readInfo(companyInfoPath(), kCompanyFields);
}

InfoRead<ProjectReportInfo> readProjectReportInfo(const std::string& dataFile)
{
    if (dataFile.empty())
        return {};
    return readInfo(projectInfoPath(dataFile), kProjectFields);
}

IoResult writeCompanyInfo(const CompanyInfo& info)
{
    return writeConfigFile(companyInfoPath(), companyInfoJson(info));
}

IoResult writeProjectReportInfo(const std::string& dataFile, const ProjectReportInfo& info)
{
    return writeFileAtomic(projectInfoPath(dataFile), projectInfoJson(info));
}

IoResult carrySideFiles(const std::string& from, const std::string& to)
{
    for (const auto& path : {&analysisInputsPath, &projectInfoPath}) {
        const ReadResult read = readWholeFile((*path)(from), kMaxInfoBytes + 1);
        // None, or one too large to be the program's: nothing to carry.
        if (read.missing || (read.bytes && read.bytes->size() > kMaxInfoBytes))
            continue;
        if (!read.bytes)
            return IoResult::failed((*path)(from) + "：" + read.error);
        if (IoResult written = writeFileAtomic((*path)(to), *read.bytes); !written)
            return written;
    }
    return IoResult::done();
}

ReportInfo readReportInfo(const std::string& dataFile)
{
    return {readCompanyInfo().info, readProjectReportInfo(dataFile).info};
}

} // namespace pyx
