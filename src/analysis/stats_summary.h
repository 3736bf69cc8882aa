#pragma once
// The statistics of a unit project's test piles: the statistical value of one quantity (Hcr,
// Hu or the load at a displacement) with every step of it, the engineer's decision where the
// rule leaves it to him, and the characteristic value of the horizontal bearing capacity.

#include <optional>
#include <string>
#include <vector>

#include "analysis/standard.h"

namespace pyx {

// The range may be at most this share of the mean for the mean to stand.
inline constexpr double kRangeShareLimit = 0.30;
// With fewer piles tested than this the statistical value is the lowest.
inline constexpr int kLeastPilesForMean = 3;

// One value of the statistics and the pile it comes from (its position in the pile list).
struct PileValue
{
    int pile = 0;
    double value = 0;
};

// One step: the values it takes, their count, mean, range and the range as a share of the mean;
// every step after the first leaves out one value, the highest of the step before.
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
    None,          // no value to take
    FewPiles,      // fewer than three piles tested: the lowest
    SmallCap,      // the cap holds three piles or fewer: the lowest
    Mean,          // the range is at most 30% of the mean
    LeftOutHighest // the mean after leaving out the highest values one at a time
};

// A value the engineer leaves out, with the reason (a pile whose cause of scatter is known).
struct Exclusion
{
    int pile = 0;
    std::string reason;
};

struct StatsOptions
{
    bool capAtMostThree = false; // the engineer says the cap holds three piles or fewer
    std::vector<Exclusion> excluded;
};

struct ExcludedValue
{
    PileValue value;
    std::string reason;
};

struct SampleStatistics
{
    std::vector<StatsStep> steps; // the first takes every value not excluded by the engineer
    std::vector<ExcludedValue> excluded;
    StatsRule rule = StatsRule::None;
    std::optional<double> value; // what the rule gives without a person's choice
    // The range of all values exceeded 30% of the mean: the cause is to be analysed and more
    // test piles are advised.
    bool rangeExceeded = false;
    // The rule leaves out values: the engineer confirms it or gives the value.
    bool needsDecision() const { return rule == StatsRule::LeftOutHighest; }
};

// The statistics of the values. With a range above 30% of the mean the highest value is left
// out, one at a time, until the range is within 30% of the mean of what remains; a low value
// is left out only by the engineer (`options.excluded`), never by the rule.
SampleStatistics statistics(const std::vector<PileValue>& values, const StatsOptions& options = {});

// The rule as a text for the user.
std::string ruleText(StatsRule rule);
// The advice when the range exceeded the limit.
inline constexpr const char* kMorePilesAdvice =
    "极差超过平均值的30%，应分析原因（桩型、施工工艺、地基条件等），建议增加试桩数量。";

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
    CriticalLoad, // 0.75 × the statistical Hcr
    Displacement, // 0.75 × the statistical load at 10 mm (6 mm for displacement-sensitive structures)
    Allowable,    // the statistical load at the design's allowable displacement
    UltimateLoad, // 0.5 × the statistical Hu (GB 50007-2011, cracks allowed)
    Typed         // a value typed in with the reason
};

struct CharacteristicChoice
{
    Standard standard = Standard::Jgj106;
    UnitCharacteristicRule rule = UnitCharacteristicRule::CriticalLoad;
    double displacementMm = 10; // 10 or 6 mm, or the allowable displacement
    std::optional<double> typed;
    std::string reason;
    bool usesDisplacement() const
    {
        return rule == UnitCharacteristicRule::Displacement || rule == UnitCharacteristicRule::Allowable;
    }
};

struct CharacteristicValue
{
    std::optional<double> value;
    std::optional<double> basis; // the statistical value it is taken from
    bool pending = false;        // its basis is not yet confirmed
    std::string how;             // the rule with its inputs
};

// `statistical` is the resolved statistics the rule takes (Hcr, Hu or the loads at the
// displacement).
CharacteristicValue characteristicValue(const CharacteristicChoice& c, const StatsResult& statistical);
// The standard's base of a unit rule (CriticalLoad for a typed value).
ValueBase valueBase(UnitCharacteristicRule rule);

// A number as the statistics show it: whole kN, or a tenth where the value has one ("405", "303.8").
std::string statsNumber(double v);
// A characteristic value as shown: rounded down to the tenth of a kN, never above what it is.
std::string characteristicNumber(double v);
// The share as a whole percentage ("52%").
std::string percentText(double share);
// A step's range as a share of its mean in whole percent; a share just above 30 % that would
// show as "30%" gets two decimals ("30.01%"), so the text agrees with the rule.
std::string shareText(const StatsStep& step);

} // namespace pyx
