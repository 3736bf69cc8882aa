// The coefficient m: the calculated width, the νy table and its iteration, and the round trips
// between m, load and displacement.

#include <gtest/gtest.h>

#include "analysis/soil_coefficient.h"

namespace pyx {
namespace {

TEST(SoilCoefficient, CalculatedWidthByShapeAndSize)
{
    EXPECT_DOUBLE_EQ(calculatedWidth(PileShape::Round, 0.6), 0.9 * (1.5 * 0.6 + 0.5));
    EXPECT_DOUBLE_EQ(calculatedWidth(PileShape::Round, 1.0), 1.8);
    EXPECT_DOUBLE_EQ(calculatedWidth(PileShape::Round, 1.2), 0.9 * 2.2);
    EXPECT_DOUBLE_EQ(calculatedWidth(PileShape::Square, 0.4), 1.1);
    EXPECT_DOUBLE_EQ(calculatedWidth(PileShape::Square, 1.0), 2.0);
    EXPECT_DOUBLE_EQ(calculatedWidth(PileShape::Square, 1.5), 2.5);
}

TEST(SoilCoefficient, DisplacementFactorTableAndInterpolation)
{
    EXPECT_DOUBLE_EQ(displacementFactor(4.0), 2.441);
    EXPECT_DOUBLE_EQ(displacementFactor(9.5), 2.441);
    EXPECT_DOUBLE_EQ(displacementFactor(3.5), 2.502);
    EXPECT_DOUBLE_EQ(displacementFactor(3.0), 2.727);
    EXPECT_DOUBLE_EQ(displacementFactor(2.8), 2.905);
    EXPECT_DOUBLE_EQ(displacementFactor(2.6), 3.163);
    EXPECT_DOUBLE_EQ(displacementFactor(2.4), 3.526);
    EXPECT_NEAR(displacementFactor(3.75), (2.441 + 2.502) / 2, 1e-12);
    EXPECT_NEAR(displacementFactor(2.5), (3.163 + 3.526) / 2, 1e-12);
    EXPECT_NEAR(displacementFactor(3.2), 2.727 + (2.502 - 2.727) * 0.4, 1e-12);
    bool below = false;
    EXPECT_DOUBLE_EQ(displacementFactor(2.0, &below), 3.526);
    EXPECT_TRUE(below);
    displacementFactor(2.41, &below);
    EXPECT_FALSE(below);
}

TEST(SoilCoefficient, LongRoundPileRoundTrip)
{
    // D = 0.6 m, EI = 1.7e5 kN·m², m = 10 MN/m⁴, long enough for αh ≥ 4.
    const PileInputs p{PileShape::Round, 0.6, 1.7e5, 20};
    const double h = loadFor(p, 10000, 0.010);
    EXPECT_NEAR(h, 146.2, 0.05);
    const auto m = coefficientM(p, h, 0.010);
    ASSERT_TRUE(m);
    EXPECT_NEAR(m->m, 10000, 1e-3);
    EXPECT_DOUBLE_EQ(m->nuY, 2.441);
    EXPECT_GE(m->alphaH, 4.0);
    // The rounded load of the example gives m within its rounding.
    EXPECT_NEAR(coefficientM(p, 146.2, 0.010)->m, 10000, 10);
}

TEST(SoilCoefficient, DisplacementOfALargePile)
{
    const PileInputs p{PileShape::Round, 1.0, 5e6, 30};
    EXPECT_NEAR(displacementFor(p, 20000, 1000) * 1000, 9.42, 0.01);
    EXPECT_NEAR(coefficientM(p, 1000, displacementFor(p, 20000, 1000))->m, 20000, 1e-2);
}

TEST(SoilCoefficient, IterationConvergesInsideTheTable)
{
    // Short piles: νy comes from the table's middle and changes with m.
    for (const double h : {6.0, 5.0, 4.5, 4.2, 3.9}) {
        SCOPED_TRACE(h);
        const PileInputs p{PileShape::Square, 0.5, 2.0e5, h};
        const double load = loadFor(p, 15000, 0.006);
        const auto m = coefficientM(p, load, 0.006);
        ASSERT_TRUE(m);
        EXPECT_NEAR(m->m, 15000, 0.05);
        EXPECT_GT(m->iterations, 1);
        EXPECT_LT(m->alphaH, 4.0);
        EXPECT_NEAR(m->nuY, displacementFactor(m->alphaH), 1e-9);
    }
    const auto shortPile = coefficientM({PileShape::Round, 0.8, 3e5, 2.0}, 200, 0.01);
    ASSERT_TRUE(shortPile);
    EXPECT_TRUE(shortPile->belowTable);
}

TEST(SoilCoefficient, UnusableInputsGiveNoValue)
{
    EXPECT_FALSE(coefficientM({PileShape::Round, 0, 1e5, 10}, 100, 0.01));
    EXPECT_FALSE(coefficientM({PileShape::Round, 0.6, 0, 10}, 100, 0.01));
    EXPECT_FALSE(coefficientM({PileShape::Round, 0.6, 1e5, 10}, 0, 0.01));
    EXPECT_FALSE(coefficientM({PileShape::Round, 0.6, 1e5, 10}, 100, 0));
    EXPECT_FALSE(inputProblem({PileShape::Round, 0.6, 0, 10}).empty());
    EXPECT_TRUE(inputProblem({PileShape::Round, 0.6, 1e5, 10}).empty());
}

} // namespace
} // namespace pyx
