#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "curves/marks.h"

namespace pyx {
namespace {

TEST(HoverTest, HitsThePointInsideItsOpenBox)
{
    GradPoints gpts{};
    gpts[0] = {100, 200};
    gpts[1] = {300, 400};
    for (int j = 2; j < kGradPointCount; ++j)
        gpts[j] = {500, 500};
    Hover h;
    hoverTest(gpts, 107.9, 192.1, h);
    EXPECT_TRUE(h.hit);
    EXPECT_EQ(h.point, 0);
    hoverTest(gpts, 305, 404, h);
    EXPECT_EQ(h.point, 1);
    hoverTest(gpts, 108, 200, h); // the box edge is outside
    EXPECT_FALSE(h.hit);
    EXPECT_EQ(h.point, 1);         // keeps the last point
    hoverTest(gpts, 2000, 500, h); // clamped to 1000
    EXPECT_FALSE(h.hit);
}

TEST(HoverTest, EmptyEntriesLieAtTheOrigin)
{
    GradPoints gpts{};
    gpts[0] = {100, 200};
    gpts[1] = {300, 400};
    Hover h;
    hoverTest(gpts, 7.5, 7.5, h);
    EXPECT_TRUE(h.hit);
    EXPECT_EQ(h.point, 2);
    hoverTest(gpts, -30, std::nan(""), h); // both clamped to 0
    EXPECT_TRUE(h.hit);
    EXPECT_EQ(h.point, 2);
}

struct MarkClickTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    Hover at(float point) { return Hover{true, point}; }
};

TEST_F(MarkClickTest, ClicksFillMarkOneThenMarkTwo)
{
    EXPECT_TRUE(markClickedPoint(*d, at(3)));
    EXPECT_EQ(markIndex(*d, 0), 3);
    EXPECT_EQ(markText(*d, 0).trimmed(), "Hcr");
    EXPECT_TRUE(markClickedPoint(*d, at(6)));
    EXPECT_EQ(markIndex(*d, 1), 6);
    EXPECT_TRUE(markClickedPoint(*d, at(8)));
    EXPECT_EQ(markIndex(*d, 1), 8);
    EXPECT_EQ(markIndex(*d, 0), 3);
    EXPECT_FALSE(markClickedPoint(*d, at(8)));
    EXPECT_FALSE(markClickedPoint(*d, Hover{false, 4}));
}

TEST_F(MarkClickTest, TheFirstPointCannotBeMarked)
{
    markText(*d, 0).set("临界");
    EXPECT_FALSE(markClickedPoint(*d, at(0)));
    markText(*d, 0).set("");
    EXPECT_TRUE(markClickedPoint(*d, at(0))); // only the text changes
    EXPECT_EQ(markIndex(*d, 0), 0);
    EXPECT_EQ(markText(*d, 0).trimmed(), "Hcr");
}

TEST(MarkedPoint, RoundsHalfToEvenInsideTheList)
{
    EXPECT_EQ(markedPoint(2.5f), 2);
    EXPECT_EQ(markedPoint(3.5f), 4);
    EXPECT_EQ(markedPoint(30), 30);
    EXPECT_EQ(markedPoint(31), std::nullopt);
    EXPECT_EQ(markedPoint(-1), std::nullopt);
}

} // namespace
} // namespace pyx
