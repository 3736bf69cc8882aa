#include <gtest/gtest.h>

#include "analysis/stats_summary.h"

namespace pyx {
namespace {

std::vector<PileValue> piles(std::initializer_list<double> values)
{
    std::vector<PileValue> out;
    for (double v : values)
        out.push_back({static_cast<int>(out.size()), v});
    return out;
}

// The usual case of a scattered unit project: the furthest values go one at a time until the
// range is within 30 % of the mean.
TEST(Statistics, LeavesOutTheFurthestValuesOneAtATime)
{
    const SampleStatistics s = statistics(piles({360, 360, 420, 480, 540, 600}));
    ASSERT_EQ(s.steps.size(), 3u);
    EXPECT_EQ(s.steps[0].count(), 6);
    EXPECT_DOUBLE_EQ(s.steps[0].mean, 460);
    EXPECT_DOUBLE_EQ(s.steps[0].range, 240);
    EXPECT_EQ(percentText(s.steps[0].share), "52 %");
    EXPECT_FALSE(s.steps[0].leftOut);

    ASSERT_TRUE(s.steps[1].leftOut);
    EXPECT_EQ(s.steps[1].leftOut->pile, 5);
    EXPECT_DOUBLE_EQ(s.steps[1].leftOut->value, 600);
    EXPECT_DOUBLE_EQ(s.steps[1].mean, 432);
    EXPECT_DOUBLE_EQ(s.steps[1].range, 180);
    EXPECT_EQ(percentText(s.steps[1].share), "42 %");

    ASSERT_TRUE(s.steps[2].leftOut);
    EXPECT_DOUBLE_EQ(s.steps[2].leftOut->value, 540);
    EXPECT_DOUBLE_EQ(s.steps[2].mean, 405);
    EXPECT_DOUBLE_EQ(s.steps[2].range, 120);
    EXPECT_EQ(percentText(s.steps[2].share), "30 %");
    EXPECT_TRUE(s.steps[2].withinLimit());

    EXPECT_EQ(s.rule, StatsRule::LeftOutMean);
    ASSERT_TRUE(s.value);
    EXPECT_DOUBLE_EQ(*s.value, 405);
    EXPECT_TRUE(s.needsDecision());

    // Until the engineer confirms it the value is the rule's, marked as pending.
    StatsDecision d;
    EXPECT_TRUE(resolve(s, d).pending);
    d.confirmed = true;
    const StatsResult confirmed = resolve(s, d);
    EXPECT_FALSE(confirmed.pending);
    const CharacteristicValue ra = characteristicValue({}, confirmed);
    ASSERT_TRUE(ra.value);
    EXPECT_DOUBLE_EQ(*ra.value, 303.75);
    EXPECT_EQ(statsNumber(*ra.value), "303.75");
    EXPECT_NE(ra.how.find("0.75 × 405"), std::string::npos) << ra.how;
}

TEST(Statistics, FewPilesTakeTheLowestAndCloseOnesTheMean)
{
    const SampleStatistics few = statistics(piles({300, 360, 420}));
    EXPECT_EQ(few.rule, StatsRule::Lowest);
    ASSERT_TRUE(few.value);
    EXPECT_DOUBLE_EQ(*few.value, 300);
    EXPECT_EQ(few.steps.size(), 1u);
    EXPECT_FALSE(few.needsDecision());

    // Exactly 30 %: the mean stands (340 .. 460, mean 400).
    const SampleStatistics close = statistics(piles({340, 400, 400, 400, 460}));
    EXPECT_EQ(close.rule, StatsRule::Mean);
    EXPECT_DOUBLE_EQ(*close.value, 400);

    // Just above 30 %: the text says so.
    const SampleStatistics above = statistics(piles({340, 400, 400, 400, 460.04}));
    EXPECT_EQ(above.rule, StatsRule::LeftOutMean);
    EXPECT_EQ(shareText(above.steps[0]), "30.01 %");
    EXPECT_EQ(shareText(close.steps[0]), "30 %");

    EXPECT_EQ(statistics({}).rule, StatsRule::None);
    EXPECT_FALSE(statistics({}).value);
}

// Two values equally far from the mean: the higher goes; leaving out stops at three values
// and the lowest of those is taken when they are still too far apart.
TEST(Statistics, TiesLeaveOutTheHigherAndTheScatterEndsAtThree)
{
    const SampleStatistics s = statistics(piles({100, 200, 300, 400}));
    ASSERT_EQ(s.steps.size(), 2u);
    EXPECT_DOUBLE_EQ(s.steps[1].leftOut->value, 400);
    EXPECT_EQ(s.rule, StatsRule::LeftOutLow);
    EXPECT_DOUBLE_EQ(*s.value, 100);
}

TEST(Statistics, TypedValuesAndTheOtherRules)
{
    const SampleStatistics s = statistics(piles({360, 360, 420, 480, 540, 600}));
    const StatsResult typed = resolve(s, {false, 420.0, "第6根试桩桩身缺陷"});
    EXPECT_DOUBLE_EQ(*typed.value, 420);
    EXPECT_NE(typed.how.find("桩身缺陷"), std::string::npos);

    CharacteristicChoice c;
    c.rule = UnitCharacteristicRule::Displacement;
    c.displacementMm = 6;
    const CharacteristicValue at6 = characteristicValue(c, {500.0, false, ""});
    EXPECT_DOUBLE_EQ(*at6.value, 375);
    EXPECT_NE(at6.how.find("6 mm"), std::string::npos);

    c.rule = UnitCharacteristicRule::Typed;
    c.typed = 280;
    c.reason = "按设计要求";
    const CharacteristicValue given = characteristicValue(c, {500.0, false, ""});
    EXPECT_DOUBLE_EQ(*given.value, 280);
    EXPECT_NE(given.how.find("按设计要求"), std::string::npos);

    c.rule = UnitCharacteristicRule::CriticalLoad;
    EXPECT_FALSE(characteristicValue(c, {}).value);
}

} // namespace
} // namespace pyx
