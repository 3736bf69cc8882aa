#include <gtest/gtest.h>

#include <memory>

#include "curve_ops.h"
#include "curves/gradient_curve.h"
#include "curves/marks.h"

namespace pyx {
namespace {

using test::texts;

struct SuggestedPointsTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    RecordingCanvas canvas;
    GradPoints gpts{};
    std::vector<SuggestedStages> s;

    SuggestedPointsTest()
    {
        for (int k = 0; k < 10; ++k)
            gpts[static_cast<std::size_t>(k)] = {100.0f * static_cast<float>(k + 1),
                                                 40.0f * static_cast<float>(k + 1)};
        // Two methods name stage 4 and 8, the third stage 5 and 8.
        s = {{4, 8}, {4, 8}, {5, 8}};
    }
    // The suggestion labels drawn, with the point (1-based stage) under each.
    std::vector<std::pair<std::string, int>> labels()
    {
        canvas = RecordingCanvas();
        drawSuggestedPoints(canvas, *d, gpts, s);
        std::vector<std::pair<std::string, int>> out;
        for (const auto& t : texts(canvas.ops()))
            out.emplace_back(t.text, static_cast<int>(t.x / 100));
        return out;
    }
};

TEST_F(SuggestedPointsTest, AMarkedPointKeepsOneLabel)
{
    using Labels = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(labels(), (Labels{{"Hcr?", 4}, {"Hcr?", 5}, {"Hu?", 8}}));

    // Confirmed marks on stages 4 and 8: their own labels stand there alone.
    markIndex(*d, 0) = 3;
    markIndex(*d, 1) = 7;
    EXPECT_EQ(labels(), (Labels{{"Hcr?", 5}}));

    // A mark that says something else than the suggestion there: the suggestion's other name
    // moves below the point, clear of the mark's text.
    markIndex(*d, 0) = 7; // Hcr marked where the methods suggest Hu
    markIndex(*d, 1) = 0;
    const Labels moved = labels();
    EXPECT_EQ(moved, (Labels{{"Hcr?", 4}, {"Hcr?", 5}, {"Hu?", 8}}));
    const auto all = texts(canvas.ops());
    EXPECT_LT(all[2].y, gpts[7].y);
    EXPECT_GT(all[0].y, gpts[3].y);
}

} // namespace
} // namespace pyx
