#pragma once
// Runs a shell command line for a test and collects what it prints on standard output.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace pyx::test {

struct CommandRun
{
    int status = -1; // the exit status; -1 when the command could not run or did not exit
    std::string out;
};

inline CommandRun runCommand(const std::string& command)
{
    CommandRun r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        r.out.append(buf.data(), n);
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace pyx::test
