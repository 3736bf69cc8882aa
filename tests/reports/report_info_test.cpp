#include <gtest/gtest.h>

#include "base/file_io.h"
#include "dialogs/report_info_dialog.h"
#include "platform/scripted_dialogs.h"
#include "reports/report_info.h"
#include "support/config_home.h"
#include "support/temp_dir.h"
#include "support/write_fault_double.h"

namespace pyx {
namespace {

struct ReportInfoTest : ::testing::Test
{
    test::TempDir dir;
    test::ScopedConfigHome home{dir.file("config")};
    std::string dataFile = dir.write("试桩 1.pyx", "");
};

TEST_F(ReportInfoTest, TextsSurviveTheFilesAndTheCompanyFolderIsMade)
{
    CompanyInfo company{"某检测有限公司", "甲级 No.123", "某市\"新区\"", "010-1234\\5678", "王审", "李批"};
    ProjectReportInfo project;
    project.reportNumber = "HZ-2026-001";
    project.client = "某建设单位\n第二行";
    project.designValue = "180";
    ASSERT_TRUE(writeCompanyInfo(company));
    ASSERT_TRUE(writeProjectReportInfo(dataFile, project));
    EXPECT_TRUE(pathExists(dir.file("config")));

    const ReportInfo back = readReportInfo(dataFile);
    EXPECT_EQ(back.company, company);
    EXPECT_EQ(back.project, project);
    EXPECT_EQ(projectInfoPath(dataFile), dataFile + ".report.json");
}

TEST_F(ReportInfoTest, MissingDamagedAndForeignFiles)
{
    const InfoRead<ProjectReportInfo> none = readProjectReportInfo(dataFile);
    EXPECT_FALSE(none.found);
    EXPECT_TRUE(none.problem.empty());
    EXPECT_FALSE(readProjectReportInfo("").found); // a test never saved

    dir.write("试桩 1.pyx.report.json", "{\"client\": \"甲\", ");
    const InfoRead<ProjectReportInfo> damaged = readProjectReportInfo(dataFile);
    EXPECT_TRUE(damaged.found);
    EXPECT_NE(damaged.problem.find("格式不正确"), std::string::npos);
    EXPECT_EQ(damaged.info, ProjectReportInfo{});

    // Unknown keys and nulls are passed over; the known ones are taken.
    dir.write("试桩 1.pyx.report.json",
              "{\"version\": 2, \"client\": \"甲\", \"other\": 1, \"tester\": null}");
    const InfoRead<ProjectReportInfo> read = readProjectReportInfo(dataFile);
    EXPECT_TRUE(read.problem.empty());
    EXPECT_EQ(read.info.client, "甲");
    EXPECT_EQ(read.info.tester, "");
}

TEST_F(ReportInfoTest, DialogWritesWhatChangedAndStaysOpenOnAFailure)
{
    TestData d;
    d.curfile = dataFile;
    d.jlb[0].cstr.set("某工程");
    ScriptedDialogs dialogs;
    ReportInfoDialog dialog(d, dialogs);
    dialog.load();
    EXPECT_TRUE(dialog.projectEnabled);
    EXPECT_EQ(dialog.projectFromTest, "某工程");

    // Nothing typed: no file is made.
    dialog.ok();
    EXPECT_TRUE(dialog.closed);
    EXPECT_FALSE(pathExists(companyInfoPath()));
    EXPECT_FALSE(pathExists(projectInfoPath(dataFile)));

    ReportInfoDialog typed(d, dialogs);
    typed.load();
    typed.company.name = "某检测有限公司";
    typed.project.reportNumber = "HZ-1";
    {
        const ScopedWriteFault fault({WriteStep::Byte, 0, ENOSPC});
        typed.ok();
    }
    EXPECT_FALSE(typed.closed);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("检测单位信息无法保存"), std::string::npos);
    typed.ok();
    EXPECT_TRUE(typed.closed);
    const ReportInfo back = readReportInfo(dataFile);
    EXPECT_EQ(back.company.name, "某检测有限公司");
    EXPECT_EQ(back.project.reportNumber, "HZ-1");
}

TEST_F(ReportInfoTest, ANewTestKeepsOnlyTheCompanyData)
{
    TestData d; // no data file yet
    ScriptedDialogs dialogs;
    ReportInfoDialog dialog(d, dialogs);
    dialog.load();
    EXPECT_FALSE(dialog.projectEnabled);
    dialog.company.phone = "123";
    dialog.project.client = "不保存";
    dialog.ok();
    EXPECT_TRUE(dialog.closed);
    EXPECT_EQ(readCompanyInfo().info.phone, "123");
}

} // namespace
} // namespace pyx
