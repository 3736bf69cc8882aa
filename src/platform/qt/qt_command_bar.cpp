#include "platform/qt/qt_command_bar.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "platform/qt/tool_icons.h"

namespace pyx {
namespace {

void setShortcut(QAction* action, ToolShortcut shortcut)
{
    switch (shortcut) {
    case ToolShortcut::New:
        action->setShortcuts(QKeySequence::New);
        break;
    case ToolShortcut::Open:
        action->setShortcuts(QKeySequence::Open);
        break;
    case ToolShortcut::Save:
        action->setShortcuts(QKeySequence::Save);
        break;
    case ToolShortcut::SaveAs:
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        break;
    case ToolShortcut::Undo:
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
        break;
    case ToolShortcut::Redo:
        action->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
        break;
    case ToolShortcut::Help:
        action->setShortcuts(QKeySequence::HelpContents);
        break;
    case ToolShortcut::None:
        break;
    }
}

void showTool(QAction* action, const Tool& tool)
{
    action->setEnabled(tool.enabled);
    action->setVisible(tool.visible);
    if (!tool.isSeparator())
        action->setText(QString::fromStdString(tool.caption));
}

} // namespace

QtCommandBar::QtCommandBar(CommandBar& bar, QWidget* window, ToolPictures pictures)
    : QObject(window), bar_(bar), pictures_(pictures)
{
    for (const Band& band : bar_.bands())
        if (band.kind == BandKind::SubMenu || band.kind == BandKind::PopupMenu)
            menus_[band.name] = buildMenu(band, window);
    for (const Band& band : bar_.bands()) {
        if (band.kind == BandKind::MenuBar && !menuBar_)
            buildMenuBar(band, window);
        else if (band.kind == BandKind::Toolbar)
            buildToolBar(band, window);
        else if (band.kind == BandKind::StatusBar && !statusBar_)
            buildStatusBar(band, window);
    }
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        if (menuBar_)
            main->setMenuBar(menuBar_);
        for (const Band& band : bar_.bands())
            if (band.kind == BandKind::Toolbar)
                main->addToolBar(toolBars_.at(band.name));
        if (statusBar_)
            main->setStatusBar(statusBar_);
    }
    bar_.attach(this);
}

QtCommandBar::~QtCommandBar()
{
    bar_.attach(nullptr);
}

QAction* QtCommandBar::makeAction(const Band& band, const Tool& tool, QObject* parent)
{
    auto* action = new QAction(parent);
    action->setObjectName(QString::fromStdString(tool.name));
    action->setSeparator(tool.isSeparator());
    setShortcut(action, tool.shortcut);
    showTool(action, tool);
    if (!tool.isSeparator())
        connect(action, &QAction::triggered, this, [this, bandName = band.name, toolName = tool.name] {
            if (!beforeCommand || beforeCommand())
                bar_.click(bandName, toolName);
        });
    return action;
}

QMenu* QtCommandBar::buildMenu(const Band& band, QWidget* window)
{
    auto* menu = new QMenu(window);
    menu->setObjectName(QString::fromStdString(band.name));
    std::vector<QAction*>& actions = actions_[band.name];
    for (const Tool& tool : band.tools) {
        actions.push_back(makeAction(band, tool, menu));
        menu->addAction(actions.back());
    }
    return menu;
}

QMenu* QtCommandBar::menuOpenedBy(const std::string& toolName) const
{
    const auto it = menus_.find(toolName);
    return it == menus_.end() ? nullptr : it->second;
}

void QtCommandBar::buildMenuBar(const Band& band, QWidget* window)
{
    menuBar_ = new QMenuBar(window);
    menuBar_->setObjectName(QString::fromStdString(band.name));
    menuBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    std::vector<QAction*>& actions = actions_[band.name];
    for (const Tool& tool : band.tools) {
        QMenu* menu = tool.isSeparator() ? nullptr : menuOpenedBy(tool.name);
        QAction* action = menu ? menu->menuAction() : makeAction(band, tool, menuBar_);
        if (menu) {
            action->setObjectName(QString::fromStdString(tool.name));
            showTool(action, tool);
        }
        menuBar_->addAction(action);
        actions.push_back(action);
    }
}

void QtCommandBar::buildToolBar(const Band& band, QWidget* window)
{
    auto* toolBar = new QToolBar(window);
    toolBar->setObjectName(QString::fromStdString(band.name));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    toolBar->toggleViewAction()->setVisible(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    std::vector<QAction*>& actions = actions_[band.name];
    for (const Tool& tool : band.tools) {
        QAction* action = makeAction(band, tool, toolBar);
        if (!tool.isSeparator())
            action->setIcon(toolIcon(tool.name, pictures_, *toolBar->style()));
        toolBar->addAction(action);
        actions.push_back(action);
    }
    toolBars_[band.name] = toolBar;
}

void QtCommandBar::buildStatusBar(const Band& band, QWidget* window)
{
    statusBar_ = new QStatusBar(window);
    statusBar_->setObjectName(QString::fromStdString(band.name));
    statusBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const Tool& tool : band.tools) {
        auto* label = new QLabel(statusBar_);
        label->setObjectName(QString::fromStdString(tool.name));
        statusBar_->addWidget(label, 1);
    }
}

void QtCommandBar::bandChanged(const std::string& band)
{
    const Band* b = bar_.band(band);
    const auto it = actions_.find(band);
    if (!b || it == actions_.end())
        return;
    for (std::size_t i = 0; i < b->tools.size() && i < it->second.size(); ++i)
        showTool(it->second[i], b->tools[i]);
}

void QtCommandBar::popup(const std::string& band)
{
    if (QMenu* m = menu(band))
        m->exec(QCursor::pos());
}

QToolBar* QtCommandBar::toolBar(const std::string& band) const
{
    const auto it = toolBars_.find(band);
    return it == toolBars_.end() ? nullptr : it->second;
}

QMenu* QtCommandBar::menu(const std::string& band) const
{
    const auto it = menus_.find(band);
    return it == menus_.end() ? nullptr : it->second;
}

std::vector<QAction*> QtCommandBar::actions(const std::string& band) const
{
    const auto it = actions_.find(band);
    return it == actions_.end() ? std::vector<QAction*>{} : it->second;
}

} // namespace pyx
