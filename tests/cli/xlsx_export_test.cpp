// The Excel export of pyx-cli: the workbook of a sample with every table report and the
// curves selected, read back (sheets, numbers as numbers) and opened by LibreOffice.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "data/settings.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/unzip.h"

// pyx-cli writes workbooks where it is built with Qt, which draws the curve pictures.
#ifdef PYX_CLI_DRAWS

namespace pyx {
namespace {

std::string shellQuoted(const std::string& s)
{
    return "'" + s + "'";
}

struct XlsxExport : ::testing::Test
{
    test::TempDir dir;
    std::string settings = dir.file("spconfig.sys");

    XlsxExport()
    {
        SettingsTable csz;
        for (const int e : {10, 11, 12, 13, 70, 71, 72, 73, 78})
            csz[e] = "1";
        csz[77] = "0"; // the full summary
        EXPECT_TRUE(writeSettings(settings, csz).ok());
    }

    int report(const std::string& out)
    {
        return test::runCommand(shellQuoted(PYX_CLI_PATH) + " report " +
                                shellQuoted(std::string(PYX_SOURCE_DIR) + "/samples/logger_levels.pyx") +
                                " --settings " + shellQuoted(settings) + " --xlsx " + shellQuoted(out) +
                                " 2>/dev/null")
            .status;
    }
};

TEST_F(XlsxExport, SheetsPerReportNumbersAsNumbersAndLibreOfficeOpensIt)
{
    const std::string book = dir.file("报告.xlsx");
    ASSERT_EQ(report(book), 0);
    const auto parts = test::unzip(test::TempDir::read(book));
    const std::string& names = parts.at("xl/workbook.xml");
    std::size_t at = 0;
    for (const char* sheet : {"单桩水平静载试验数据记录表", "单桩水平静载试验数据汇总表",
                              "单桩水平静载试验原始数据表", "曲线图"}) {
        const std::size_t next = names.find(std::string("name=\"") + sheet + "\"");
        ASSERT_NE(next, std::string::npos) << sheet;
        EXPECT_GT(next, at) << sheet;
        at = next;
    }
    // The record table's first data row (row 5 below the title and three heading rows): the
    // load 40 and the readings as numbers, the time as text.
    const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(sheet, m, std::regex("<c r=\"A5\"[^>]*><v>([^<]*)</v>")));
    EXPECT_EQ(m.str(1), "40");
    ASSERT_TRUE(std::regex_search(sheet, m, std::regex("<c r=\"D5\"( [a-z]+=\"[^\"]*\")*>")));
    EXPECT_EQ(m.str(0).find(" t="), std::string::npos) << m.str(0);
    ASSERT_TRUE(std::regex_search(sheet, m, std::regex("<c r=\"B5\"( [a-z]+=\"[^\"]*\")*>")));
    EXPECT_NE(m.str(0).find(" t=\"s\""), std::string::npos) << m.str(0);
    EXPECT_EQ(parts.count("xl/media/image2.png"), 1u);

    // LibreOffice reads the workbook: every sheet prints with its title, the curves as pictures.
    int status = test::runCommand("soffice --headless -env:UserInstallation=file://" + dir.file("profile") +
                                  " --convert-to pdf --outdir " + shellQuoted(dir.file("pdf")) + " " +
                                  shellQuoted(book) + " >/dev/null 2>&1")
                     .status;
    ASSERT_EQ(status, 0) << "LibreOffice (soffice) is needed: scripts/setup-debian.sh installs it";
    const std::string pdf = dir.file("pdf/报告.pdf");
    const test::CommandRun text = test::runCommand("pdftotext -enc UTF-8 " + shellQuoted(pdf) + " -");
    ASSERT_EQ(text.status, 0);
    for (const char* title :
         {"单桩水平静载试验数据记录表", "单桩水平静载试验数据汇总表", "单桩水平静载试验原始数据表"})
        EXPECT_NE(text.out.find(title), std::string::npos) << title;
    // Two pictures (LibreOffice may list a picture again on the page above its own, clipped):
    // counted by their objects.
    const test::CommandRun images = test::runCommand("pdfimages -list " + shellQuoted(pdf) +
                                                     " | tail -n +3 | awk '{print $11}' | sort -u | wc -l");
    EXPECT_EQ(std::stoi(images.out), 2);
}

TEST_F(XlsxExport, OnlyARegularFileIsReplaced)
{
    const std::string folder = dir.file("folder.xlsx");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(report(folder), 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    const std::string missing = dir.file("none/r.xlsx");
    EXPECT_EQ(report(missing), 1);
    EXPECT_FALSE(std::filesystem::exists(missing));
    const std::string old = dir.write("old.xlsx", "old");
    EXPECT_EQ(report(old), 0);
    EXPECT_EQ(test::TempDir::read(old).substr(0, 2), "PK");
}

} // namespace
} // namespace pyx

#endif
