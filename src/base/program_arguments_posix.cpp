#include "base/program_arguments.h"

namespace pyx {

std::vector<std::string> programArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace pyx
