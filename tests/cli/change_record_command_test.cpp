// `pyx-cli inspect` lists the differences from the logger's readings; `pyx-cli report
// --changes` adds the record of changes, with the logger's fingerprint at its head.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

struct ChangeRecordCommand : ::testing::Test
{
    test::TempDir dir;

    std::string cli(const std::string& args)
    {
        return test::runCommand(std::string("'") + PYX_CLI_PATH + "' " + args + " 2>/dev/null").out;
    }
    // A copy of a logger sample with one reading edited and saved in the window.
    std::string editedLogger()
    {
        const std::string path = dir.file("edited.pyx");
        std::filesystem::copy_file(std::string(PYX_SOURCE_DIR) + "/samples/logger_levels.pyx", path);
        auto d = std::make_unique<TestData>();
        ScriptedDialogs dialogs;
        MainWindow w{*d, dialogs, dir.file("spconfig.sys")};
        w.load(1366);
        dialogs.fileNames.push_back(path);
        w.dispatch("miFOpen");
        EXPECT_TRUE(w.grid.commitEdit(3, 6, "1.5"));
        w.dispatch("miFSave");
        return path;
    }
};

TEST_F(ChangeRecordCommand, InspectListsTheEditsOfASavedLoggerFile)
{
    const std::string sample = std::string(PYX_SOURCE_DIR) + "/samples/logger_levels.pyx";
    EXPECT_EQ(cli("inspect '" + sample + "'").find("\"edits\""), std::string::npos);
    const std::string out = cli("inspect '" + editedLogger() + "'");
    EXPECT_NE(out.find(R"("edits":[{"kind":"changed","row":2,"loggerRow":2,)"), std::string::npos)
        << out.substr(0, 200);
    EXPECT_NE(out.find(R"("col":6,"column":"加载下表1",)"), std::string::npos);
    EXPECT_NE(out.find(R"("table":1.5})"), std::string::npos);
}

TEST_F(ChangeRecordCommand, ReportChangesAddsTheRecordAfterTheOtherPages)
{
    const std::string file = editedLogger();
    const std::string plain = cli("report '" + file + "' --outline");
    const std::string changes = cli("report '" + file + "' --changes --outline");
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain.find("原始数据修改记录"), std::string::npos);
    EXPECT_NE(changes.find("\"paragraphs\":[\"原始数据修改记录\""), std::string::npos);
    EXPECT_NE(changes.find("记录表与记录仪读数不同之处共 1 处："), std::string::npos);
    const std::string record = std::string(PYX_SOURCE_DIR) + "/samples/record_15_levels.pys";
    EXPECT_NE(cli("report '" + record + "' --changes --outline").find("没有记录仪的原始读数"),
              std::string::npos);
}

} // namespace
} // namespace pyx
