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
};

// The stage points of the loading branch: it ends before a stage whose load does not exceed the
// load before it, and at the end marker. `gridRows` as the gradient curve reads it.
std::vector<StagePoint> stagePoints(const TestData& d, int gridRows);

// A fitted straight piece from x0 to x1.
struct FitSegment
{
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double slope = 0;
};

// A piecewise-linear fit in three groups of consecutive points, each with its own straight
// line: points 0..first, first+1..second, second+1..last. The breaks are the last points of
// the first two groups, where the curve stops following its straight part.
struct BreakpointFit
{
    int first = 0;
    int second = 0;
    FitSegment segments[3];
    std::vector<double> residuals; // y - fitted y, one a point
    double rss = 0;                // sum of squared residuals
    double score = 0;              // what the fit minimised (see FitOptions)
    double lineScore = 0;          // the same for one straight line through all points
    int points = 0;
    // The breaks explain most of what one straight line leaves, and that line misses the
    // points by more than the readings' precision: the curve has inflections.
    bool clear() const
    {
        return score <= kClearBreaks * lineScore && lineScore > kStraightNoise * kStraightNoise * points;
    }
    static constexpr double kClearBreaks = 0.25;
    // Mean misfit of one line below which a curve counts as straight: a hundredth of the
    // level (relative scores) or of a decade (logarithms).
    static constexpr double kStraightNoise = 0.01;
};

struct FitOptions
{
    // Residuals weighed against the mean level of their group, so the noise of a steep last
    // part does not outweigh the first: for values that grow by factors, as the gradients do.
    bool relative = false;
    // Each group a level (slope 0) instead of a sloped line: the gradient of a displacement
    // that is straight between the breaks is constant there.
    bool levels = false;
};

// The least-squares fit over every pair of breaks that leaves at least two points in each of
// the first two groups (three for sloped lines from 8 points on, as two points always lie on a
// line) and one in the last; the smallest score wins (the earlier breaks on a tie). Nothing
// with fewer than 5 points or with x and y of different lengths.
std::optional<BreakpointFit> fitTwoBreakpoints(const std::vector<double>& x, const std::vector<double>& y,
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
// The kink rule: from the third stage on, a stage whose △Y0/△H0 is at least this multiple of
// the stage's before it; Hcr is the stage before the first such kink, Hu the stage before the
// next one.
inline constexpr double kKinkFactor = 1.5;

Suggestion gradientSuggestion(const std::vector<StagePoint>& pts); // H0-△Y0/△H0
Suggestion lgLogSuggestion(const std::vector<StagePoint>& pts);    // lgH0-lgY0
Suggestion kinkSuggestion(const std::vector<StagePoint>& pts);     // H0-Y0

struct Suggestions
{
    Suggestion gradient, lglog, kink;
    // The suggestions made lie more than one stage apart in Hcr or in Hu.
    bool disagree = false;
};

Suggestions suggestLoads(const std::vector<StagePoint>& pts);

// Y0 at load `h0` and the load at displacement `y0`, interpolated on the points (straight
// between them, the origin before the first); nothing outside the points.
std::optional<double> displacementAt(const std::vector<StagePoint>& pts, double h0);
std::optional<double> loadAt(const std::vector<StagePoint>& pts, double y0);

} // namespace pyx
