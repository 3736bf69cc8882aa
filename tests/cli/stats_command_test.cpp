// pyx-cli stats on the six sample piles of one unit project (samples/unit).

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "support/rtf_reader.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/unzip.h"

namespace pyx {
namespace {

using test::CommandRun;

std::string unitFiles()
{
    std::string out;
    for (const char* f : {"SZ-01.pyx", "SZ-02.pyx", "SZ-03.pyx", "SZ-04.pyw", "SZ-05.pys", "SZ-06.pys"})
        out += std::string(" '") + PYX_SOURCE_DIR + "/samples/unit/" + f + "'";
    return out;
}

CommandRun stats(const std::string& args)
{
    return test::runCommand(std::string("'") + PYX_CLI_PATH + "' stats" + args + " 2>/dev/null");
}

TEST(StatsCommand, JsonHoldsThePilesAndEveryStep)
{
    const CommandRun r = stats(unitFiles() + " --json");
    ASSERT_EQ(r.status, 0);
    const std::string& j = r.out;
    EXPECT_NE(j.find(R"("pile":"SZ-01","date":"2024-05-16","diameter":"1000","length":"28.5","maxLoad":600,)"
                     R"("hcr":360,"hu":480,"hcrStage":6,"huStage":8,)"),
              std::string::npos)
        << j.substr(0, 600);
    EXPECT_NE(j.find(R"("hcr":{"count":6,"mean":460,"range":240,)"), std::string::npos);
    EXPECT_NE(j.find(R"("value":405,"rule":")"), std::string::npos);
    EXPECT_NE(j.find(R"("leftOut":{"pile":"SZ-06","value":600})"), std::string::npos);
    EXPECT_NE(j.find(R"("count":4,"mean":405,"range":120,)"), std::string::npos);
    EXPECT_NE(j.find(R"("hu":{"count":6,"mean":580,"range":240,)"), std::string::npos);
    EXPECT_NE(j.find(R"("value":525,)"), std::string::npos);
    EXPECT_NE(j.find(R"("basis":"marks","basisLoad":405,"value":303.75,"pending":true,)"), std::string::npos);
    EXPECT_NE(j.find(R"("rangeExceeded":true,"advice":")"), std::string::npos);
    // SZ-04 is 29.0 m long, within the tolerance of 5 %.
    EXPECT_NE(j.find(R"("warnings":[]})"), std::string::npos);

    const CommandRun at10 = stats(unitFiles() + " --json --rule y10");
    ASSERT_EQ(at10.status, 0);
    EXPECT_NE(at10.out.find(R"("rule":"displacement","displacement":10,)"), std::string::npos);
    EXPECT_NE(at10.out.find(R"("basis":"displacement",)"), std::string::npos);

    // A cap of three piles or fewer takes the lowest; GB 50007-2011 half the ultimate load.
    const CommandRun cap = stats(unitFiles() + " --json --cap-le3 --standard gb50007 --rule hu");
    ASSERT_EQ(cap.status, 0);
    EXPECT_NE(cap.out.find(R"("standard":"gb50007-2011","capAtMostThree":true,)"), std::string::npos);
    EXPECT_NE(cap.out.find(R"("basisLoad":480,"value":240,"pending":false,)"), std::string::npos) << cap.out;
    EXPECT_EQ(stats(unitFiles() + " --rule hu").status, 2); // not a rule of JGJ 106-2014
    EXPECT_EQ(stats(unitFiles() + " --rule allowable").status, 2);
    const CommandRun allowable = stats(unitFiles() + " --json --rule allowable --allowable 8");
    ASSERT_EQ(allowable.status, 0);
    EXPECT_NE(allowable.out.find(R"("rule":"allowable","displacement":8,)"), std::string::npos);
}

TEST(StatsCommand, TextAndUsage)
{
    const CommandRun r = stats(unitFiles() + " '" + PYX_SOURCE_DIR + "/samples/no-such.pys'");
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("第2步：剔除 SZ-06（600 kN）后 5 个值，平均值 432 kN，极差 180 kN，极差/平均值 42%"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("no-such.pys 文件未能打开，不参加统计"), std::string::npos);
    EXPECT_NE(r.out.find("单桩水平承载力特征值 303.7 kN"), std::string::npos);
    EXPECT_NE(r.out.find("建议增加试桩"), std::string::npos);
    EXPECT_NE(r.out.find("【待工程师确认】"), std::string::npos);
    EXPECT_EQ(stats("").status, 2);
    EXPECT_EQ(stats(unitFiles() + " --rule y7").status, 2);
    EXPECT_EQ(stats(unitFiles() + " --pdf").status, 2);
}

// pyx-cli writes the summary report only when it is built with Qt (PYX_GUI).
#ifdef PYX_CLI_DRAWS
TEST(StatsCommand, SummaryReportAsRtfDocxAndPdf)
{
    const test::TempDir dir;
    const std::string rtf = dir.file("s.rtf");
    ASSERT_EQ(stats(unitFiles() + " --rtf '" + rtf + "'").status, 0);
    const test::RtfDocument doc = test::parseRtf(test::TempDir::read(rtf));
    EXPECT_TRUE(doc.balanced);
    ASSERT_EQ(doc.tables.size(), 1u);
    EXPECT_NE(std::find(doc.paragraphs.begin(), doc.paragraphs.end(), "单桩水平静载试验结果汇总表"),
              doc.paragraphs.end());
    const test::RtfTable& t = doc.tables[0];
    ASSERT_GE(t.size(), 9u);
    EXPECT_EQ(t[1].cells[6].text, "水平临界荷载Hcr(kN)");
    EXPECT_EQ(t[2].cells[1].text, "SZ-01");
    EXPECT_EQ(t[7].cells[6].text, "600");
    bool characteristic = false;
    for (const test::RtfRow& row : t)
        for (const test::RtfCell& c : row.cells)
            characteristic = characteristic || c.text == "303.7 kN（统计值待确认）";
    EXPECT_TRUE(characteristic);

    const std::string docx = dir.file("s.docx");
    ASSERT_EQ(stats(unitFiles() + " --docx '" + docx + "'").status, 0);
    EXPECT_EQ(test::TempDir::read(docx).substr(0, 2), "PK");

    const std::string pdf = dir.file("s.pdf");
    ASSERT_EQ(stats(unitFiles() + " --pdf '" + pdf + "'").status, 0);
    const CommandRun text = test::runCommand("pdftotext '" + pdf + "' - 2>/dev/null");
    ASSERT_EQ(text.status, 0) << "pdftotext failed or is missing (scripts/setup-debian.sh installs it)";
    EXPECT_NE(text.out.find("单桩水平静载试验结果汇总表"), std::string::npos);
    EXPECT_NE(text.out.find("303.7"), std::string::npos);
    EXPECT_EQ(stats(unitFiles() + " --pdf '" + dir.file("none/s.pdf") + "'").status, 1);
}

TEST(StatsCommand, SummaryReportAsWorkbook)
{
    const test::TempDir dir;
    const std::string book = dir.file("汇总.xlsx");
    ASSERT_EQ(stats(unitFiles() + " --xlsx '" + book + "'").status, 0);
    const auto parts = test::unzip(test::TempDir::read(book));
    EXPECT_NE(parts.at("xl/workbook.xml").find("name=\"单桩水平静载试验结果汇总表\""), std::string::npos);
    // SZ-01's Hcr (row 4 of the sheet: the title, two heading rows) as a number.
    std::smatch m;
    const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
    ASSERT_TRUE(std::regex_search(sheet, m, std::regex("<c r=\"G4\"([^>]*)><v>([^<]*)</v>")));
    EXPECT_EQ(m.str(1).find(" t="), std::string::npos) << m.str(0);
    EXPECT_EQ(m.str(2), "360");
}

#endif

} // namespace
} // namespace pyx
