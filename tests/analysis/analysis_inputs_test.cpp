// The per-test analysis inputs: the width read from "桩径", the sidecar file beside the data
// file (written atomically, read back, damaged files), and the analysis of a test built in
// memory with its marks and inputs.

#include <gtest/gtest.h>

#include "analysis/analysis_inputs.h"
#include "analysis/analysis_report.h"
#include "analysis/test_analysis.h"
#include "curves/marks.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

TEST(AnalysisInputs, WidthFromTheDiameterText)
{
    const auto metres = [](const char* t) { return widthFromDiameterText(t).metres; };
    EXPECT_DOUBLE_EQ(*metres("1000"), 1.0);
    EXPECT_DOUBLE_EQ(*metres("800mm"), 0.8);
    EXPECT_DOUBLE_EQ(*metres("Φ600"), 0.6);
    EXPECT_DOUBLE_EQ(*metres("0.8"), 0.8);
    EXPECT_DOUBLE_EQ(*metres("1.2 m"), 1.2);
    EXPECT_DOUBLE_EQ(*metres("D=1.5m"), 1.5);
    for (const char* unclear : {"", "约", "50", "12cm", "0"}) {
        SCOPED_TRACE(unclear);
        EXPECT_FALSE(metres(unclear));
        EXPECT_TRUE(widthFromDiameterText(unclear).unclear);
    }
}

TEST(AnalysisInputs, SidecarRoundTripAndDamagedFiles)
{
    test::TempDir dir;
    const std::string data = dir.write("SZ-1.pyx", "x");
    InputsRead none = readAnalysisInputs(data);
    EXPECT_FALSE(none.found);
    EXPECT_TRUE(none.problem.empty());

    AnalysisInputs in;
    in.shape = PileShape::Square;
    in.width = 0.45;
    in.ei = 1.25e5;
    in.embedded = 18.5;
    in.rule = CharacteristicRule::Displacement6;
    ASSERT_TRUE(writeAnalysisInputs(data, in));
    EXPECT_EQ(analysisInputsPath(data), data + ".analysis.json");
    const InputsRead back = readAnalysisInputs(data);
    EXPECT_TRUE(back.found);
    EXPECT_TRUE(back.problem.empty());
    EXPECT_EQ(back.inputs, in);
    EXPECT_EQ(test::TempDir::read(data), "x"); // the data file is not touched

    // Values left out stay unset.
    in = AnalysisInputs{};
    in.width = 1.0;
    ASSERT_TRUE(writeAnalysisInputs(data, in));
    EXPECT_EQ(readAnalysisInputs(data).inputs, in);

    for (const char* bad : {"", "{", "{\"width_m\": }", "[1,2]", "{\"a\": {\"b\": 1}}", "{} x"}) {
        SCOPED_TRACE(bad);
        dir.write("SZ-1.pyx.analysis.json", bad);
        const InputsRead r = readAnalysisInputs(data);
        EXPECT_TRUE(r.found);
        EXPECT_FALSE(r.problem.empty());
        EXPECT_EQ(r.inputs, AnalysisInputs{});
    }
    // Unknown keys and unusable values are ignored.
    dir.write("SZ-1.pyx.analysis.json",
              "{\"width_m\": -2, \"ei_kNm2\": \"abc\", \"x\": true, \"embedded_m\": 9}");
    const InputsRead odd = readAnalysisInputs(data);
    EXPECT_TRUE(odd.problem.empty());
    EXPECT_FALSE(odd.inputs.width);
    EXPECT_FALSE(odd.inputs.ei);
    EXPECT_DOUBLE_EQ(*odd.inputs.embedded, 9);
}

// A record table of `stages` stages of 50 kN, five cycles each, whose last-cycle displacement
// is straight to 250 kN, steeper to 450 kN and steeper again.
std::unique_ptr<TestData> testWithBreaks(int stages)
{
    auto d = std::make_unique<TestData>();
    d->curfile = "t.pys";
    double y = 0;
    int r = 0;
    for (int s = 1; s <= stages; ++s) {
        const double h = 50.0 * s;
        y += 50 * (h <= 250 ? 0.012 : h <= 450 ? 0.03 : 0.09);
        for (int c = 1; c <= 5; ++c, ++r) {
            d->jlbp[r].hz = static_cast<float>(h);
            d->jlbp[r].xh = static_cast<std::int16_t>(c);
            d->jlbp[r].ds[dispLoading] = static_cast<float>(y * (0.9 + 0.02 * c));
        }
    }
    d->jlbp[r].hz = kEndLoad;
    d->jlbn = static_cast<std::int16_t>(r);
    return d;
}

TEST(TestAnalysis, MarksSuggestionsMAndCharacteristicValue)
{
    auto d = testWithBreaks(12);
    const int gridRows = d->jlbn + 1;
    AnalysisInputs in;
    in.width = 0.8;
    in.ei = 4.0e5;
    in.embedded = 20;
    TestAnalysis a = analyseTest(*d, gridRows, in);
    ASSERT_EQ(a.points.size(), 12u);
    EXPECT_EQ(a.suggestions.gradient.hcrStage, 5);
    EXPECT_EQ(a.suggestions.gradient.huStage, 9);
    EXPECT_EQ(a.hcrSource, HcrSource::Suggestion);
    EXPECT_DOUBLE_EQ(*a.hcr, 250);
    EXPECT_DOUBLE_EQ(a.b0, 0.9 * (1.5 * 0.8 + 0.5));
    ASSERT_EQ(a.mByStage.size(), 12u);
    ASSERT_TRUE(a.mAtHcr && a.mAtHcr->m);
    EXPECT_NEAR(a.mAtHcr->y0, a.points[4].y0, 1e-12);
    EXPECT_NEAR(a.mAtHcr->m->m, a.mByStage[4].m->m, 1e-9);
    ASSERT_TRUE(a.mAt10 && a.mAt10->m);
    EXPECT_DOUBLE_EQ(a.mAt10->y0, 10);
    EXPECT_DOUBLE_EQ(*a.characteristic.value, 0.75 * 250);
    // Without a mark the value rests on the suggestions and says so.
    EXPECT_EQ(a.characteristic.basis, ValueBasis::Suggestion);
    EXPECT_TRUE(a.characteristic.pending());
    EXPECT_NE(characteristicSection(a).rows[1][3].find(kPendingLabel), std::string::npos);

    // The user's mark wins over the suggestions; the displacement rules interpolate.
    markIndex(*d, 0) = 3; // stage 4
    markIndex(*d, 1) = 8;
    in.rule = CharacteristicRule::Displacement6;
    a = analyseTest(*d, gridRows, in);
    EXPECT_EQ(a.hcrSource, HcrSource::Mark);
    EXPECT_EQ(a.markedHcrStage, 4);
    EXPECT_DOUBLE_EQ(*a.markedHu, 450);
    EXPECT_DOUBLE_EQ(*a.hcr, 200);
    EXPECT_NEAR(*a.characteristic.basisLoad, *loadAt(a.points, 6), 1e-12);
    EXPECT_DOUBLE_EQ(*a.characteristic.value, 0.75 * *a.characteristic.basisLoad);
    EXPECT_EQ(a.characteristic.basis, ValueBasis::Displacement);
    in.rule = CharacteristicRule::CriticalLoad;
    a = analyseTest(*d, gridRows, in);
    EXPECT_EQ(a.characteristic.basis, ValueBasis::Marks);
    EXPECT_DOUBLE_EQ(*a.characteristic.value, 150);
    EXPECT_FALSE(a.characteristic.pending());
    // GB 50007-2011 with cracks allowed: half the ultimate load; its rules only.
    in.standard = Standard::Gb50007;
    in.rule = CharacteristicRule::UltimateLoad;
    a = analyseTest(*d, gridRows, in);
    EXPECT_DOUBLE_EQ(*a.characteristic.value, 225);
    EXPECT_NE(a.characteristic.ruleText.find("GB 50007-2011"), std::string::npos);
    EXPECT_EQ(ruleUnder(Standard::Jgj106, CharacteristicRule::UltimateLoad),
              CharacteristicRule::CriticalLoad);
    EXPECT_EQ(ruleUnder(Standard::Gb50007, CharacteristicRule::Displacement6),
              CharacteristicRule::CriticalLoad);
    in.standard = Standard::Jgj106;
    // The design's allowable displacement: the load at it, not reduced.
    in.rule = CharacteristicRule::Allowable;
    in.allowableMm = 8;
    a = analyseTest(*d, gridRows, in);
    EXPECT_NEAR(*a.characteristic.value, *loadAt(a.points, 8), 1e-12);
    in.allowableMm.reset();
    EXPECT_FALSE(analyseTest(*d, gridRows, in).characteristic.value);
    in.allowableMm = 8;
    // The inputs keep the standard and the allowable displacement.
    in.standard = Standard::Gb50007;
    in.rule = CharacteristicRule::UltimateLoad;
    EXPECT_EQ(*inputsFromJson(inputsJson(in)), in);

    // Without EI, m cannot be computed and says why; a test that never reaches 10 mm has no
    // load there.
    in.ei.reset();
    in.standard = Standard::Jgj106;
    in.rule = CharacteristicRule::Displacement10;
    auto small = testWithBreaks(5);
    a = analyseTest(*small, small->jlbn + 1, in);
    EXPECT_FALSE(a.inputProblem.empty());
    EXPECT_FALSE(a.mByStage[0].m);
    EXPECT_FALSE(a.characteristic.value);
    EXPECT_FALSE(a.characteristic.reason.empty());
}

} // namespace
} // namespace pyx
