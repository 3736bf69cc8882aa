#pragma once
// The command bar: named bands (menu bar, submenus, toolbar, context menus) holding
// named tools. The program addresses tools by band and name, enables, shows and
// relabels them, and is told of a click by the tool's name. A view (Qt menus and
// toolbar, or nothing in tests) shows the state and reports clicks.

#include <functional>
#include <string>
#include <vector>

namespace pyx {

enum class BandKind
{
    MenuBar,
    SubMenu,
    Toolbar,
    StatusBar,
    PopupMenu
};

// The keyboard shortcut of a tool: the platform's usual keys for the command.
enum class ToolShortcut
{
    None,
    New,
    Open,
    Save,
    SaveAs, // Ctrl+Shift+S
    Undo,   // Ctrl+Z
    Redo,   // Ctrl+Y and Ctrl+Shift+Z
    Help    // F1
};

// The names of separators: of the menus, of the toolbar (and some menus), and the one
// before the raw data tool, which the program shows and hides.
inline constexpr const char* kMenuSeparator = "mip";
inline constexpr const char* kBarSeparator = "miSep";
inline constexpr const char* kRawDataSeparatorName = "miSepCS";

struct Tool
{
    std::string name;    // "miFOpen", or one of the separator names
    std::string caption; // "打开(&O)"
    bool enabled = true;
    bool visible = true;
    ToolShortcut shortcut = ToolShortcut::None;
    bool isSeparator() const
    {
        return name == kMenuSeparator || name == kBarSeparator || name == kRawDataSeparatorName;
    }
};

struct Band
{
    std::string name; // "mnuFile", "barStandard"
    BandKind kind = BandKind::SubMenu;
    std::vector<Tool> tools;
};

class CommandBarView
{
public:
    virtual ~CommandBarView() = default;
    virtual void bandChanged(const std::string& band) = 0; // redraw the band's tools
    virtual void popup(const std::string& band) = 0;       // show the band as a context menu at the mouse
};

class CommandBar
{
public:
    void addBand(Band band) { bands_.push_back(std::move(band)); }
    const std::vector<Band>& bands() const { return bands_; }
    const Band* band(const std::string& name) const;
    Tool* tool(const std::string& band, const std::string& name);
    const Tool* tool(const std::string& band, const std::string& name) const;

    // Each applies to every occurrence of the tool in the band; an unknown band or tool is ignored.
    void setEnabled(const std::string& band, const std::string& name, bool on);
    void setVisible(const std::string& band, const std::string& name, bool on);
    void setCaption(const std::string& band, const std::string& name, const std::string& caption);

    void refresh(const std::string& band);
    void popup(const std::string& band);
    void attach(CommandBarView* view) { view_ = view; }

    // False while the menu-bar tool that opens the band (the tool of the same name) is disabled.
    bool bandUsable(const std::string& band) const;

    // A click on a tool, as the view reports it; disabled or hidden tools, separators and
    // the tools of an unusable band do nothing.
    void click(const std::string& band, const std::string& name);
    std::function<void(const std::string& toolName)> onToolClick;

private:
    std::vector<Band> bands_;
    CommandBarView* view_ = nullptr;
};

} // namespace pyx
