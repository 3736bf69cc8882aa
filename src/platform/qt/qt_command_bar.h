#pragma once
// The command bar on screen: a QMenuBar from the menu-bar band (each of its tools opens
// the submenu band of the same name), a QToolBar per toolbar band, a QMenu per submenu
// or context-menu band and a QStatusBar. Every tool is a QAction named after it; the
// same tool in two bands is two actions, each following its own band. A triggered
// action reports a click on its band and tool.

#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/command_bar.h"
#include "platform/qt/tool_icons.h"

class QAction;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;
class QWidget;

namespace pyx {

class QtCommandBar : public QObject, public CommandBarView
{
    Q_OBJECT
public:
    // Builds the bars and menus of `bar` (which must outlive this object) as children of
    // `window`; in a QMainWindow the menu bar, toolbars and status bar take their places.
    // Toolbar tools show their pictures in `pictures`.
    QtCommandBar(CommandBar& bar, QWidget* window, ToolPictures pictures = {});
    ~QtCommandBar() override;

    void bandChanged(const std::string& band) override;
    void popup(const std::string& band) override;

    QMenuBar* menuBar() const { return menuBar_; }
    QStatusBar* statusBar() const { return statusBar_; }
    QToolBar* toolBar(const std::string& band) const;
    QMenu* menu(const std::string& band) const;
    // The actions of a band, one per tool in the band's order; empty for an unknown band.
    std::vector<QAction*> actions(const std::string& band) const;

    // Asked before a tool's command runs (a click, a menu entry, a shortcut); false stops it.
    std::function<bool()> beforeCommand;

private:
    QMenu* buildMenu(const Band& band, QWidget* window);
    void buildMenuBar(const Band& band, QWidget* window);
    void buildToolBar(const Band& band, QWidget* window);
    void buildStatusBar(const Band& band, QWidget* window);
    QAction* makeAction(const Band& band, const Tool& tool, QObject* parent);
    QMenu* menuOpenedBy(const std::string& toolName) const;

    CommandBar& bar_;
    ToolPictures pictures_;
    QMenuBar* menuBar_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    std::map<std::string, QMenu*> menus_;
    std::map<std::string, QToolBar*> toolBars_;
    std::map<std::string, std::vector<QAction*>> actions_;
};

} // namespace pyx
