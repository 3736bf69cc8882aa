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
    Mark,     // mark 1 of the gradient curve, as the user set it
    Gradient, // the suggestions, in this order
    LgLog,
    Kink
};

struct Characteristic
{
    CharacteristicRule rule = CharacteristicRule::CriticalLoad;
    std::optional<double> basis; // kN: Hcr or the load at the displacement
    std::optional<double> value; // kN
    std::string reason;          // why there is no value
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

    AnalysisInputs inputs;
    std::string inputProblem; // why m cannot be computed
    double b0 = 0;            // m
    std::vector<MPoint> mByStage;
    std::optional<MPoint> mAtHcr, mAt6, mAt10;

    Characteristic characteristic;
    ScheduleCheck schedule;
};

TestAnalysis analyseTest(const TestData& d, int gridRows, const AnalysisInputs& inputs);

const char* hcrSourceText(HcrSource s);

} // namespace pyx
