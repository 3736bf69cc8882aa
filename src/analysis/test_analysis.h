#pragma once
// The analysis of the open test: the suggested loads, m by stage and at the chosen points,
// the characteristic value by the chosen rule and the schedule check. The window, the report
// page and `pyx-cli analyse` show this one result.

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_inputs.h"
#include "analysis/breakpoint_fit.h"
#include "analysis/schedule_check.h"
#include "analysis/soil_coefficient.h"
#include "data/model.h"

namespace pyx {

// m at one point of the test: the load and displacement it was taken at.
struct MPoint
{
    double h0 = 0; // kN
    double y0 = 0; // mm
    std::optional<MResult> m;
};

// Where the critical load of m and of the characteristic value comes from.
enum class HcrSource
{
    None,
    Mark,      // mark 1 of the gradient curve, as the user set it
    Suggestion // the lowest Hcr the methods suggest, not yet confirmed by a mark
};

// What a characteristic value rests on.
enum class ValueBasis
{
    None,        // no value
    Marks,       // the loads the engineer marked on the curve
    Suggestion,  // a suggestion of the analysis, not yet confirmed: pending
    Displacement // the measured load at the displacement
};
const char* basisKey(ValueBasis b); // "marks", "suggestion", "displacement"; "" for none
inline constexpr const char* kPendingLabel = "依据未确认的建议";

struct Characteristic
{
    CharacteristicRule rule = CharacteristicRule::CriticalLoad;
    Standard standard = Standard::Jgj106;
    std::string ruleText;            // in the standard's words, with its clause
    std::optional<double> basisLoad; // kN: Hcr, Hu or the load at the displacement
    std::optional<double> value;     // kN
    ValueBasis basis = ValueBasis::None;
    std::string reason; // why there is no value
    bool pending() const { return basis == ValueBasis::Suggestion; }
};

struct TestAnalysis
{
    std::vector<StagePoint> points;
    Suggestions suggestions;
    // Marks of the gradient curve as stages (0 = none) with their loads.
    int markedHcrStage = 0, markedHuStage = 0;
    std::optional<double> markedHcr, markedHu;

    std::optional<double> hcr; // the critical load used below
    HcrSource hcrSource = HcrSource::None;
    std::optional<double> hu; // the ultimate load: the mark, else the lowest suggestion
    HcrSource huSource = HcrSource::None;

    AnalysisInputs inputs;
    std::string inputProblem; // why m cannot be computed
    std::string inputWarning; // an input that looks wrong (a width typed in millimetres)
    double b0 = 0;            // m
    std::vector<MPoint> mByStage;
    std::optional<MPoint> mAtHcr, mAt6, mAt10;

    Characteristic characteristic;
    ScheduleCheck schedule;
};

// A pile width above this (m) was probably typed in millimetres.
inline constexpr double kWidestPile = 5;

TestAnalysis analyseTest(const TestData& d, int gridRows, const AnalysisInputs& inputs);

const char* hcrSourceText(HcrSource s);

} // namespace pyx
