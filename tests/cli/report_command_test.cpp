#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "data/settings.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

using test::CommandRun;

CommandRun run(const std::string& command)
{
    return test::runCommand(command);
}

struct ReportCommand : ::testing::Test
{
    test::TempDir dir;
    std::string settings = dir.file("spconfig.sys");

    void select(std::initializer_list<int> entries)
    {
        SettingsTable csz{};
        for (const int e : entries)
            csz[e] = "1";
        for (const int e : {10, 11, 12, 13})
            csz[e] = "1";
        ASSERT_TRUE(writeSettings(settings, csz).ok());
    }
    CommandRun report(const std::string& sample, const std::string& args)
    {
        return run(std::string("'") + PYX_CLI_PATH + "' report '" + PYX_SOURCE_DIR + "/samples/" + sample +
                   "' --settings '" + settings + "' " + args + " 2>/dev/null");
    }
};

TEST_F(ReportCommand, OutlineCarriesPagesStampsAndPictures)
{
    select({70, 72, 73});
    const CommandRun r = report("logger_levels.pyx", "--outline");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\"pgtotal\":4,", 0), 0u) << r.out.substr(0, 80);
    EXPECT_NE(r.out.find("\"stamp\":\"第 1 页 共 4 页\""), std::string::npos);
    EXPECT_NE(r.out.find("\"paragraphs\":[\"单桩水平静载试验数据记录表\"]"), std::string::npos);
    EXPECT_NE(r.out.find(R"({"curve":2,"left":1680,"top":3420,"width":"60%","height":"70%"})"),
              std::string::npos);

    const CommandRun word = report("logger_levels.pyx", "--word --outline");
    ASSERT_EQ(word.status, 0);
    EXPECT_EQ(word.out.find("\"stamp\":\"第"), std::string::npos);
    EXPECT_NE(word.out.find(R"("width":"60%","height":"70%","table":2,"row":3,"col":1})"), std::string::npos);
}

// The report front leads the outline: marks give figures without reservation, a test without
// marks labels every suggested figure; the company's texts come from the user's settings.
TEST_F(ReportCommand, OutlineOfTheReportFront)
{
    select({70, 82});
    const std::string config = dir.file("config");
    std::filesystem::create_directories(config + "/pyx");
    std::FILE* company = std::fopen((config + "/pyx/report-company.json").c_str(), "wb");
    ASSERT_NE(company, nullptr);
    std::fputs(R"({"company": "某检测有限公司"})", company);
    std::fclose(company);
    const auto front = [&](const char* sample) {
        return run("XDG_CONFIG_HOME='" + config + "' '" + PYX_CLI_PATH + "' report '" + PYX_SOURCE_DIR +
                   "/samples/" + sample + "' --settings '" + settings + "' --outline 2>/dev/null");
    };
    const CommandRun marked = front("record_fractional.pys");
    ASSERT_EQ(marked.status, 0);
    EXPECT_NE(
        marked.out.find(R"("paragraphs":["报告编号：＿＿＿＿＿＿＿＿＿＿＿＿","单桩水平静载试验检测报告")"),
        std::string::npos);
    EXPECT_NE(marked.out.find("检测单位：某检测有限公司"), std::string::npos);
    EXPECT_NE(marked.out.find(R"("paragraphs":["检测概况与结论")"), std::string::npos);
    EXPECT_NE(marked.out.find(R"(["检测依据","《建筑基桩检测技术规范》JGJ 106-2014"])"), std::string::npos);
    EXPECT_EQ(marked.out.find("依据未确认的建议"), std::string::npos);
    EXPECT_NE(marked.out.find("\"stamp\":\"第 3 页"), std::string::npos); // the record table follows

    const CommandRun suggested = front("logger_analysis.pyx");
    ASSERT_EQ(suggested.status, 0);
    EXPECT_NE(suggested.out.find("（依据未确认的建议）"), std::string::npos);
}

// pyx-cli writes PDF only when it is built with Qt (PYX_GUI).
#ifdef PYX_CLI_DRAWS
TEST_F(ReportCommand, PdfHoldsThePagesOrIsNotWritten)
{
    select({70, 71, 77, 78, 72, 73}); // the simple summary
    const std::string pdf = dir.file("r.pdf");
    ASSERT_EQ(report("logger_levels.pyx", "--pdf '" + pdf + "'").status, 0);
    const CommandRun info = run("pdfinfo '" + pdf + "' 2>/dev/null");
    ASSERT_EQ(info.status, 0) << "pdfinfo failed or is missing (scripts/setup-debian.sh installs it)";
    EXPECT_NE(info.out.find("Pages:           9"), std::string::npos) << info.out;
    // pdftotext drops the blanks between the stamp's words.
    const CommandRun text = run("pdftotext -f 5 -l 5 '" + pdf + "' - 2>/dev/null | tr -d ' '");
    EXPECT_NE(text.out.find("单桩水平静载试验原始数据表"), std::string::npos);
    EXPECT_NE(text.out.find("第5页共9页"), std::string::npos);

    const std::string blocked = dir.file("none/r.pdf");
    EXPECT_EQ(report("logger_levels.pyx", "--pdf '" + blocked + "'").status, 1);
    EXPECT_FALSE(std::filesystem::exists(blocked));
}
#endif

TEST_F(ReportCommand, UnopenedFileAndUsageErrors)
{
    select({70, 71, 72});
    const CommandRun r = report("no-such-file.pys", "--outline");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\"pgtotal\":1,", 0), 0u) << r.out.substr(0, 80);
    EXPECT_NE(r.out.find("单桩水平静载试验曲线图"), std::string::npos);

    EXPECT_EQ(report("logger_levels.pyx", "").status, 2);
    const CommandRun help = run(std::string("'") + PYX_CLI_PATH + "' --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("report FILE"), std::string::npos);
    EXPECT_EQ(report("logger_levels.pyx", "--outline --pdf x.pdf").status, 2);
    EXPECT_EQ(report("logger_levels.pyx", "--pdf").status, 2);
}

} // namespace
} // namespace pyx
