#include "platform/command_registry.h"

namespace pyx {

void CommandRegistry::add(const std::string& tool, Command command)
{
    if (!command)
        throw std::logic_error("empty command: " + tool);
    if (!commands_.emplace(tool, std::move(command)).second)
        throw std::logic_error("command registered twice: " + tool);
}

void CommandRegistry::run(const std::string& tool) const
{
    const auto it = commands_.find(tool);
    if (it == commands_.end())
        throw UnknownCommand(tool);
    it->second();
}

std::vector<std::string> CommandRegistry::names() const
{
    std::vector<std::string> out;
    out.reserve(commands_.size());
    for (const auto& entry : commands_)
        out.push_back(entry.first);
    return out;
}

} // namespace pyx
