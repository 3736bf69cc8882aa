#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"

namespace {

std::vector<std::string> runLines(const std::string& command, int& status)
{
    const pyx::test::CommandRun r = pyx::test::runCommand(command);
    status = r.status;
    std::vector<std::string> lines;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string drawCommand(const std::string& args)
{
    return std::string("'") + PYX_CLI_PATH + "' draw '" + PYX_SOURCE_DIR +
           "/samples/record_fractional.pys' --settings /nonexistent/spconfig.sys " + args + " 2>/dev/null";
}

TEST(PyxCliDraw, PrintsTheCurveOperationsOneALine)
{
    int status = 0;
    auto lines = runLines(drawCommand("--curve 1"), status);
    ASSERT_EQ(status, 0);
    ASSERT_GT(lines.size(), 100u);
    EXPECT_EQ(lines[0], R"({"op":"clear","args":[]})");
    EXPECT_EQ(lines[1], R"({"op":"window","args":[-150,1300,1200,-1300]})");
    EXPECT_NE(std::find(lines.begin(), lines.end(), R"({"op":"line","args":[0,-15,0,1100]})"), lines.end());

    lines = runLines(drawCommand("--curve 2"), status);
    ASSERT_EQ(status, 0);
    EXPECT_NE(std::find(lines.begin(), lines.end(), R"({"op":"text","args":["Hu"]})"), lines.end());

    runLines(drawCommand("--curve 3"), status);
    EXPECT_NE(status, 0);
}

} // namespace
