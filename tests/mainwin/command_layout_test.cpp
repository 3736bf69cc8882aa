#include <gtest/gtest.h>

#include "mainwin/command_layout.h"

namespace pyx {
namespace {

// The usual keys sit on the menus' tools only (the file and edit commands and the user guide's
// F1): a key on two actions (the menu's and the toolbar's copy of a tool) would be ambiguous and
// do nothing.
TEST(CommandLayout, OnlyTheMenuCommandsHaveKeys)
{
    CommandBar bar;
    buildMainCommandBar(bar);
    std::vector<std::string> withKeys;
    for (const Band& band : bar.bands())
        for (const Tool& tool : band.tools)
            if (tool.shortcut != ToolShortcut::None)
                withKeys.push_back(band.name + "." + tool.name);
    EXPECT_EQ(withKeys, (std::vector<std::string>{"mnuFile.miFNew", "mnuFile.miFOpen", "mnuFile.miFSave",
                                                  "mnuFile.miFSaveAs", "mnuHelp.miHguide", "mnuedit.miEUndo",
                                                  "mnuedit.miERedo"}));
    EXPECT_EQ(bar.tool("mnuFile", "miFNew")->shortcut, ToolShortcut::New);
    EXPECT_EQ(bar.tool("mnuFile", "miFOpen")->shortcut, ToolShortcut::Open);
    EXPECT_EQ(bar.tool("mnuFile", "miFSave")->shortcut, ToolShortcut::Save);
    EXPECT_EQ(bar.tool("mnuFile", "miFSaveAs")->shortcut, ToolShortcut::SaveAs);
    EXPECT_EQ(bar.tool("mnuedit", "miEUndo")->shortcut, ToolShortcut::Undo);
    EXPECT_EQ(bar.tool("mnuedit", "miERedo")->shortcut, ToolShortcut::Redo);
}

// The analysis band stands before the help menu and holds the statistics of several piles.
TEST(CommandLayout, AnalysisMenuComesBeforeHelp)
{
    CommandBar bar;
    buildMainCommandBar(bar);
    const Band* menus = bar.band("mnuMain");
    ASSERT_NE(menus, nullptr);
    std::vector<std::string> captions;
    for (const Tool& t : menus->tools)
        captions.push_back(t.caption);
    ASSERT_GE(captions.size(), 2u);
    EXPECT_EQ(captions[captions.size() - 2], "分析(&A)");
    EXPECT_EQ(captions.back(), "帮助(&H)");
    ASSERT_NE(bar.tool("mnuAnalysis", "miAstats"), nullptr);
    EXPECT_EQ(bar.tool("mnuAnalysis", "miAstats")->caption, "多桩统计");
}

} // namespace
} // namespace pyx
