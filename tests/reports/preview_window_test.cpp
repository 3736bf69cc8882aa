#include <gtest/gtest.h>

#include "platform/scripted_dialogs.h"
#include "reports/preview_tools.h"
#include "reports/preview_window.h"

namespace pyx {
namespace {

struct PreviewWindowTest : ::testing::Test
{
    ScriptedDialogs dialogs;
    PreviewWindow w{dialogs};
    int printed = 0;
    int wizards = 0;
    bool printer = true;
    bool printerSettings = true;

    PreviewWindowTest()
    {
        w.hooks.checkPrint = [this] { return printer; };
        w.hooks.print = [this] { ++printed; };
        w.hooks.canAddPrinter = [this] { return printerSettings; };
        w.hooks.addPrinter = [this] { ++wizards; };
        w.hooks.fitPercent = [] { return 61.5; };
    }
};

TEST_F(PreviewWindowTest, NavigationStaysWithinThePages)
{
    w.setPageCount(3);
    EXPECT_EQ(w.pageList(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(w.pagesLabel(), "页 共3页");
    EXPECT_EQ(w.currentPage(), 1);
    w.tool("上一页");
    EXPECT_EQ(w.currentPage(), 1);
    w.tool("下一页");
    w.tool("下一页");
    w.tool("下一页");
    EXPECT_EQ(w.currentPage(), 3);
    EXPECT_EQ(w.pageListIndex(), 2);
    w.tool("首页");
    EXPECT_EQ(w.currentPage(), 1);
    w.tool("最后一页");
    EXPECT_EQ(w.currentPage(), 3);
    w.choosePage(1);
    EXPECT_EQ(w.currentPage(), 2);
    w.viewScrolled(9);
    EXPECT_EQ(w.pageListIndex(), 2);

    w.setPageCount(0);
    EXPECT_TRUE(w.pageList().empty());
    EXPECT_EQ(w.pagesLabel(), "页 共0页");
    w.tool("下一页");
    EXPECT_EQ(w.currentPage(), 0);
}

TEST_F(PreviewWindowTest, ZoomCommandsKeepTheirLimitsAndShowTheSetting)
{
    w.tool("两页");
    EXPECT_EQ(w.zoomMode(), ZoomMode::TwoPages);
    EXPECT_EQ(w.zoomCaption(), "两页");
    w.tool("150");
    EXPECT_EQ(w.zoomPercent(), 150);
    EXPECT_EQ(w.zoomCaption(), "150%");
    w.tool("放大");
    EXPECT_EQ(w.zoomPercent(), 150);
    EXPECT_EQ(w.zoomText(), "150%");
    w.tool("25");
    EXPECT_EQ(w.zoomText(), "25%");
    w.tool("缩小");
    EXPECT_EQ(w.zoomPercent(), 25);
    w.tool("整页");
    w.tool("放大"); // from the fitted 61.5 %
    EXPECT_EQ(w.zoomPercent(), 86.5);
    EXPECT_EQ(w.zoomText(), "87%");
    w.tool("页宽");
    EXPECT_EQ(w.zoomCaption(), "页宽");
}

TEST_F(PreviewWindowTest, EveryToolHasACommandAndNoOtherNameDoes)
{
    using namespace preview_tool;
    for (const char* name :
         {kPrint, kExportWord, kExportPdf, kExportExcel, kFirst, kPrevious, kNext, kLast, kZoomTool,
          kWholePage, kPageWidth, kTwoPages, kThumbnails, kZoomIn, kZoomOut, kPageLabel, kClose})
        EXPECT_TRUE(w.tools().has(name)) << name;
    for (const char* percent : kPercents)
        EXPECT_TRUE(w.tools().has(percent)) << percent;
    EXPECT_THROW(w.tool("打印预览"), UnknownCommand);
    EXPECT_THROW(w.tool("120"), UnknownCommand);
}

TEST_F(PreviewWindowTest, PrintNeedsPagesAndAPrinter)
{
    w.tool("打印");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "没有需要打印的文件！");
    EXPECT_EQ(dialogs.messages[0].title, "提示");
    EXPECT_EQ(printed, 0);

    w.setPageCount(2);
    w.tool("打印");
    EXPECT_EQ(printed, 1);

    printer = false;
    dialogs.answers.push_back(MsgAnswer::No);
    w.print();
    EXPECT_EQ(dialogs.messages.back().text, "没有可用打印机！现在安装打印机吗？");
    EXPECT_EQ(dialogs.messages.back().title, "提示！");
    EXPECT_EQ(wizards, 0);
    dialogs.answers.push_back(MsgAnswer::Yes);
    w.print();
    EXPECT_EQ(wizards, 1);
    EXPECT_EQ(printed, 1);

    // Without printer settings to open, the question whose Yes would do nothing is not asked.
    printerSettings = false;
    w.print();
    EXPECT_EQ(dialogs.messages.back().text, "没有可用打印机！请在系统设置中添加打印机。");
    EXPECT_EQ(dialogs.messages.back().buttons, MsgButtons::Ok);
    EXPECT_EQ(wizards, 1);
    EXPECT_EQ(printed, 1);
}

} // namespace
} // namespace pyx
