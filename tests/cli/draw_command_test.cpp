#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <regex>
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

// One drawing operation as pyx-cli prints it: {"op":NAME,"args":[...]}, the arguments as
// numbers or texts.
struct Op
{
    std::string name;
    std::vector<double> numbers;
    std::vector<std::string> texts;
};

std::optional<Op> parseOp(const std::string& line)
{
    static const std::regex shape(R"re(^\{"op":"([A-Za-z]+)","args":\[(.*)\]\}$)re");
    std::smatch m;
    if (!std::regex_match(line, m, shape))
        return std::nullopt;
    Op op;
    op.name = m[1];
    static const std::regex arg(R"re("((?:[^"\\]|\\.)*)"|(-?[0-9.eE+-]+))re");
    const std::string args = m[2];
    for (auto it = std::sregex_iterator(args.begin(), args.end(), arg); it != std::sregex_iterator(); ++it) {
        if ((*it)[1].matched)
            op.texts.push_back((*it)[1]);
        else
            op.numbers.push_back(std::stod((*it)[2]));
    }
    return op;
}

std::vector<Op> drawOps(const std::string& curve, int& status)
{
    std::vector<Op> ops;
    for (const std::string& line : runLines(drawCommand("--curve " + curve), status)) {
        const std::optional<Op> op = parseOp(line);
        EXPECT_TRUE(op.has_value()) << line;
        if (op)
            ops.push_back(*op);
    }
    return ops;
}

TEST(PyxCliDraw, PrintsTheCurveOperationsOneALine)
{
    int status = 0;
    std::vector<Op> ops = drawOps("1", status);
    ASSERT_EQ(status, 0);
    ASSERT_GT(ops.size(), 100u);
    // The drawing starts clean, in a logical window with y upwards.
    EXPECT_EQ(ops[0].name, "clear");
    ASSERT_EQ(ops[1].name, "window");
    ASSERT_EQ(ops[1].numbers.size(), 4u);
    EXPECT_GT(ops[1].numbers[2], 0);
    EXPECT_LT(ops[1].numbers[3], 0);
    // The load axis: a vertical line at x = 0 over the plot's height.
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const Op& op) {
        return op.name == "line" && op.numbers.size() == 4 && op.numbers[0] == 0 && op.numbers[2] == 0 &&
               op.numbers[3] - op.numbers[1] > 1000;
    }));

    // The gradient curve labels the sample's ultimate-load mark.
    ops = drawOps("2", status);
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const Op& op) {
        return op.name == "text" && op.texts == std::vector<std::string>{"Hu"};
    }));

    runLines(drawCommand("--curve 3"), status);
    EXPECT_NE(status, 0);
}

} // namespace
