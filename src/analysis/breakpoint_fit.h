#pragma once
// Suggested critical load Hcr and ultimate load Hu of a test: the stage points, the
// two-breakpoint piecewise-linear least-squares fit, and the kink rule on H0-Y0.

#include <optional>
#include <string>
#include <vector>

#include "data/model.h"

namespace pyx {

// One stage of the evaluated test: its load and the loaded displacement of its last cycle
// (the point of the gradient curve), with the gain over the stage before per kN.
struct StagePoint
{
    int stage = 0;   // 1-based
    int row = 0;     // row of jlbp
    double h0 = 0;   // kN
    double y0 = 0;   // mm
    double dydh = 0; // △Y0/△H0, mm/kN (the first stage against the origin)
    int cycles = 0;  // cycles of the stage in the record table
    // A stage of fewer cycles than the schedule's five, usually the stage at which loading
    // stopped: not a point of the gradient curve, but a point of the analysis, with its last cycle.
    bool incomplete = false;
    int curvePoint = -1; // its point on the gradient curve (0-based), -1 when not on it
};

// The stage points of the loading branch: the gradient curve's points and the stages of fewer
// cycles after its first point, in the order of the rows; it ends before a stage whose load does
// not exceed the load before it, and at the end marker. `gridRows` as the gradient curve reads it.
std::vector<StagePoint> stagePoints(const TestData& d, int gridRows);

// A fitted straight piece from x0 to x1.
struct FitSegment
{
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double slope = 0;
};

// How the pieces are fitted.
struct FitOptions
{
    // Residuals weighed against the mean level of their group, so the noise of a steep last
    // part does not outweigh the first: for values that grow by factors, as the gradients do.
    bool relative = false;
    // Each group a level (slope 0), as the gradient of a displacement that is straight between
    // the breaks is; otherwise straight lines joined at the breaks, as a curve is read by eye.
    bool levels = false;
};

// The piecewise-linear least-squares fit with 0, 1 or 2 breaks, chosen by the Bayesian
// information criterion n·ln(σ²) + k·ln(n): σ² the mean squared (weighted) residual, never
// below the readings' precision (a hundredth of the level, or of a decade for logarithms), k the
// parameters (levels or line coefficients plus one a break). A break is taken only when the
// model with it lowers the criterion by at least kSignificance against the model without it
// (strong evidence): the one-break fit against a straight line for the first break, the
// two-break fit against the one-break fit for the second.
struct BreakpointFit
{
    int breaks = 0;  // of the chosen model
    int first = -1;  // index of the point at the first break (the last of the first piece)
    int second = -1; // at the second break
    std::vector<FitSegment> segments;
    std::vector<double> residuals; // y - fitted y, one a point
    double rss = 0;                // sum of squared residuals
    double score = 0;              // what the fit minimised (weighted with `relative`)
    int points = 0;
    double criterion[3] = {0, 0, 0};       // of the best model with 0, 1 and 2 breaks
    int firstOfTwo = -1, secondOfTwo = -1; // the breaks of the best two-break model
    static constexpr double kSignificance = 6;
    static constexpr double kPrecision = 0.01;
};

// Nothing with fewer than 5 points or with x and y of different lengths. The breaks lie on
// points; each piece keeps at least two points, the last may hold one (a failure stage).
std::optional<BreakpointFit> fitBreakpoints(const std::vector<double>& x, const std::vector<double>& y,
                                            FitOptions options = {});

// One method's suggestion: both loads, or nothing with the reason.
struct Suggestion
{
    std::optional<double> hcr, hu;    // kN
    int hcrStage = 0, huStage = 0;    // 1-based stages, 0 when none
    std::optional<BreakpointFit> fit; // the fit behind it (none for the kink rule)
    std::string reason;               // why there is no suggestion
    bool made() const { return hcr.has_value(); }
};

inline constexpr int kMinimumStagePoints = 5;
// The steep rise of the H0-t-Y0 curve between stages: from the third stage on, a stage whose
// displacement gain per kN (△Y0/△H0) is at least this multiple of the stage's before it; Hcr is
// the stage before the first such rise, Hu the stage before the next one.
inline constexpr double kKinkFactor = 1.5;

inline constexpr const char* kNoSecondInflection = "未出现第二拐点";

Suggestion gradientSuggestion(const std::vector<StagePoint>& pts); // H0-△Y0/△H0
Suggestion lgLogSuggestion(const std::vector<StagePoint>& pts);    // lgH0-lgY0
Suggestion kinkSuggestion(const std::vector<StagePoint>& pts);     // H0-t-Y0 steep rise

struct Suggestions
{
    Suggestion gradient, lglog, kink;
    // The suggestions made lie more than one stage apart in Hcr or in Hu.
    bool disagree = false;
    // The lowest Hcr and Hu suggested by any method (the safe side), none when none was.
    std::optional<double> lowestHcr() const;
    std::optional<double> lowestHu() const;
};

Suggestions suggestLoads(const std::vector<StagePoint>& pts);

// The maximum test load: the load of the last stage of the loading branch; none without stages.
std::optional<double> maximumLoad(const std::vector<StagePoint>& pts);

// Y0 at load `h0` and the load at displacement `y0`, interpolated on the points (straight
// between them, the origin before the first); nothing outside the points.
std::optional<double> displacementAt(const std::vector<StagePoint>& pts, double h0);
std::optional<double> loadAt(const std::vector<StagePoint>& pts, double y0);

} // namespace pyx
