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

// The usual case of a scattered unit project: the highest values go one at a time until the
// range is within 30% of the mean.
TEST(Statistics, LeavesOutTheHighestValuesOneAtATime)
{
    const SampleStatistics s = statistics(piles({360, 360, 420, 480, 540, 600}));
    ASSERT_EQ(s.steps.size(), 3u);
    EXPECT_EQ(s.steps[0].count(), 6);
    EXPECT_DOUBLE_EQ(s.steps[0].mean, 460);
    EXPECT_DOUBLE_EQ(s.steps[0].range, 240);
    EXPECT_EQ(percentText(s.steps[0].share), "52%");
    EXPECT_FALSE(s.steps[0].leftOut);

    ASSERT_TRUE(s.steps[1].leftOut);
    EXPECT_EQ(s.steps[1].leftOut->pile, 5);
    EXPECT_DOUBLE_EQ(s.steps[1].leftOut->value, 600);
    EXPECT_DOUBLE_EQ(s.steps[1].mean, 432);
    EXPECT_DOUBLE_EQ(s.steps[1].range, 180);
    EXPECT_EQ(percentText(s.steps[1].share), "42%");

    ASSERT_TRUE(s.steps[2].leftOut);
    EXPECT_DOUBLE_EQ(s.steps[2].leftOut->value, 540);
    EXPECT_DOUBLE_EQ(s.steps[2].mean, 405);
    EXPECT_DOUBLE_EQ(s.steps[2].range, 120);
    EXPECT_EQ(percentText(s.steps[2].share), "30%");
    EXPECT_TRUE(s.steps[2].withinLimit());

    EXPECT_EQ(s.rule, StatsRule::LeftOutHighest);
    ASSERT_TRUE(s.value);
    EXPECT_DOUBLE_EQ(*s.value, 405);
    EXPECT_TRUE(s.needsDecision());
    EXPECT_TRUE(s.rangeExceeded);

    // Until the engineer confirms it the value is the rule's, marked as pending.
    StatsDecision d;
    EXPECT_TRUE(resolve(s, d).pending);
    d.confirmed = true;
    const StatsResult confirmed = resolve(s, d);
    EXPECT_FALSE(confirmed.pending);
    const CharacteristicValue ra = characteristicValue({}, confirmed);
    ASSERT_TRUE(ra.value);
    EXPECT_DOUBLE_EQ(*ra.value, 303.75);
    // Shown to the tenth and never above the value.
    EXPECT_EQ(characteristicNumber(*ra.value), "303.7");
    EXPECT_EQ(statsNumber(*ra.value), "303.8");
    EXPECT_NE(ra.how.find("0.75×水平临界荷载"), std::string::npos) << ra.how;
    EXPECT_NE(ra.how.find("统计值 405 kN"), std::string::npos) << ra.how;
}

// A low value is never left out by the rule: the highest go until the rest agree, here down to
// the lowest pile alone. More test piles are advised.
TEST(Statistics, ALowValueStaysAndMorePilesAreAdvised)
{
    const SampleStatistics s = statistics(piles({300, 480, 500, 520, 540}));
    EXPECT_EQ(s.rule, StatsRule::LeftOutHighest);
    ASSERT_TRUE(s.value);
    EXPECT_DOUBLE_EQ(*s.value, 300);
    EXPECT_TRUE(s.rangeExceeded);
    ASSERT_EQ(s.steps.size(), 5u);
    for (std::size_t k = 1; k < s.steps.size(); ++k)
        EXPECT_GE(s.steps[k].leftOut->value, s.steps[k].mean);
    EXPECT_EQ(s.steps.back().values.front().value, 300);
    EXPECT_NE(std::string(kMorePilesAdvice).find("建议增加试桩"), std::string::npos);

    // The engineer may leave out the low value, with a reason that the result shows.
    const SampleStatistics engineer =
        statistics(piles({300, 480, 500, 520, 540}), {false, {{0, "桩身缺陷，已查明"}}});
    EXPECT_EQ(engineer.rule, StatsRule::Mean);
    EXPECT_DOUBLE_EQ(*engineer.value, 510);
    ASSERT_EQ(engineer.excluded.size(), 1u);
    EXPECT_DOUBLE_EQ(engineer.excluded[0].value.value, 300);
    const StatsResult r = resolve(engineer, {});
    EXPECT_NE(r.how.find("桩身缺陷，已查明"), std::string::npos) << r.how;
}

// Fewer than three piles, or a cap of three piles or fewer: the lowest. Three piles that agree:
// their mean.
TEST(Statistics, FewPilesAndSmallCapsTakeTheLowest)
{
    const SampleStatistics three = statistics(piles({400, 440, 480}));
    EXPECT_EQ(three.rule, StatsRule::Mean);
    EXPECT_DOUBLE_EQ(*three.value, 440);
    EXPECT_FALSE(three.rangeExceeded);

    const SampleStatistics two = statistics(piles({400, 480}));
    EXPECT_EQ(two.rule, StatsRule::FewPiles);
    EXPECT_DOUBLE_EQ(*two.value, 400);

    const SampleStatistics cap = statistics(piles({400, 440, 480}), {true, {}});
    EXPECT_EQ(cap.rule, StatsRule::SmallCap);
    EXPECT_DOUBLE_EQ(*cap.value, 400);
    EXPECT_FALSE(cap.needsDecision());
}

TEST(Statistics, TheLimitOfThirtyPercent)
{
    // Exactly 30%: the mean stands (340 .. 460, mean 400).
    const SampleStatistics close = statistics(piles({340, 400, 400, 400, 460}));
    EXPECT_EQ(close.rule, StatsRule::Mean);
    EXPECT_DOUBLE_EQ(*close.value, 400);

    // Just above 30%: the text says so.
    const SampleStatistics above = statistics(piles({340, 400, 400, 400, 460.04}));
    EXPECT_EQ(above.rule, StatsRule::LeftOutHighest);
    EXPECT_EQ(shareText(above.steps[0]), "30.01%");
    EXPECT_EQ(shareText(close.steps[0]), "30%");

    EXPECT_EQ(statistics({}).rule, StatsRule::None);
    EXPECT_FALSE(statistics({}).value);
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
    EXPECT_NE(at6.how.find("6mm"), std::string::npos);
    EXPECT_NE(at6.how.find("位移敏感"), std::string::npos);

    // The design's allowable displacement: the load itself; GB 50007: half the ultimate load.
    c.rule = UnitCharacteristicRule::Allowable;
    c.displacementMm = 8;
    EXPECT_DOUBLE_EQ(*characteristicValue(c, {500.0, false, ""}).value, 500);
    c.rule = UnitCharacteristicRule::UltimateLoad;
    c.standard = Standard::Gb50007;
    const CharacteristicValue half = characteristicValue(c, {600.0, true, ""});
    EXPECT_DOUBLE_EQ(*half.value, 300);
    EXPECT_TRUE(half.pending);
    EXPECT_NE(half.how.find("GB 50007-2011"), std::string::npos);
    EXPECT_FALSE(allowedBy(Standard::Jgj106, ValueBase::UltimateLoad));
    EXPECT_FALSE(allowedBy(Standard::Gb50007, ValueBase::LoadAtDisplacement));
    c.standard = Standard::Jgj106;

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
