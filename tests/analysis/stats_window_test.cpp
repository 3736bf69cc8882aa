#include <gtest/gtest.h>

#include "dialogs/stats_window.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

std::string unit(const char* name)
{
    return std::string(PYX_SOURCE_DIR) + "/samples/unit/" + name;
}

// The main window's settings: every gauge in use (record files take them from there).
SettingsTable gaugesInUse()
{
    SettingsTable s{};
    for (int e = 10; e <= 13; ++e)
        s[e] = "1";
    return s;
}

struct StatsWindowTest : ::testing::Test
{
    ScriptedDialogs dialogs;
    StatsWindow w{gaugesInUse(), dialogs};
    int changes = 0;

    void SetUp() override
    {
        w.changed = [this] { ++changes; };
    }
};

// The engineer walks through the steps the rule offers and confirms the value; the
// characteristic value follows.
TEST_F(StatsWindowTest, LeavingOutStepByStepAndConfirming)
{
    EXPECT_EQ(w.addFolder(std::string(PYX_SOURCE_DIR) + "/samples/unit"), 6);
    ASSERT_EQ(w.summary().rows.size(), 6u);
    EXPECT_EQ(w.summary().rows[0].pile, "SZ-01");
    EXPECT_EQ(w.addFiles({unit("SZ-01.pyx")}), 0); // listed already

    const PileQuantity hcr = PileQuantity::Hcr;
    EXPECT_EQ(w.shownSteps(hcr), 1);
    EXPECT_FALSE(w.canConfirm(hcr));
    ASSERT_TRUE(w.nextLeftOut(hcr));
    EXPECT_DOUBLE_EQ(w.nextLeftOut(hcr)->value, 600);
    auto lines = w.lines(hcr);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "极差/平均值 52% 超过30%：可剔除最大值 SZ-06（600 kN）");
    EXPECT_EQ(lines[2], kMorePilesAdvice);
    EXPECT_EQ(lines[3], "统计值：待逐步剔除后确认（按规则为 405 kN）");
    w.leaveOutNext(hcr);
    w.leaveOutNext(hcr);
    EXPECT_FALSE(w.nextLeftOut(hcr));
    EXPECT_TRUE(w.canConfirm(hcr));
    EXPECT_TRUE(w.characteristic().pending);
    w.confirm(hcr);
    EXPECT_FALSE(w.characteristic().pending);
    EXPECT_DOUBLE_EQ(*w.characteristic().value, 303.75);
    lines = w.lines(hcr);
    EXPECT_EQ(lines.back(),
              "统计值：405 "
              "kN（极差超过平均值的30%，逐个剔除最大值至极差不超过平均值的30%后取平均值，经工程师确认）");

    // The engineer leaves out the lowest pile, with a reason; without one it is refused.
    EXPECT_FALSE(w.exclude(hcr, 0, " "));
    EXPECT_NE(dialogs.messages.back().text.find("说明理由"), std::string::npos);
    EXPECT_TRUE(w.exclude(hcr, 0, "SZ-01 成桩质量异常"));
    EXPECT_TRUE(w.excluded(hcr, 0));
    EXPECT_EQ(w.statistics(hcr).excluded.size(), 1u);
    EXPECT_NE(w.result(hcr).how.find("SZ-01 成桩质量异常"), std::string::npos);
    w.restore(hcr, 0);
    EXPECT_FALSE(w.excluded(hcr, 0));
    EXPECT_DOUBLE_EQ(*w.summary().hcr.value, 405);
    w.leaveOutNext(hcr);
    w.leaveOutNext(hcr);
    w.confirm(hcr);

    // Reordering keeps the decision; removing a pile makes the statistics afresh.
    EXPECT_EQ(w.moveUp(5), 4);
    EXPECT_EQ(w.summary().rows[4].pile, "SZ-06");
    EXPECT_FALSE(w.characteristic().pending);
    EXPECT_EQ(w.moveDown(5), 5); // the last row stays
    w.remove(4);
    EXPECT_EQ(w.summary().rows.size(), 5u);
    EXPECT_DOUBLE_EQ(*w.summary().hcr.value, 405);
    EXPECT_TRUE(w.characteristic().pending);
    EXPECT_GT(changes, 5);
}

TEST_F(StatsWindowTest, TypedValuesAreCheckedAndTheRuleIsChosen)
{
    w.addFiles({unit("SZ-01.pyx"), unit("SZ-02.pyx"), unit("SZ-03.pyx"), unit("SZ-04.pyw")});
    EXPECT_FALSE(w.typeValue(PileQuantity::Hcr, "abc", "x"));
    EXPECT_FALSE(w.typeValue(PileQuantity::Hcr, "400", " "));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, "请输入大于0的数值！");
    EXPECT_EQ(dialogs.messages[1].text, "请说明给定该值的理由！");
    EXPECT_TRUE(w.typeValue(PileQuantity::Hcr, "400", "按相邻工程经验"));
    EXPECT_DOUBLE_EQ(*w.characteristic().value, 300);

    w.setRule(UnitCharacteristicRule::Displacement, 10);
    const SampleStatistics at10 = w.statistics(PileQuantity::LoadAtDisplacement);
    ASSERT_FALSE(at10.steps.empty());
    EXPECT_EQ(at10.steps[0].count(), 4);
    EXPECT_NE(w.characteristic().how.find("10mm"), std::string::npos);
    // The inputs of the rule, pile by pile, come first.
    EXPECT_EQ(w.lines(PileQuantity::LoadAtDisplacement).front().rfind("各桩取值(kN)：SZ-01 4", 0), 0u);
    // Less displacement, less load.
    w.setRule(UnitCharacteristicRule::Displacement, 6);
    EXPECT_LT(*w.statistics(PileQuantity::LoadAtDisplacement).value, *at10.value);
    EXPECT_NE(w.characteristic().how.find("6mm"), std::string::npos);

    // The cap of three piles or fewer: the lowest; GB 50007 offers half the ultimate load and
    // not the displacement rules.
    w.setCapAtMostThree(true);
    EXPECT_EQ(w.statistics(PileQuantity::Hcr).rule, StatsRule::SmallCap);
    w.setCapAtMostThree(false);
    w.setStandard(Standard::Gb50007);
    EXPECT_EQ(w.summary().choice.rule, UnitCharacteristicRule::CriticalLoad);
    w.setRule(UnitCharacteristicRule::Displacement, 10);
    EXPECT_EQ(w.summary().choice.rule, UnitCharacteristicRule::CriticalLoad);
    w.setRule(UnitCharacteristicRule::UltimateLoad);
    EXPECT_EQ(w.summary().choice.rule, UnitCharacteristicRule::UltimateLoad);
    EXPECT_NE(w.characteristic().how.find("0.5×水平极限承载力"), std::string::npos);

    EXPECT_TRUE(w.typeCharacteristic("280", "设计要求"));
    EXPECT_DOUBLE_EQ(*w.characteristic().value, 280);

    const test::TempDir empty;
    EXPECT_EQ(w.addFolder(empty.file("")), 0);
    EXPECT_EQ(dialogs.messages.back().text, "文件夹中没有试验数据文件（*.pys、*.pyx、*.pyw）！");
}

} // namespace
} // namespace pyx
