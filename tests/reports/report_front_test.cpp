// The report front: the cover and the conclusion page as the reports build them from the open
// test, its analysis and the texts of "报告信息".

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/analysis_report.h"
#include "analysis/standard.h"
#include "analysis/stats_summary.h"
#include "platform/page_outline.h"
#include "reports/analysis_page.h"
#include "reports/report_build.h"
#include "reports/report_front.h"
#include "reports/report_tables.h"
#include "samplegen/sample_files.h"
#include "session/test_session.h"
#include "support/config_home.h"
#include "support/report_test_data.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

bool mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

bool anyMentions(const std::vector<std::string>& texts, const std::string& part)
{
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return mentions(t, part); });
}

std::string field(const LabelledTexts& texts, const std::string& label)
{
    for (const auto& [l, t] : texts)
        if (l == label)
            return t;
    ADD_FAILURE() << "no field " << label;
    return {};
}

struct ReportFrontTest : ::testing::Test
{
    test::TempDir dir;
    test::ScopedConfigHome home{dir.file("config")};
    std::unique_ptr<OpenedTest> opened;

    // The analysis sample as a record file, with the gradient curve's marks at the given points
    // (0: none).
    TestData& open(float hcrPoint, float huPoint)
    {
        samples::CyclicTest t = samples::analysisSample();
        t.header.mark1 = hcrPoint;
        t.header.mark2 = huPoint;
        opened = openTestAlone(dir.write("SZ-9.pys", samples::recordFile(t)), "");
        EXPECT_EQ(opened->result, OpenResult::Opened);
        return *opened->data;
    }
    FrontContent front(TestData& d, const ReportInfo& info = {})
    {
        return frontContent(d, reportAnalysis(d, opened->session->grid.rows()), info);
    }
};

TEST_F(ReportFrontTest, ConfirmedMarksGiveTheConclusionWithoutReservation)
{
    TestData& d = open(4, 8);
    const TestAnalysis a = reportAnalysis(d, opened->session->grid.rows());
    ASSERT_EQ(a.hcrSource, HcrSource::Mark);
    ASSERT_EQ(a.huSource, HcrSource::Mark);
    const FrontContent c = front(d);
    const std::vector<std::string>& row = c.conclusion.at(1);
    EXPECT_EQ(row[0], "SZ-9");
    EXPECT_EQ(row[1], loadText(*a.markedHcr));
    EXPECT_EQ(row[2], loadText(*a.markedHu));
    ASSERT_TRUE(a.characteristic.value);
    EXPECT_EQ(row[3], characteristicNumber(*a.characteristic.value));
    EXPECT_EQ(row[4], a.characteristic.ruleText);
    for (const std::string& cell : row)
        EXPECT_FALSE(mentions(cell, kPendingLabel)) << cell;
    EXPECT_FALSE(anyMentions(c.conclusionNotes, kPendingValueNote));
    EXPECT_TRUE(anyMentions(c.conclusionNotes, standardTitle(Standard::Jgj106)));
    EXPECT_EQ(field(c.cover, "检测依据"), "《建筑基桩检测技术规范》JGJ 106-2014");
    EXPECT_EQ(field(c.method, "加载方式"), kLoadingMethod);
    EXPECT_EQ(c.pile.at(1).back(), loadText(a.points.back().h0)); // the maximum test load
}

TEST_F(ReportFrontTest, WithoutMarksEverySuggestedFigureSaysItIsPending)
{
    TestData& d = open(0, 0);
    const TestAnalysis a = reportAnalysis(d, opened->session->grid.rows());
    ASSERT_EQ(a.hcrSource, HcrSource::Suggestion);
    ASSERT_TRUE(a.characteristic.pending());
    const FrontContent c = front(d);
    const std::vector<std::string>& row = c.conclusion.at(1);
    EXPECT_TRUE(mentions(row[1], kPendingLabel));
    EXPECT_TRUE(mentions(row[3], kPendingLabel));
    EXPECT_TRUE(anyMentions(c.conclusionNotes, kPendingValueNote));
    // A design value is not judged against a pending value.
    ReportInfo info;
    info.project.designValue = "1";
    EXPECT_FALSE(anyMentions(front(d, info).conclusionNotes, "设计要求"));
}

TEST_F(ReportFrontTest, AnUltimateLoadNotReachedGivesTheMaximumLoad)
{
    TestAnalysis a;
    a.points = {StagePoint{1, 0, 50, 1}, StagePoint{2, 5, 100, 2}};
    a.hcr = 50;
    a.hcrSource = HcrSource::Mark;
    a.characteristic.value = 37.5;
    a.characteristic.basis = ValueBasis::Marks;
    a.characteristic.ruleText = "0.75×水平临界荷载";
    const auto d = test::reportTestData();
    ReportInfo info;
    info.project.designValue = "40";
    const FrontContent c = frontContent(*d, a, info);
    EXPECT_EQ(c.conclusion.at(1)[2], "未达到（最大试验荷载 100 kN）");
    EXPECT_TRUE(anyMentions(c.conclusionNotes, "不满足设计要求（40 kN）"));
    info.project.designValue = "37.5";
    EXPECT_TRUE(anyMentions(frontContent(*d, a, info).conclusionNotes, "满足设计要求（37.5 kN）"));
}

TEST_F(ReportFrontTest, TypedTextsTakePrecedenceAndEmptyOnesStayBlank)
{
    TestData& d = open(4, 8);
    FrontContent c = front(d);
    EXPECT_EQ(field(c.cover, "工程名称"), "城西快速路跨河大桥桩基检测工程"); // the test's own
    EXPECT_EQ(field(c.cover, "检测日期"), "2024-05-16");
    EXPECT_EQ(field(c.cover, "委托单位"), "");
    for (const auto& [label, text] : c.cover)
        EXPECT_FALSE(mentions(text, "—")) << label;
    ReportInfo info;
    info.project.projectName = "另一工程";
    info.project.client = "某委托单位";
    info.project.tester = "张三";
    info.project.reportDate = "2024-06-01";
    info.company.approver = "李四";
    c = front(d, info);
    EXPECT_EQ(field(c.cover, "工程名称"), "另一工程");
    EXPECT_EQ(field(c.cover, "委托单位"), "某委托单位");
    EXPECT_EQ(c.signatures.at(1), (std::vector<std::string>{"检测", "张三", "", "2024-05-16"}));
    EXPECT_EQ(c.signatures.at(5), (std::vector<std::string>{"批准", "李四", "", "2024-06-01"}));
}

TEST_F(ReportFrontTest, TheFrontComesFirstAndLeavesTheSpecifiedPagesAsTheyWere)
{
    const auto d = test::reportTestData(40);
    d->csz[70] = "1";
    d->csz[72] = "1";
    FixedTextMeasure measure;
    PageDocument without(measure);
    ReportBuilder(*d, 10).buildPreview(without);
    d->csz[82] = "1";
    PageDocument with(measure);
    ReportBuilder(*d, 10).buildPreview(with);

    const DocumentOutline a = outlineOf(without);
    const DocumentOutline b = outlineOf(with);
    ASSERT_EQ(b.pageCount, a.pageCount + 2);
    EXPECT_EQ(b.pages[0].paragraphs.at(1), kTitleReportFront);
    EXPECT_EQ(b.pages[0].paragraphs.at(0), "报告编号：＿＿＿＿＿＿＿＿＿＿＿＿");
    EXPECT_EQ(b.pages[1].paragraphs.at(0), kTitleConclusion);
    EXPECT_EQ(b.pages[1].tables.size(), 4u);
    for (int p = 0; p < b.pageCount; ++p)
        EXPECT_EQ(b.pages[p].stamp, pageStampText(p, b.pageCount));
    for (int p = 0; p < a.pageCount; ++p) {
        EXPECT_EQ(b.pages[p + 2].paragraphs, a.pages[p].paragraphs);
        EXPECT_EQ(b.pages[p + 2].tables, a.pages[p].tables);
        EXPECT_EQ(b.pages[p + 2].pictures, a.pages[p].pictures);
    }

    // The Word version: the front's five tables before the reports', each report on a page of its own.
    PageDocument word(measure);
    ReportBuilder(*d, 10).buildWord(word);
    const auto firstTable = std::find_if(word.flow().begin(), word.flow().end(),
                                         [](const Block& b) { return std::holds_alternative<Table>(b); });
    ASSERT_NE(firstTable, word.flow().end());
    EXPECT_EQ(std::get<Table>(*firstTable).text(8, 1), "检测项目");
    EXPECT_EQ(std::get<Table>(*firstTable).text(8, 2), kTestItem);
}

} // namespace
} // namespace pyx
