#include "base/config_file.h"

#include <cstdlib>

namespace pyx {

std::string configFilePath(const std::string& name)
{
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".config";
    return base + "/pyx/" + name;
}

} // namespace pyx
