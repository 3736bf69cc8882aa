// The Word export of pyx-cli opened by a real word processor: LibreOffice converts the .doc
// (RTF) and .docx files of a sample with every report selected to PDF, and the PDF's text
// and pictures are checked.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/settings.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

// pyx-cli writes Word files only when it is built with Qt (PYX_GUI).
#ifdef PYX_CLI_DRAWS

namespace pyx {
namespace {

// The output of a command line; `status` becomes its exit status.
std::string run(const std::string& command, int& status)
{
    test::CommandRun r = test::runCommand(command);
    status = r.status;
    return std::move(r.out);
}

bool have(const char* tool)
{
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

std::string quoted(const std::string& s)
{
    return "'" + s + "'";
}

// A settings file with the given print selections on (entries 70 to 79) and the rest as
// start-up supplies them.
std::string settingsFile(const test::TempDir& dir, std::initializer_list<int> on)
{
    SettingsTable csz;
    for (int e = 70; e <= 79; ++e)
        csz[e] = "0";
    for (const int e : on)
        csz[e] = "1";
    const std::string path = dir.file("spconfig.sys");
    EXPECT_TRUE(writeSettings(path, csz).ok());
    return path;
}

std::string reportCommand(const std::string& settings, const std::string& option, const std::string& out)
{
    return quoted(PYX_CLI_PATH) + " report " +
           quoted(std::string(PYX_SOURCE_DIR) + "/samples/logger_levels.pyx") + " --settings " +
           quoted(settings) + " " + option + " " + quoted(out) + " 2>/dev/null";
}

struct OfficeCase
{
    const char* option;
    const char* file;
    bool reduced;
};

class WordOffice : public ::testing::TestWithParam<OfficeCase>
{
};

TEST_P(WordOffice, ConvertsToPdfWithTheTablesAndCurves)
{
    // scripts/setup-debian.sh installs them: a machine without them fails here.
    for (const char* tool : {"soffice", "pdftotext", "pdfimages", "pdfinfo"})
        ASSERT_TRUE(have(tool)) << tool << " is missing";
    const OfficeCase& c = GetParam();
    test::TempDir dir;
    const std::string settings =
        c.reduced ? settingsFile(dir, {70, 71, 72, 73, 77, 78, 79}) : settingsFile(dir, {70, 71, 72, 73, 78});
    const std::string doc = dir.file(c.file);
    int status = 0;
    run(reportCommand(settings, c.option, doc), status);
    ASSERT_EQ(status, 0);

    // Each conversion has a profile of its own.
    run("soffice --headless -env:UserInstallation=file://" + dir.file("profile") +
            " --convert-to pdf --outdir " + quoted(dir.file("pdf")) + " " + quoted(doc) + " >/dev/null 2>&1",
        status);
    ASSERT_EQ(status, 0);
    const std::string pdf = dir.file("pdf/" + std::filesystem::path(c.file).stem().string() + ".pdf");
    ASSERT_TRUE(std::filesystem::exists(pdf));

    const std::string text = run("pdftotext -enc UTF-8 " + quoted(pdf) + " -", status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(count(text, "单桩水平静载试验数据记录表"), 1u);
    EXPECT_EQ(count(text, c.reduced ? "荷载-水平位移数据汇总表" : "单桩水平静载试验数据汇总表"), 1u);
    EXPECT_EQ(count(text, "单桩水平静载试验原始数据表"), 1u);
    EXPECT_EQ(count(text, "单桩水平静载试验曲线图"), c.reduced ? 1u : 2u);
    for (const char* cell :
         {"工程名称：", "试桩编号：SZ-3", "上下表距：500", "荷载(kN)", "观测时间", "加载水平位移(mm)",
          "卸载水平位移(mm)", "实 测 读 数 (mm)", "桩径：1000", "检测日期："})
        EXPECT_NE(text.find(cell), std::string::npos) << cell;

    // The curves: one picture each, on the last page or the last two pages.
    const std::string info = run("pdfinfo " + quoted(pdf), status);
    const std::size_t at = info.find("Pages:");
    ASSERT_NE(at, std::string::npos);
    const int pages = std::atoi(info.c_str() + at + 6);

    // The .docx: the record table (50 cycles) and the raw data table run over more than one
    // page and repeat their headings on each; the footer numbers the pages (pdftotext may drop
    // the blanks). LibreOffice's RTF reader ignores header rows, the RTF tests read them back.
    if (std::string(c.option) == "--docx") {
        EXPECT_GE(count(text, "加载水平位移(mm)"), 2u);
        EXPECT_GE(count(text, "实 测 读 数 (mm)"), 2u);
        const std::string flat = run("pdftotext -enc UTF-8 " + quoted(pdf) + " - | tr -d ' '", status);
        EXPECT_NE(flat.find("第1页共" + std::to_string(pages) + "页"), std::string::npos);
        EXPECT_NE(flat.find("第" + std::to_string(pages) + "页共" + std::to_string(pages) + "页"),
                  std::string::npos);
    }
    const std::string list = run("pdfimages -list " + quoted(pdf), status);
    ASSERT_EQ(status, 0);
    std::vector<int> pictureOnPage;
    std::size_t line = 0;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = list.find('\n', start);
        if (++line > 2)
            pictureOnPage.push_back(std::atoi(list.c_str() + start));
        start = end == std::string::npos ? list.size() : end + 1;
    }
    ASSERT_EQ(pictureOnPage.size(), 2u) << list;
    EXPECT_EQ(pictureOnPage[0], c.reduced ? pages : pages - 1);
    EXPECT_EQ(pictureOnPage[1], pages);
}

INSTANTIATE_TEST_SUITE_P(Formats, WordOffice,
                         ::testing::Values(OfficeCase{"--rtf", "report.doc", false},
                                           OfficeCase{"--docx", "report.docx", false},
                                           OfficeCase{"--rtf", "reduced.rtf", true},
                                           OfficeCase{"--docx", "reduced.docx", true}),
                         [](const auto& info) {
                             return std::string(info.param.reduced ? "Reduced" : "Full") +
                                    (std::string(info.param.option) == "--rtf" ? "Rtf" : "Docx");
                         });

TEST(WordExportCli, UnwritableTargetFailsWithNothingLeft)
{
    test::TempDir dir;
    const std::string settings = settingsFile(dir, {70, 72});
    int status = 0;
    for (const char* option : {"--rtf", "--docx"}) {
        run(reportCommand(settings, option, dir.file("missing/out.doc")), status);
        EXPECT_EQ(status, 1) << option;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
    // A folder in the way is not replaced, and no temporary file is left beside it.
    const std::string taken = dir.file("taken.doc");
    std::filesystem::create_directory(taken);
    dir.write("taken.doc/keep", "x");
    run(reportCommand(settings, "--rtf", taken), status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(test::TempDir::read(taken + "/keep"), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 2);
    run(quoted(PYX_CLI_PATH) + " report x.pyx --rtf 2>/dev/null", status);
    EXPECT_EQ(status, 2);
}

} // namespace
} // namespace pyx

#endif
