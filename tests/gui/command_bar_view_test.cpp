#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>

#include "platform/qt/qt_command_bar.h"

namespace pyx {
namespace {

CommandBar programLikeBar()
{
    CommandBar bar;
    bar.addBand({"mnuMain", BandKind::MenuBar, {{"mnuFile", "文件(&F)"}, {"mnuPrint", "打印(&P)"}}});
    bar.addBand(
        {"mnuFile", BandKind::SubMenu, {{"miFOpen", "打开(&O)"}, {"mip", ""}, {"miFSave", "保存(&S)"}}});
    bar.addBand({"barStandard",
                 BandKind::Toolbar,
                 {{"miFOpen", "打开文件"}, {"miSep", ""}, {"miFSave", "保存文件"}}});
    bar.addBand({"sb", BandKind::StatusBar, {{"miStatus", "状态"}}});
    bar.addBand({"mnuPrint",
                 BandKind::SubMenu,
                 {{"miPsz", "打印设置"}, {"miSepCS", ""}, {"miPword", "生成word文档"}}});
    return bar;
}

std::vector<QString> namesOf(const std::vector<QAction*>& actions)
{
    std::vector<QString> names;
    for (const QAction* a : actions)
        names.push_back(a->objectName());
    return names;
}

TEST(QtCommandBar, BuildsNamedActionsInMenusAndToolbar)
{
    CommandBar bar = programLikeBar();
    QMainWindow window;
    auto* view = new QtCommandBar(bar, &window);
    ASSERT_EQ(window.menuBar(), view->menuBar());
    ASSERT_NE(view->toolBar("barStandard"), nullptr);
    EXPECT_FALSE(view->toolBar("barStandard")->isMovable());
    EXPECT_EQ(view->toolBar("barStandard")->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

    const QList<QAction*> top = view->menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[1]->objectName(), QString("mnuPrint"));
    EXPECT_EQ(top[1]->text(), QString::fromUtf8("打印(&P)"));
    EXPECT_EQ(top[1]->menu(), view->menu("mnuPrint"));

    const std::vector<QAction*> file = view->actions("mnuFile");
    EXPECT_EQ(namesOf(file), (std::vector<QString>{"miFOpen", "mip", "miFSave"}));
    EXPECT_TRUE(file[1]->isSeparator());
    EXPECT_EQ(file[0]->text(), QString::fromUtf8("打开(&O)"));
    EXPECT_EQ(view->menu("mnuFile")->actions().size(), 3);

    const std::vector<QAction*> tools = view->actions("barStandard");
    EXPECT_EQ(tools[0]->text(), QString::fromUtf8("打开文件"));
    EXPECT_FALSE(tools[0]->icon().isNull());
    EXPECT_NE(tools[0], file[0]);
    EXPECT_EQ(view->actions("mnuPrint")[1]->objectName(), QString("miSepCS"));
}

TEST(QtCommandBar, ActionsFollowTheModelPerBand)
{
    CommandBar bar = programLikeBar();
    QMainWindow window;
    auto* view = new QtCommandBar(bar, &window);
    bar.setEnabled("mnuFile", "miFSave", false);
    bar.setCaption("mnuPrint", "miPword", "导出");
    bar.setVisible("mnuPrint", "miSepCS", false);
    bar.setEnabled("mnuMain", "mnuPrint", false);

    EXPECT_FALSE(view->actions("mnuFile")[2]->isEnabled());
    EXPECT_TRUE(view->actions("barStandard")[2]->isEnabled());
    EXPECT_EQ(view->actions("mnuPrint")[2]->text(), QString::fromUtf8("导出"));
    EXPECT_FALSE(view->actions("mnuPrint")[1]->isVisible());
    EXPECT_FALSE(view->menu("mnuPrint")->menuAction()->isEnabled());
}

TEST(QtCommandBar, TriggeredActionsReportClicks)
{
    CommandBar bar = programLikeBar();
    std::vector<std::string> clicked;
    bar.onToolClick = [&](const std::string& name) { clicked.push_back(name); };
    QMainWindow window;
    auto* view = new QtCommandBar(bar, &window);

    view->actions("barStandard")[2]->trigger();
    view->actions("mnuPrint")[0]->trigger();
    bar.setEnabled("mnuMain", "mnuPrint", false);
    view->actions("mnuPrint")[0]->trigger(); // its menu is disabled
    EXPECT_EQ(clicked, (std::vector<std::string>{"miFSave", "miPsz"}));
}

} // namespace
} // namespace pyx
