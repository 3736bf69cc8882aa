// The suggested critical and ultimate loads: the piecewise fits on curves built with known
// breaks, with and without noise, curves with one break and with a failure stage, the steep-rise
// rule, the disagreement flag and the stage points.

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/breakpoint_fit.h"

namespace pyx {
namespace {

constexpr double kStep = 50; // kN per stage

// Stage points of a displacement straight to `hcr`, steeper to `hu` and steeper again, with
// an optional relative noise on every gain (deterministic, alternating in sign).
std::vector<StagePoint> synthetic(int stages, double hcr, double hu, double noise = 0, double phase = 0,
                                  double step = kStep)
{
    std::vector<StagePoint> pts;
    double y = 0;
    for (int k = 1; k <= stages; ++k) {
        const double h = k * step;
        const double gain = h <= hcr ? 0.01 : h <= hu ? 0.025 : 0.07;
        const double wobble = noise * std::sin(k * 2.7 + phase);
        const double dydh = gain * (1 + wobble);
        y += dydh * step;
        StagePoint p;
        p.stage = k;
        p.row = 4 + 5 * (k - 1);
        p.h0 = h;
        p.y0 = y;
        p.dydh = dydh;
        pts.push_back(p);
    }
    return pts;
}

std::vector<double> column(const std::vector<StagePoint>& pts, double StagePoint::*field)
{
    std::vector<double> out;
    for (const StagePoint& p : pts)
        out.push_back(p.*field);
    return out;
}

TEST(BreakpointFit, FindsBothBreaksOfJoinedStraightLines)
{
    // y rises at three rates, joined at x = 5 and x = 9 (indices 4 and 8).
    std::vector<double> x, y;
    for (int i = 0; i < 12; ++i) {
        const double xi = i + 1;
        x.push_back(xi);
        y.push_back(xi <= 5 ? 1 + 0.1 * xi : xi <= 9 ? 1.5 + 0.4 * (xi - 5) : 3.1 + 1.5 * (xi - 9));
    }
    const auto fit = fitBreakpoints(x, y);
    ASSERT_TRUE(fit);
    EXPECT_EQ(fit->breaks, 2);
    EXPECT_EQ(fit->first, 4);
    EXPECT_EQ(fit->second, 8);
    EXPECT_NEAR(fit->rss, 0, 1e-18);
    ASSERT_EQ(fit->segments.size(), 3u);
    EXPECT_NEAR(fit->segments[0].slope, 0.1, 1e-9);
    EXPECT_NEAR(fit->segments[1].slope, 0.4, 1e-9);
    EXPECT_NEAR(fit->segments[2].slope, 1.5, 1e-9);
    EXPECT_EQ(fit->residuals.size(), x.size());
    // The pieces meet at the breaks.
    EXPECT_DOUBLE_EQ(fit->segments[1].x0, 5);
    EXPECT_DOUBLE_EQ(fit->segments[1].x1, 9);
    EXPECT_NEAR(fit->segments[0].y1, fit->segments[1].y0, 1e-9);
    EXPECT_NEAR(fit->segments[1].y1, fit->segments[2].y0, 1e-9);

    // One break only: the second is not taken, whatever the two-break fit would place.
    std::vector<double> one;
    for (const double xi : x)
        one.push_back(xi <= 6 ? 0.2 * xi : 1.2 + 0.9 * (xi - 6));
    const auto single = fitBreakpoints(x, one);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->breaks, 1);
    EXPECT_EQ(single->first, 5);
    EXPECT_EQ(single->second, -1);
    ASSERT_EQ(single->segments.size(), 2u);
    // A straight line has no break.
    std::vector<double> line;
    for (const double xi : x)
        line.push_back(0.3 * xi + 1);
    EXPECT_EQ(fitBreakpoints(x, line)->breaks, 0);
}

TEST(BreakpointFit, GradientSuggestionFindsKnownLoadsWithAndWithoutNoise)
{
    for (const double noise : {0.0, 0.08, 0.15})
        for (const double phase : {0.0, 0.9, 1.7, 2.9, 4.1}) {
            SCOPED_TRACE(noise);
            SCOPED_TRACE(phase);
            const Suggestion s = gradientSuggestion(synthetic(12, 250, 450, noise, phase));
            ASSERT_TRUE(s.made()) << s.reason;
            EXPECT_DOUBLE_EQ(*s.hcr, 250);
            EXPECT_DOUBLE_EQ(*s.hu, 450);
            EXPECT_EQ(s.hcrStage, 5);
            EXPECT_EQ(s.huStage, 9);
        }
    // Other breaks, a longer test.
    const Suggestion s = gradientSuggestion(synthetic(16, 350, 600, 0.1));
    EXPECT_EQ(s.hcrStage, 7);
    EXPECT_EQ(s.huStage, 12);
}

TEST(BreakpointFit, LgLogAndKinkSuggestionsLieWithinAStage)
{
    for (const double noise : {0.0, 0.08}) {
        SCOPED_TRACE(noise);
        const Suggestions all = suggestLoads(synthetic(12, 250, 450, noise));
        ASSERT_TRUE(all.lglog.made()) << all.lglog.reason;
        EXPECT_NEAR(all.lglog.hcrStage, 5, 1);
        EXPECT_NEAR(all.lglog.huStage, 9, 1);
        ASSERT_TRUE(all.kink.made()) << all.kink.reason;
        EXPECT_EQ(all.kink.hcrStage, 5);
        EXPECT_EQ(all.kink.huStage, 9);
        EXPECT_FALSE(all.disagree);
    }
}

TEST(BreakpointFit, TooFewStagesGiveAReasonNotAGuess)
{
    const Suggestions all = suggestLoads(synthetic(4, 100, 150));
    for (const Suggestion* s : {&all.gradient, &all.lglog, &all.kink}) {
        EXPECT_FALSE(s->made());
        EXPECT_FALSE(s->hu);
        EXPECT_NE(s->reason.find("少于5级"), std::string::npos) << s->reason;
    }
    EXPECT_FALSE(all.disagree);
    EXPECT_FALSE(fitBreakpoints({1, 2, 3, 4}, {1, 2, 3, 4}));
    EXPECT_FALSE(fitBreakpoints({1, 2, 3, 4, 5}, {1, 2, 3}));
    // Five points are enough for the fit.
    EXPECT_TRUE(gradientSuggestion(synthetic(5, 100, 200)).made());
}

// A test that never reached its ultimate load: one straight break at 280 kN. No method invents
// a second inflection; Hcr stays, Hu is absent with the reason.
TEST(BreakpointFit, OneBreakGivesNoUltimateLoad)
{
    for (const double noise : {0.0, 0.05, 0.1})
        for (const double phase : {0.0, 1.3, 2.6}) {
            SCOPED_TRACE(noise);
            SCOPED_TRACE(phase);
            const Suggestions all = suggestLoads(synthetic(11, 280, 1e9, noise, phase, 40));
            for (const Suggestion* s : {&all.gradient, &all.lglog, &all.kink}) {
                ASSERT_TRUE(s->made()) << s->reason;
                EXPECT_NEAR(*s->hcr, 280, 40);
                EXPECT_FALSE(s->hu);
                EXPECT_EQ(s->huStage, 0);
                EXPECT_EQ(s->reason, kNoSecondInflection);
            }
            EXPECT_DOUBLE_EQ(*all.gradient.hcr, 280);
            EXPECT_FALSE(all.lowestHu());
        }
}

TEST(BreakpointFit, KinkRuleTellsWhenTheCurveHasNoKink)
{
    const Suggestion s = kinkSuggestion(synthetic(10, 1000, 1000));
    EXPECT_FALSE(s.made());
    EXPECT_FALSE(s.reason.empty());
    // A first kink but no second: Hcr only, and the reason for Hu.
    const Suggestion half = kinkSuggestion(synthetic(10, 200, 1000));
    EXPECT_EQ(half.hcrStage, 4);
    EXPECT_FALSE(half.hu);
    EXPECT_FALSE(half.reason.empty());
}

// Y0 growing as H0^1.6, read to a hundredth of a millimetre: no straight parts. Whatever the
// methods suggest they do not agree, and the lowest Hcr is the safe one to build on.
TEST(BreakpointFit, SmoothCurveGivesNoAgreedSuggestion)
{
    std::vector<StagePoint> pts;
    double before = 0;
    for (int k = 1; k <= 12; ++k) {
        const double y = std::round(28 * std::pow(k, 1.6)) / 100;
        StagePoint p;
        p.stage = k;
        p.row = 4 + 5 * (k - 1);
        p.h0 = 40.0 * k;
        p.y0 = y;
        p.dydh = (y - before) / 40;
        pts.push_back(p);
        before = y;
    }
    const Suggestions all = suggestLoads(pts);
    int made = 0;
    std::optional<double> lowest;
    for (const Suggestion* s : {&all.gradient, &all.lglog, &all.kink})
        if (s->made()) {
            ++made;
            lowest = lowest ? std::min(*lowest, *s->hcr) : *s->hcr;
        } else {
            EXPECT_NE(s->reason.find("没有明显的"), std::string::npos) << s->reason;
        }
    EXPECT_TRUE(made == 0 || all.disagree || made == 1);
    EXPECT_EQ(all.lowestHcr(), lowest);
}

TEST(BreakpointFit, DisagreementOfMoreThanOneStageIsFlagged)
{
    std::vector<StagePoint> pts = synthetic(12, 250, 450);
    // A lone jump of the gain at stage 3 is the kink rule's first kink, three stages before
    // the fits' critical load.
    pts[2].dydh = 0.05;
    const Suggestions all = suggestLoads(pts);
    ASSERT_TRUE(all.kink.made());
    EXPECT_EQ(all.kink.hcrStage, 2);
    EXPECT_TRUE(all.disagree);
}

TEST(BreakpointFit, InterpolatesDisplacementAndLoadOnThePoints)
{
    const std::vector<StagePoint> pts = synthetic(6, 1000, 1000); // y0 = 0.5, 1.0, ... 3.0 mm
    EXPECT_NEAR(*displacementAt(pts, 25), 0.25, 1e-12);           // from the origin to the first point
    EXPECT_NEAR(*displacementAt(pts, 175), 1.75, 1e-12);
    EXPECT_FALSE(displacementAt(pts, 301));
    EXPECT_NEAR(*loadAt(pts, 2.2), 220, 1e-9);
    EXPECT_NEAR(*loadAt(pts, 3.0), 300, 1e-9);
    EXPECT_FALSE(loadAt(pts, 3.01));
    EXPECT_FALSE(loadAt({}, 1));
}

// A pile that failed at 480 kN after two cycles: the short stage is a point of the analysis
// (not of the gradient curve), and the steep drop it shows puts Hu at the stage before it.
TEST(BreakpointFit, ShortFailureStageCountsAndPutsHuBeforeIt)
{
    TestData d;
    d.curfile = "t.pys";
    int r = 0;
    double y = 0;
    for (int stage = 1; stage <= 12; ++stage) {
        const double h = 40.0 * stage;
        y += 40 * (h <= 240 ? 0.01 : h <= 440 ? 0.025 : 0.25);
        const int cycles = stage == 12 ? 2 : 5;
        for (int cycle = 1; cycle <= cycles; ++cycle, ++r) {
            d.jlbp[r].hz = static_cast<float>(h);
            d.jlbp[r].xh = static_cast<std::int16_t>(cycle);
            d.jlbp[r].ds[dispLoading] = static_cast<float>(y * (1 + 0.01 * cycle));
        }
    }
    d.jlbp[r].hz = kEndLoad;
    d.jlbn = static_cast<std::int16_t>(r);
    const std::vector<StagePoint> pts = stagePoints(d, r + 1);
    ASSERT_EQ(pts.size(), 12u);
    EXPECT_TRUE(pts.back().incomplete);
    EXPECT_EQ(pts.back().cycles, 2);
    EXPECT_EQ(pts.back().curvePoint, -1);
    EXPECT_EQ(pts.back().row, r - 1);
    EXPECT_FALSE(pts[10].incomplete);
    EXPECT_EQ(pts[10].curvePoint, 10);
    const Suggestions all = suggestLoads(pts);
    for (const Suggestion* s : {&all.gradient, &all.lglog, &all.kink}) {
        ASSERT_TRUE(s->hu) << s->reason;
        EXPECT_DOUBLE_EQ(*s->hu, 440);
        EXPECT_DOUBLE_EQ(*s->hcr, 240);
    }
}

TEST(BreakpointFit, StagePointsAreTheGradientCurvesPointsOfTheLoadingBranch)
{
    TestData d;
    d.curfile = "t.pys";
    const float loads[] = {40, 80, 120, 80};
    int r = 0;
    for (int stage = 0; stage < 4; ++stage)
        for (int cycle = 1; cycle <= 5; ++cycle, ++r) {
            d.jlbp[r].hz = loads[stage];
            d.jlbp[r].xh = static_cast<std::int16_t>(cycle);
            d.jlbp[r].ds[dispLoading] = (stage + 1) * 1.0f + cycle * 0.01f;
        }
    d.jlbp[r].hz = kEndLoad;
    d.jlbn = static_cast<std::int16_t>(r);
    const std::vector<StagePoint> pts = stagePoints(d, r + 1);
    ASSERT_EQ(pts.size(), 3u); // the unloading stage of 80 kN ends the branch
    EXPECT_EQ(pts[0].row, 4);
    EXPECT_EQ(pts[2].row, 14);
    EXPECT_EQ(pts[2].stage, 3);
    EXPECT_FLOAT_EQ(static_cast<float>(pts[1].y0), 2.05f);
    EXPECT_NEAR(pts[0].dydh, 1.05 / 40, 1e-6);
    EXPECT_NEAR(pts[1].dydh, 1.0 / 40, 1e-6);
    EXPECT_EQ(column(pts, &StagePoint::h0), (std::vector<double>{40, 80, 120}));
}

} // namespace
} // namespace pyx
