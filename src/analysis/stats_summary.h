#pragma once
// The statistics of a unit project's test piles: the statistical value of one quantity (Hcr,
// Hu or the load at a displacement) with every step of it, the engineer's decision where the
// rule leaves it to him, and the characteristic value of the horizontal bearing capacity.

#include <optional>
#include <string>
#include <vector>

namespace pyx {

// The range may be at most this share of the mean for the mean to stand.
inline constexpr double kRangeShareLimit = 0.30;
// With this many piles or fewer the statistical value is the lowest.
inline constexpr int kFewPiles = 3;
inline constexpr double kCharacteristicFactor = 0.75;

// One value of the statistics and the pile it comes from (its position in the pile list).
struct PileValue
{
    int pile = 0;
    double value = 0;
};

// One step: the values it takes, their count, mean, range and the range as a share of the mean;
// every step after the first leaves out one value, the one furthest from the mean before it.
struct StatsStep
{
    std::vector<PileValue> values;
    double mean = 0;
    double range = 0;
    double share = 0; // range / mean
    std::optional<PileValue> leftOut;
    int count() const { return static_cast<int>(values.size()); }
    double lowest() const;
    bool withinLimit() const;
};

// How the rule gives the statistical value.
enum class StatsRule
{
    None,        // no value to take
    Lowest,      // three piles or fewer: the lowest
    Mean,        // the range is at most 30 % of the mean
    LeftOutMean, // the mean after leaving out the furthest values one at a time
    LeftOutLow   // leaving out ends at three values still too far apart: the lowest of them
};

struct SampleStatistics
{
    std::vector<StatsStep> steps; // the first takes every value
    StatsRule rule = StatsRule::None;
    std::optional<double> value; // what the rule gives without a person's choice
    // The rule leaves out values: the engineer confirms it or gives the value.
    bool needsDecision() const { return rule == StatsRule::LeftOutMean || rule == StatsRule::LeftOutLow; }
};

// The statistics of the values: a value left out is the one furthest from the mean of the
// step before, of two equally far the higher (the safer side). Leaving out stops when the
// range is within 30 % of the mean or three values remain.
SampleStatistics statistics(const std::vector<PileValue>& values);

// The rule as a text for the user.
std::string ruleText(StatsRule rule);

// The engineer's decision on a statistics that needs one: nothing yet, the rule confirmed, or a
// value typed in with the reason.
struct StatsDecision
{
    bool confirmed = false;
    std::optional<double> typed;
    std::string reason;
};

// The statistical value as it stands after the decision.
struct StatsResult
{
    std::optional<double> value;
    bool pending = false; // the rule's value, not yet confirmed
    std::string how;      // the rule, or the typed value's reason
};

StatsResult resolve(const SampleStatistics& s, const StatsDecision& d);

// The rule of the characteristic value of the horizontal bearing capacity.
enum class UnitCharacteristicRule
{
    CriticalLoad, // 0.75 x the statistical Hcr
    Displacement, // 0.75 x the statistical load at the allowed displacement
    Typed         // a value typed in with the reason
};

struct CharacteristicChoice
{
    UnitCharacteristicRule rule = UnitCharacteristicRule::CriticalLoad;
    double displacementMm = 10; // 10 mm, or 6 mm for displacement-sensitive structures
    std::optional<double> typed;
    std::string reason;
};

struct CharacteristicValue
{
    std::optional<double> value;
    std::optional<double> basis; // the statistical value it is taken from
    bool pending = false;        // its basis is not yet confirmed
    std::string how;             // the rule with its inputs
};

// `statistical` is the resolved statistical Hcr, or of the loads at the displacement.
CharacteristicValue characteristicValue(const CharacteristicChoice& c, const StatsResult& statistical);

// A number as the statistics show it: up to two decimals, no trailing zeros ("405", "303.75").
std::string statsNumber(double v);
// The share as a whole percentage ("52 %").
std::string percentText(double share);
// A step's range as a share of its mean in whole percent; a share just above 30 % that would
// show as "30 %" gets two decimals ("30.01 %"), so the text agrees with the rule.
std::string shareText(const StatsStep& step);

} // namespace pyx
