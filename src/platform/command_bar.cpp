#include "platform/command_bar.h"

#include <algorithm>
#include <utility>

namespace pyx {
namespace {

template <class Fn>
void forEachTool(std::vector<Band>& bands, const std::string& band, const std::string& name, Fn fn)
{
    for (Band& b : bands) {
        if (b.name != band)
            continue;
        for (Tool& t : b.tools)
            if (t.name == name)
                fn(t);
    }
}

} // namespace

const Band* CommandBar::band(const std::string& name) const
{
    const auto it = std::find_if(bands_.begin(), bands_.end(), [&](const Band& b) { return b.name == name; });
    return it == bands_.end() ? nullptr : &*it;
}

Tool* CommandBar::tool(const std::string& band, const std::string& name)
{
    return const_cast<Tool*>(std::as_const(*this).tool(band, name));
}

const Tool* CommandBar::tool(const std::string& band, const std::string& name) const
{
    const Band* b = this->band(band);
    if (!b)
        return nullptr;
    const auto it =
        std::find_if(b->tools.begin(), b->tools.end(), [&](const Tool& t) { return t.name == name; });
    return it == b->tools.end() ? nullptr : &*it;
}

void CommandBar::setEnabled(const std::string& band, const std::string& name, bool on)
{
    forEachTool(bands_, band, name, [on](Tool& t) { t.enabled = on; });
    refresh(band);
}

void CommandBar::setVisible(const std::string& band, const std::string& name, bool on)
{
    forEachTool(bands_, band, name, [on](Tool& t) { t.visible = on; });
    refresh(band);
}

void CommandBar::setCaption(const std::string& band, const std::string& name, const std::string& caption)
{
    forEachTool(bands_, band, name, [&caption](Tool& t) { t.caption = caption; });
    refresh(band);
}

void CommandBar::refresh(const std::string& band)
{
    if (view_ && this->band(band))
        view_->bandChanged(band);
}

void CommandBar::popup(const std::string& band)
{
    if (view_ && this->band(band))
        view_->popup(band);
}

bool CommandBar::bandUsable(const std::string& band) const
{
    for (const Band& bar : bands_) {
        if (bar.kind != BandKind::MenuBar || bar.name == band)
            continue;
        for (const Tool& t : bar.tools)
            if (t.name == band && !t.enabled)
                return false;
    }
    return true;
}

void CommandBar::click(const std::string& band, const std::string& name)
{
    const Tool* t = tool(band, name);
    if (!t || t->isSeparator() || !t->enabled || !t->visible || !bandUsable(band))
        return;
    if (onToolClick)
        onToolClick(name);
}

} // namespace pyx
