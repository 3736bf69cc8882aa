#include "reports/report_front.h"

#include <algorithm>

#include "analysis/analysis_report.h"
#include "analysis/standard.h"
#include "analysis/stats_summary.h"
#include "data/instrument_header.h"
#include "data/numfmt.h"
#include "data/settings_entries.h"

namespace pyx {
namespace {

// A line to fill in by hand, where a paragraph's field is empty.
constexpr const char* kBlankLine = "＿＿＿＿＿＿＿＿＿＿＿＿";

std::string orBlankLine(const std::string& text)
{
    return text.empty() ? kBlankLine : text;
}

std::string orTest(const std::string& typed, const std::string& fromTest)
{
    return typed.empty() ? fromTest : typed;
}

// Texts joined by "；", the empty ones left out.
std::string joined(const std::vector<std::string>& parts)
{
    std::string out;
    for (const std::string& p : parts) {
        if (p.empty())
            continue;
        if (!out.empty())
            out += "；";
        out += p;
    }
    return out;
}

std::string withValue(const std::string& label, const std::string& value, const std::string& unit = "")
{
    return value.empty() ? std::string() : label + value + unit;
}

LabelledTexts methodRows(const TestData& d)
{
    std::string gauges;
    for (int g = 0; g < 4; ++g)
        if (gaugeInUse(d.csz, g))
            gauges += std::string(gauges.empty() ? "" : "、") + kGaugeNames[static_cast<std::size_t>(g)];
    const InstrumentHeader h = instrumentHeader(d);
    const std::string jack =
        h.regression()
            ? joined({withValue("编号 ", h.jackNumber), withValue("系数a ", h.coefficientA),
                      withValue("系数b ", h.coefficientB), withValue("", h.jacks, " 台并联")})
            : joined({withValue("编号 ", h.jackNumber), withValue("额定出力 ", h.ratedOutput, " kN"),
                      withValue("额定油压 ", h.ratedPressure, " MPa"), withValue("", h.jacks, " 台并联")});
    const std::string sensorParts = joined({withValue("编号 ", h.sensorNumber),
                                            withValue("量程 ", h.sensorRange, h.oilSensor ? " MPa" : " kN"),
                                            withValue("灵敏度 ", h.sensorSensitivity, " mv/V")});
    const std::string sensor =
        sensorParts.empty() ? std::string() : (h.oilSensor ? "油压传感器：" : "测力传感器：") + sensorParts;
    // A test without the logger's header (slot 0 is 0) has no factor to tell.
    const std::string conversion =
        h.slot0 == 0 ? std::string()
                     : joined({slot0Line(h), std::string("压力计算方式：") + pressureMethodText(h.code)});
    return {
        {"加载方式", kLoadingMethod},
        {"位移测量", joined({withValue("上下表距 ", d.jlb[5].cstr.trimmed()), withValue("百分表 ", gauges)})},
        {"记录仪型号", h.model},
        {"千斤顶", jack},
        {"传感器", sensor},
        {"荷载换算", conversion}};
}

std::string sourceSuffix(HcrSource s)
{
    return s == HcrSource::Suggestion ? std::string("（") + kPendingLabel + "）" : std::string();
}

std::string hcrText(const TestAnalysis& a)
{
    return a.hcr ? loadText(*a.hcr) + sourceSuffix(a.hcrSource) : std::string("未能确定");
}

// Without a mark or a suggestion of Hu the test did not reach it: the maximum load is told.
std::string huText(const TestAnalysis& a, const std::optional<double>& maxLoad)
{
    if (a.hu)
        return loadText(*a.hu) + sourceSuffix(a.huSource);
    return maxLoad ? "未达到（最大试验荷载 " + loadText(*maxLoad) + " kN）" : std::string();
}

std::string valueText(const Characteristic& c)
{
    if (!c.value)
        return {};
    return characteristicNumber(*c.value) + (c.pending() ? std::string("（") + kPendingLabel + "）" : "");
}

std::vector<std::string> conclusionNotes(const TestData& d, const TestAnalysis& a, const ProjectReportInfo& p)
{
    const Characteristic& c = a.characteristic;
    std::vector<std::string> notes{"检测依据：" + standardTitle(c.standard) + "。"};
    const std::string pile = d.jlb[1].cstr.trimmed();
    if (c.value) {
        notes.push_back("试桩 " + pile + " 的单桩水平承载力特征值为 " + characteristicNumber(*c.value) +
                        " kN（" + (c.pending() ? std::string(kPendingLabel) + "，待确认；" : std::string()) +
                        c.ruleText + "）。");
        if (c.pending())
            notes.emplace_back(kPendingValueNote);
        else if (const auto design = toDouble(p.designValue); design && *design > 0)
            notes.push_back(*c.value >= *design ? "满足设计要求（" + p.designValue + " kN）。"
                                                : "不满足设计要求（" + p.designValue + " kN）。");
    } else if (!c.reason.empty()) {
        notes.push_back("单桩水平承载力特征值未能确定：" + c.reason);
    }
    if (a.hcrSource == HcrSource::Suggestion || a.huSource == HcrSource::Suggestion)
        notes.emplace_back("注明“" + std::string(kPendingLabel) +
                           "”的荷载为各方法建议的最小值（偏于安全），以在曲线上确认的标记为准。");
    return notes;
}

} // namespace

FrontContent frontContent(const TestData& d, const TestAnalysis& a, const ReportInfo& info)
{
    const ProjectReportInfo& p = info.project;
    const CompanyInfo& co = info.company;
    FrontContent c;
    c.reportNumber = p.reportNumber;
    const std::string testDate = orTest(p.testDates, d.jlb[2].cstr.trimmed());
    c.cover = {{"工程名称", orTest(p.projectName, d.jlb[0].cstr.trimmed())},
               {"工程地点", p.location},
               {"委托单位", p.client},
               {"建设单位", p.builder},
               {"设计单位", p.designer},
               {"施工单位", p.contractor},
               {"监理单位", p.supervisor},
               {"检测项目", kTestItem},
               {"检测依据", standardTitle(a.characteristic.standard)},
               {"检测日期", testDate},
               {"报告日期", p.reportDate}};
    c.company = {
        {"检测单位", co.name}, {"资质证书编号", co.certificate}, {"地址", co.address}, {"电话", co.phone}};

    const std::optional<double> maxLoad = maximumLoad(a.points);
    c.pile = {{"桩号", "桩型", "桩径", "桩长", "混凝土强度等级", "设计要求特征值(kN)", "最大试验荷载(kN)"},
              {d.jlb[1].cstr.trimmed(), p.pileType, d.jlb[3].cstr.trimmed(), d.jlb[4].cstr.trimmed(),
               p.concrete, p.designValue, maxLoad ? loadText(*maxLoad) : ""}};
    c.method = methodRows(d);
    c.conclusion = {
        {"桩号", "水平临界荷载(kN)", "水平极限承载力(kN)", "单桩水平承载力特征值(kN)", "取值依据"},
        {d.jlb[1].cstr.trimmed(), hcrText(a), huText(a, maxLoad), valueText(a.characteristic),
         a.characteristic.value ? a.characteristic.ruleText : ""}};
    c.conclusionNotes = conclusionNotes(d, a, p);
    c.signatures = {{"职责", "姓名", "签名", "日期"},        {"检测", p.tester, "", testDate},
                    {"记录", p.recorder, "", testDate},      {"校核", p.checker, "", p.reportDate},
                    {"审核", co.reviewer, "", p.reportDate}, {"批准", co.approver, "", p.reportDate}};
    return c;
}

namespace {

constexpr double kCoverRowHeight = 620;
constexpr double kRowHeight = 460;

void heading(PageDocument& doc, const std::string& text, double size)
{
    doc.setFontSize(size);
    doc.setBold(true);
    doc.setAlign(TextAlign::Center);
    doc.paragraph(text);
    doc.setBold(false);
}

void section(PageDocument& doc, const std::string& text)
{
    // A little room above the heading.
    doc.setFontSize(6);
    doc.paragraph("");
    doc.setFontSize(12);
    doc.setBold(true);
    doc.setAlign(TextAlign::Left);
    doc.paragraph(text);
    doc.setBold(false);
}

void blankLines(PageDocument& doc, int n)
{
    for (int i = 0; i < n; ++i)
        doc.paragraph("");
}

// A table of texts with the given column widths, the first `headerRows` rows its heading;
// the cells centred but for those of `leftColumns` below the heading.
Table textTable(const TextRows& rows, const std::vector<double>& widths, double rowHeight, int headerRows,
                const std::vector<int>& leftColumns = {})
{
    const int cols = static_cast<int>(widths.size());
    Table t(cols, static_cast<int>(rows.size()));
    t.setDefaultRowHeight(rowHeight);
    t.setHeaderRows(headerRows);
    for (int c = 0; c < cols; ++c)
        t.setColWidth(c + 1, widths[static_cast<std::size_t>(c)]);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < cols && c < static_cast<int>(rows[r].size()); ++c) {
            const int row = static_cast<int>(r) + 1;
            t.setText(row, c + 1, rows[r][static_cast<std::size_t>(c)]);
            const bool left = row > headerRows &&
                              std::find(leftColumns.begin(), leftColumns.end(), c + 1) != leftColumns.end();
            t.setAlign(row, c + 1, left ? TextAlign::Left : TextAlign::Center);
        }
    return t;
}

void put(PageDocument& doc, Table t)
{
    doc.setAlign(TextAlign::Center);
    doc.table(std::move(t));
    doc.setAlign(TextAlign::Left);
}

TextRows labelRows(const LabelledTexts& texts)
{
    TextRows rows;
    for (const auto& [label, text] : texts)
        rows.push_back({label, text});
    return rows;
}

void cover(PageDocument& doc, const FrontContent& c)
{
    const double whole = doc.setup().contentWidth();
    doc.setFontSize(10.5);
    doc.setAlign(TextAlign::Right);
    doc.paragraph("报告编号：" + orBlankLine(c.reportNumber));
    doc.setFontSize(12);
    blankLines(doc, 4);
    heading(doc, kTitleReportFront, 26);
    doc.setFontSize(12);
    blankLines(doc, 3);
    put(doc, textTable(labelRows(c.cover), {2600, whole - 2600}, kCoverRowHeight, 0, {2}));
    doc.setFontSize(12);
    blankLines(doc, 3);
    doc.setAlign(TextAlign::Center);
    for (const auto& [label, text] : c.company)
        doc.paragraph(label + "：" + orBlankLine(text));
    doc.setAlign(TextAlign::Left);
}

void conclusionPage(PageDocument& doc, const FrontContent& c)
{
    const double whole = doc.setup().contentWidth();
    heading(doc, kTitleConclusion, 18);
    section(doc, "一、试桩概况");
    doc.setFontSize(10.5);
    put(doc, textTable(c.pile, {1300, 1500, 1300, 1300, 1600, 1700, whole - 8700}, kRowHeight, 1));
    section(doc, "二、试验方法与仪器");
    doc.setFontSize(10.5);
    put(doc, textTable(labelRows(c.method), {2000, whole - 2000}, kRowHeight, 0, {2}));
    section(doc, "三、检测结论");
    doc.setFontSize(10.5);
    put(doc, textTable(c.conclusion, {1100, 1500, 2000, 1900, whole - 6500}, kRowHeight, 1, {5}));
    for (const std::string& note : c.conclusionNotes)
        doc.paragraph(note);
    section(doc, "四、签字");
    doc.setFontSize(10.5);
    // The signatures, and beside them the place of the seal over all their rows.
    TextRows rows = c.signatures;
    for (std::size_t r = 0; r < rows.size(); ++r)
        rows[r].push_back(r == 0 ? kSealPlace : "");
    Table t = textTable(rows, {1300, 2000, 2200, 2000, whole - 7500}, 520, 0);
    t.span(1, 5, static_cast<int>(rows.size()), 5);
    put(doc, std::move(t));
}

} // namespace

void ReportFrontPages(PageDocument& doc, const FrontContent& c, const std::function<void()>& stamp)
{
    cover(doc, c);
    stamp();
    doc.newPage();
    conclusionPage(doc, c);
    stamp();
}

} // namespace pyx
