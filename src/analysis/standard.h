#pragma once
// The rule sets the analysis follows: the loading-test standard JGJ 106-2014 (the default) and
// the foundation code GB 50007-2011, appendix S. Each allows its own rules of the
// characteristic value of the horizontal bearing capacity, with their wording and clauses.

#include <optional>
#include <string>

namespace pyx {

enum class Standard
{
    Jgj106 = 0, // JGJ 106-2014
    Gb50007 = 1 // GB 50007-2011 appendix S
};

// "JGJ 106-2014" or "GB 50007-2011".
const char* standardName(Standard s);
// The standard as a report cites it, with its title: "《建筑基桩检测技术规范》JGJ 106-2014".
std::string standardTitle(Standard s);
// The key stored and printed in JSON: "jgj106-2014" or "gb50007-2011".
const char* standardKey(Standard s);
// A key or a name as the user writes it ("jgj106", "JGJ 106-2014", "gb50007", ...).
std::optional<Standard> standardFromText(const std::string& text);

// What a characteristic value is taken from.
enum class ValueBase
{
    CriticalLoad,          // 0.75 × Hcr
    LoadAtDisplacement,    // 0.75 × the load at Y0 = 10 mm (6 mm for displacement-sensitive structures)
    AllowableDisplacement, // the load at the design's allowable displacement
    UltimateLoad           // 0.5 × Hu
};

bool allowedBy(Standard s, ValueBase b);
double baseFactor(ValueBase b);
// The rule in the standard's words with its condition and clause, e.g. "0.75×水平临界荷载（桩身不
// 允许开裂或灌注桩配筋率小于0.65%，JGJ 106-2014 第6.4.6条）".
std::string baseRuleText(Standard s, ValueBase b, double displacementMm);
// The clause of the statistics of Hcr and Hu.
std::string statisticsClause(Standard s);
// How m is computed, stated wherever m is shown.
inline constexpr const char* kMAssumption =
    "m值按桩顶自由、水平力作用于地面处的条件，依JGJ 106-2014式(6.4.2)计算。";

} // namespace pyx
