#include <gtest/gtest.h>

#include "analysis/analysis_report.h"
#include "analysis/pile_summary.h"
#include "data/numfmt.h"

namespace pyx {
namespace {

// A displacement is a stored reading: the analysis and the statistics round it as the summary
// tables do (the float's decimal text), not as the double it was widened to.
TEST(DisplacementTextTest, ReadsAsInTheSummaryTables)
{
    for (const float mm : {0.285f, 4.955f, 1.005f, 0.125f, 12.3449f, 0.0f, -0.015f})
        EXPECT_EQ(displacementText(mm), formatSingle(mm, "#0.00")) << mm;
    EXPECT_EQ(displacementText(0.285f), "0.29");
    EXPECT_EQ(displacementText(4.955f), "4.96");
    EXPECT_EQ(displacementOrDash(std::optional<double>(4.955f)), "4.96");
    EXPECT_EQ(displacementOrDash(std::nullopt), "—");

    TestAnalysis a;
    a.mByStage.push_back(MPoint{250, 4.955f, std::nullopt});
    a.mAt6 = MPoint{300, 0.285f, std::nullopt};
    const AnalysisSection m = mSection(a);
    EXPECT_EQ(m.rows[2][2], "0.29");
    const AnalysisSection byStage = mByStageSection(a);
    EXPECT_EQ(byStage.rows[1][2], "4.96");
}

} // namespace
} // namespace pyx
