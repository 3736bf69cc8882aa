#pragma once
// The commands of a window by tool name, filled in one place. Running a name that has no
// command is a programming error (a tool the layout holds but nobody wired, or a name
// typed wrongly) and throws, so that the tests find it.

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace pyx {

class UnknownCommand : public std::logic_error
{
public:
    explicit UnknownCommand(const std::string& tool) : std::logic_error("unknown command: " + tool) {}
};

class CommandRegistry
{
public:
    using Command = std::function<void()>;

    // A second command for the same name, or an empty one, is a programming error too.
    void add(const std::string& tool, Command command);
    bool has(const std::string& tool) const { return commands_.count(tool) != 0; }
    void run(const std::string& tool) const;
    std::vector<std::string> names() const;

private:
    std::map<std::string, Command> commands_;
};

} // namespace pyx
