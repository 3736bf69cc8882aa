#include <gtest/gtest.h>

#include "mainwin/command_layout.h"

namespace pyx {
namespace {

// The usual keys sit on the file menu's tools only: a key on two actions (the menu's and
// the toolbar's copy of a tool) would be ambiguous and do nothing.
TEST(CommandLayout, OnlyTheFileMenuCommandsHaveKeys)
{
    CommandBar bar;
    buildMainCommandBar(bar);
    std::vector<std::string> withKeys;
    for (const Band& band : bar.bands())
        for (const Tool& tool : band.tools)
            if (tool.shortcut != ToolShortcut::None)
                withKeys.push_back(band.name + "." + tool.name);
    EXPECT_EQ(withKeys, (std::vector<std::string>{"mnuFile.miFNew", "mnuFile.miFOpen", "mnuFile.miFSave"}));
    EXPECT_EQ(bar.tool("mnuFile", "miFNew")->shortcut, ToolShortcut::New);
    EXPECT_EQ(bar.tool("mnuFile", "miFOpen")->shortcut, ToolShortcut::Open);
    EXPECT_EQ(bar.tool("mnuFile", "miFSave")->shortcut, ToolShortcut::Save);
}

} // namespace
} // namespace pyx
