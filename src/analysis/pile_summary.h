#pragma once
// The piles of a unit project side by side: each test file opened read-only with the program's
// own Open on a test of its own, one row per pile (header texts, maximum load, the loads of the
// marked stages, Y0 at the maximum load), the checks that the piles belong together, and the
// statistics of Hcr, Hu and the load at the allowed displacement.

#include <optional>
#include <string>
#include <vector>

#include "analysis/breakpoint_fit.h"
#include "analysis/stats_summary.h"
#include "data/model.h"
#include "data/settings_entries.h"

namespace pyx {

struct PileRow
{
    std::string file;
    bool opened = false;
    std::string project, pile, date, diameter, length; // as the test holds them
    std::vector<StagePoint> points;                    // the loading branch
    std::optional<double> maxLoad;                     // kN
    std::optional<double> hcr, hu;                     // loads of the marked stages, kN
    int hcrStage = 0, huStage = 0;                     // 1-based, 0 without a mark
    std::optional<double> y0AtMax;                     // mm
    Suggestions suggestions;                           // of the test analysis, from the same points
    // A mark more than one stage away from the suggestion.
    bool hcrDoubtful = false, huDoubtful = false;
    std::vector<std::string> notes;
};

// The suggestion the rows show: the first made of the gradient fit, the lgH0-lgY0 fit and the
// kink rule, as the test analysis takes them; none when no method made one.
const Suggestion* shownSuggestion(const Suggestions& s);
// "360 / 480" (Hcr / Hu of the shown suggestion, kN), "—" without one.
std::string suggestionText(const PileRow& row);
// Every method's suggestion or its reason, one line each.
std::string suggestionDetail(const PileRow& row);

// The row of an opened test.
PileRow pileRow(const TestData& d, int gridRows);
// Opens `path` with the Open command of a window of its own, on its own test with the given
// settings (without them, those of a start without a settings file); nothing is written. A
// file that does not open gives a row with the reason.
PileRow readPile(const std::string& path, const SettingsTable* settings = nullptr);

// How far the piles of one unit project may differ.
struct Tolerances
{
    double diameterPercent = 5;
    double lengthPercent = 5;
    int dateDays = 30;
};

// Warnings when the piles with load stages differ beyond the tolerances, or a text cannot be
// compared.
std::vector<std::string> consistencyWarnings(const std::vector<PileRow>& rows, const Tolerances& t);

// A date text "2024-05-16", "2024.5.16", "2024/5/16" or "2024年5月16日" as a day number.
std::optional<long> dayNumber(const std::string& text);

// Which quantity of the rows a statistics takes.
enum class PileQuantity
{
    Hcr,
    Hu,
    LoadAtDisplacement
};

// The values of the rows that have it; the notes say which piles are left out and why.
std::vector<PileValue> quantityValues(const std::vector<PileRow>& rows, PileQuantity q, double displacementMm,
                                      std::vector<std::string>* notes = nullptr);

// Everything the summary shows: the rows, the three statistics with the engineer's decisions,
// the characteristic value and the warnings.
struct UnitSummary
{
    std::vector<PileRow> rows;
    SampleStatistics hcr, hu, atDisplacement;
    StatsDecision hcrDecision, huDecision, atDisplacementDecision;
    std::vector<std::string> hcrNotes, huNotes, atDisplacementNotes;
    // The cap holds three piles or fewer; the values the engineer leaves out, with reasons.
    bool capAtMostThree = false;
    std::vector<Exclusion> hcrExcluded, huExcluded, atDisplacementExcluded;
    CharacteristicChoice choice;
    std::vector<std::string> warnings;

    StatsResult hcrResult() const { return resolve(hcr, hcrDecision); }
    StatsResult huResult() const { return resolve(hu, huDecision); }
    StatsResult atDisplacementResult() const { return resolve(atDisplacement, atDisplacementDecision); }
    CharacteristicValue characteristic() const;
};

// The statistics of the rows afresh (with the cap option and the engineer's exclusions); the
// decisions are cleared.
void summarize(UnitSummary& s, const Tolerances& t = {});
// One statistics afresh, its decision cleared.
void restate(UnitSummary& s, PileQuantity q);

// The name of a pile in the texts: its number, or its file when it has none.
std::string pileName(const PileRow& row);
// The notes of a row in one text, "；" between them.
std::string notesText(const PileRow& row);
// A step of the statistics as one line: "第2步：剔除 SZ-06（600 kN）后 5 个值，平均值 432 kN，
// 极差 180 kN，极差/平均值 42 %".
std::string stepText(const StatsStep& step, int index, const std::vector<PileRow>& rows);
// The lines under a statistics' steps: each value the engineer left out with the reason, and
// the advice of more test piles when the range exceeded the limit.
std::vector<std::string> exclusionLines(const SampleStatistics& s, const std::vector<PileRow>& rows);
// The values a statistics takes, pile by pile: "各桩取值(kN)：SZ-01 469.2，SZ-02 481.3"; empty
// without values.
std::string valuesText(const SampleStatistics& s, const std::vector<PileRow>& rows);
// A load or a displacement of a row, "—" when there is none.
std::string numberOrDash(const std::optional<double>& v);
// A displacement as the summary tables show it, or "—".
std::string displacementOrDash(const std::optional<double>& mm);
// The name of a statistics: "临界荷载 Hcr", "极限荷载 Hu", "位移 10 mm 时的荷载".
std::string quantityName(PileQuantity q, double displacementMm);

} // namespace pyx
