// `pyx-cli analyse` on logger files made by the sample generator: the suggested loads of a
// test with known breaks, m from the inputs beside the file, the schedule deviation, and the
// reasons where nothing can be suggested.

#include <gtest/gtest.h>

#include <string>

#include "samplegen/sample_files.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

test::CommandRun analyse(const std::string& file, const std::string& options = "--json")
{
    return test::runCommand(std::string(PYX_CLI_PATH) + " analyse '" + file + "' " + options +
                            " 2>/dev/null");
}

bool has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(AnalyseCommand, SuggestsTheKnownLoadsAndListsTheLateCycle)
{
    test::TempDir dir;
    const std::string file = dir.write(
        "SZ-9.pyx", samples::loggerFile(samples::analysisSample(), samples::LoggerMode::LevelRecords));
    const test::CommandRun r = analyse(file);
    ASSERT_EQ(r.status, 0);
    for (const char* method : {"gradient", "lglog", "kink"})
        EXPECT_TRUE(has(r.out, std::string("\"") + method +
                                   "\":{\"hcr\":250,\"hu\":450,\"hcr_stage\":5,\"hu_stage\":9"))
            << method << "\n"
            << r.out;
    EXPECT_TRUE(has(r.out, "\"disagree\":false"));
    EXPECT_TRUE(
        has(r.out, "\"schedule\":[{\"issue\":\"loading_hold\",\"stage\":7,\"cycle\":3,\"record\":72"));
    // Without EI and h, m says what is missing; the width came from "桩径" 800.
    EXPECT_TRUE(has(r.out, "\"width_m\":0.8"));
    EXPECT_TRUE(has(r.out, "\"reason\":\"请输入桩身抗弯刚度EI"));
    EXPECT_TRUE(has(r.out, "\"characteristic\":{\"standard\":\"jgj106-2014\",\"rule\":\"hcr\""));
    EXPECT_TRUE(has(r.out, "\"basis\":\"suggestion\",\"basis_load\":250,\"value\":187.5,\"pending\":true"));

    dir.write("SZ-9.pyx.analysis.json",
              "{\"shape\": \"round\", \"width_m\": 0.8, \"ei_kNm2\": 4.0e5, \"embedded_m\": 24, "
              "\"characteristic_rule\": \"y10\"}");
    const test::CommandRun m = analyse(file);
    ASSERT_EQ(m.status, 0);
    EXPECT_FALSE(has(m.out, "请输入"));
    EXPECT_TRUE(has(m.out, "\"at_hcr\":{\"h0\":250,\"y0_mm\":3.3"));
    EXPECT_TRUE(has(m.out, "\"rule\":\"y10\""));
    EXPECT_FALSE(has(m.out, "\"m\":null")) << m.out;

    const test::CommandRun text = analyse(file, "");
    EXPECT_EQ(text.status, 0);
    // The text says what the window shows: the caveat, the pile, the basis, the schedule.
    for (const char* part :
         {"水平临界荷载与水平极限承载力建议", "建议仅供参考", "计算宽度b0=", "依据标准：JGJ 106-2014",
          "第7级（350kN）第3次循环加载持荷7分钟，应为4分钟", "发现1处偏差", "按桩顶自由、水平力作用于地面处"})
        EXPECT_TRUE(has(text.out, part)) << part << "\n" << text.out;

    // The standard from the command line; its rules only.
    const test::CommandRun gb = analyse(file, "--json --standard gb50007");
    ASSERT_EQ(gb.status, 0);
    EXPECT_TRUE(has(gb.out, "\"standard\":\"gb50007-2011\"")) << gb.out;
    EXPECT_TRUE(has(gb.out, "\"rule\":\"hcr\"")); // 10 mm is no rule of GB 50007-2011
    EXPECT_EQ(analyse(file, "--standard x").status, 2);
}

TEST(AnalyseCommand, TooFewStagesAndUnreadableFiles)
{
    test::TempDir dir;
    samples::CyclicTest t;
    t.stages = 4;
    const std::string file =
        dir.write("short.pyx", samples::loggerFile(t, samples::LoggerMode::LevelRecords));
    const test::CommandRun r = analyse(file);
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(has(
        r.out, "\"gradient\":{\"hcr\":null,\"hu\":null,\"hcr_stage\":null,\"hu_stage\":null,\"reason\":"));
    EXPECT_TRUE(has(r.out, "少于5级"));
    EXPECT_EQ(analyse(dir.file("missing.pyx")).status, 1);
}

} // namespace
} // namespace pyx
