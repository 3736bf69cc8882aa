#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/command_bar.h"

namespace pyx {
namespace {

struct RecordingView : CommandBarView
{
    std::vector<std::string> changed;
    std::vector<std::string> popups;
    void bandChanged(const std::string& band) override { changed.push_back(band); }
    void popup(const std::string& band) override { popups.push_back(band); }
};

CommandBar sampleBar()
{
    CommandBar bar;
    bar.addBand({"mnuMain", BandKind::MenuBar, {{"mnuFile", "文件(&F)"}, {"mnuPrint", "打印(&P)"}}});
    bar.addBand(
        {"mnuFile", BandKind::SubMenu, {{"miFOpen", "打开(&O)"}, {"mip", ""}, {"miFSave", "保存(&S)"}}});
    bar.addBand({"barStandard", BandKind::Toolbar, {{"miFOpen", "打开文件"}, {"miFSave", "保存文件"}}});
    bar.addBand({"mnuPrint", BandKind::SubMenu, {{"miPsz", "打印设置"}}});
    bar.addBand({"mnuBJ", BandKind::PopupMenu, {{"miCBJ", "标记(&T)"}, {"miCBJ", "标记(&T)"}}});
    return bar;
}

TEST(CommandBar, ClicksReachTheHandlerOnlyForUsableTools)
{
    CommandBar bar = sampleBar();
    std::vector<std::string> clicked;
    bar.onToolClick = [&](const std::string& name) { clicked.push_back(name); };

    bar.click("mnuFile", "miFOpen");
    bar.click("mnuFile", "mip");
    bar.click("mnuFile", "miNone");
    bar.click("mnuNone", "miFOpen");
    bar.setEnabled("mnuFile", "miFSave", false);
    bar.click("mnuFile", "miFSave");
    bar.setVisible("barStandard", "miFOpen", false);
    bar.click("barStandard", "miFOpen");
    bar.click("barStandard", "miFSave"); // still enabled in the toolbar
    EXPECT_EQ(clicked, (std::vector<std::string>{"miFOpen", "miFSave"}));
}

TEST(CommandBar, DisabledMenuBlocksItsBandWhateverTheCase)
{
    CommandBar bar = sampleBar();
    std::vector<std::string> clicked;
    bar.onToolClick = [&](const std::string& name) { clicked.push_back(name); };

    bar.setEnabled("mnuMain", "mnuPrint", false);
    EXPECT_FALSE(bar.bandUsable("mnuPrint"));
    EXPECT_TRUE(bar.bandUsable("mnuFile"));
    EXPECT_TRUE(bar.bandUsable("mnuBJ")); // no menu opens it
    bar.click("mnuPrint", "miPsz");
    EXPECT_TRUE(clicked.empty());
    bar.setEnabled("mnuMain", "mnuPrint", true);
    bar.click("mnuPrint", "miPsz");
    EXPECT_EQ(clicked, (std::vector<std::string>{"miPsz"}));
}

TEST(CommandBar, SameToolInTwoBandsIsSetPerBand)
{
    CommandBar bar = sampleBar();
    RecordingView view;
    bar.attach(&view);

    bar.setEnabled("mnuFile", "miFSave", false);
    bar.setCaption("barStandard", "miFSave", "保存");
    EXPECT_FALSE(bar.tool("mnuFile", "miFSave")->enabled);
    EXPECT_TRUE(bar.tool("barStandard", "miFSave")->enabled);
    EXPECT_EQ(bar.tool("mnuFile", "miFSave")->caption, "保存(&S)");
    EXPECT_EQ(bar.tool("barStandard", "miFSave")->caption, "保存");

    bar.setVisible("mnuBJ", "miCBJ", false); // every occurrence in the band
    for (const Tool& t : bar.band("mnuBJ")->tools)
        EXPECT_FALSE(t.visible);

    bar.setEnabled("mnuNone", "miFSave", false);
    bar.popup("mnuBJ");
    bar.popup("mnuNone");
    EXPECT_EQ(view.changed, (std::vector<std::string>{"mnuFile", "barStandard", "mnuBJ"}));
    EXPECT_EQ(view.popups, (std::vector<std::string>{"mnuBJ"}));
    EXPECT_EQ(bar.tool("mnuFile", "miNone"), nullptr);
}

} // namespace
} // namespace pyx
