#pragma once
// The benchmark inputs, written once per run into a temporary folder.

#include <string>
#include <vector>

namespace pyx::bench {

struct Input
{
    std::string name; // file name, e.g. "levels_3300.pyx"
    std::string path;
};

const std::vector<Input>& inputs();
// The path of the input `name`.
std::string inputPath(const std::string& name);
// The largest test: the logger file with load-level records of 3,300 rows.
inline std::string largestInput()
{
    return inputPath("levels_3300.pyx");
}

} // namespace pyx::bench
