#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "analysis/pile_summary.h"
#include "samplegen/sample_files.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

samples::CyclicTest markedTest(const std::string& pile, float mark1, float mark2)
{
    samples::CyclicTest t;
    t.header.pile = pile;
    t.header.mark1 = mark1;
    t.header.mark2 = mark2;
    t.header.mark1Text = "Hcr";
    t.header.mark2Text = "Hu";
    return t;
}

// A logger file and a record file give their rows through the program's Open; the marked
// points' loads are Hcr and Hu; the file stays as it was.
TEST(PileSummary, RowsComeFromTheOpenedTests)
{
    const test::TempDir dir;
    const std::string logger =
        samples::loggerFile(markedTest("SZ-1", 5, 8), samples::LoggerMode::LevelRecords);
    const std::string loggerPath = dir.write("a.pyx", logger);
    const std::string recordPath = dir.write("b.pys", samples::recordFile(markedTest("SZ-2", 4, 0)));

    const PileRow a = readPile(loggerPath);
    ASSERT_TRUE(a.opened);
    EXPECT_EQ(a.pile, "SZ-1");
    EXPECT_EQ(a.project, "城西快速路跨河大桥桩基检测工程");
    EXPECT_EQ(a.date, "2024-05-16");
    EXPECT_EQ(a.diameter, "1000");
    EXPECT_EQ(a.length, "28.5");
    ASSERT_TRUE(a.maxLoad && a.hcr && a.hu && a.y0AtMax);
    EXPECT_DOUBLE_EQ(*a.maxLoad, 400);
    EXPECT_DOUBLE_EQ(*a.hcr, 240);
    EXPECT_EQ(a.hcrStage, 6);
    EXPECT_DOUBLE_EQ(*a.hu, 360);
    EXPECT_EQ(a.points.size(), 10u);
    EXPECT_DOUBLE_EQ(*a.y0AtMax, a.points.back().y0);
    EXPECT_EQ(test::TempDir::read(loggerPath), logger);

    const PileRow b = readPile(recordPath);
    ASSERT_TRUE(b.opened);
    EXPECT_DOUBLE_EQ(*b.hcr, 200);
    EXPECT_FALSE(b.hu);
    EXPECT_NE(std::find(b.notes.begin(), b.notes.end(), "未标记极限荷载Hu"), b.notes.end());

    const PileRow missing = readPile(dir.file("none.pys"));
    EXPECT_FALSE(missing.opened);
    ASSERT_FALSE(missing.notes.empty());
    EXPECT_NE(missing.notes[0].find("文件打开失败"), std::string::npos);
}

// The analysis' suggestion stands beside the marks; a mark more than one stage from it is noted.
TEST(PileSummary, MarksFarFromTheSuggestionStandOut)
{
    const PileRow r = readPile(std::string(PYX_SOURCE_DIR) + "/samples/unit/SZ-03.pyx");
    ASSERT_TRUE(r.opened);
    const Suggestion* s = shownSuggestion(r.suggestions);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(suggestionText(r), numberOrDash(s->hcr) + " / " + numberOrDash(s->hu));
    // Where the shown method suggests no Hu (no second inflection) there is nothing to compare.
    EXPECT_EQ(r.hcrDoubtful, s->hcrStage > 0 && std::abs(r.hcrStage - s->hcrStage) > 1);
    EXPECT_EQ(r.huDoubtful, s->huStage > 0 && std::abs(r.huStage - s->huStage) > 1);
    const bool noted = std::any_of(r.notes.begin(), r.notes.end(), [](const std::string& n) {
        return n.find("分析建议第") != std::string::npos;
    });
    EXPECT_EQ(noted, r.hcrDoubtful || r.huDoubtful);
    EXPECT_NE(suggestionDetail(r).find("H0-△Y0/△H0："), std::string::npos);

    PileRow unopened;
    EXPECT_EQ(suggestionText(unopened), "—");
}

// A pile without marks is listed and left out of the statistics with a note.
TEST(PileSummary, APileWithoutMarksIsListedAndLeftOut)
{
    const test::TempDir dir;
    UnitSummary s;
    for (const auto& [name, mark] : {std::pair{"SZ-1", 5.0f}, {"SZ-2", 0.0f}, {"SZ-3", 6.0f}})
        s.rows.push_back(
            readPile(dir.write(std::string(name) + ".pys", samples::recordFile(markedTest(name, mark, 0)))));
    summarize(s);
    ASSERT_EQ(s.rows.size(), 3u);
    EXPECT_TRUE(s.rows[1].opened);
    EXPECT_FALSE(s.rows[1].hcr);
    ASSERT_EQ(s.hcr.steps.size(), 1u);
    EXPECT_EQ(s.hcr.steps[0].count(), 2);
    EXPECT_EQ(s.hcr.rule, StatsRule::FewPiles);
    EXPECT_DOUBLE_EQ(*s.hcr.value, 240);
    ASSERT_EQ(s.hcrNotes.size(), 1u);
    EXPECT_EQ(s.hcrNotes[0], "试桩 SZ-2 未标记临界荷载，不参加统计");
    EXPECT_EQ(s.huNotes.size(), 3u);
    EXPECT_DOUBLE_EQ(*s.characteristic().value, 180);
}

TEST(PileSummary, WarningsWhenPilesDiffer)
{
    std::vector<PileRow> rows(4);
    for (PileRow& r : rows) {
        r.opened = true;
        r.points = {StagePoint{1, 4, 100, 1, 0.01}};
        r.project = "P";
        r.diameter = "1000";
        r.length = "28.5";
        r.date = "2024-05-16";
    }
    // A file of other data opens too, without load stages: it is not compared.
    rows[3].points.clear();
    rows[3].project = "?";
    rows[3].diameter = "x";
    EXPECT_TRUE(consistencyWarnings(rows, {}).empty());
    rows[1].diameter = "1200mm";
    rows[2].date = "2024年7月1日";
    rows[0].length = "约28m";
    const auto w = consistencyWarnings(rows, {});
    ASSERT_EQ(w.size(), 3u);
    EXPECT_NE(w[0].find("桩径相差超过5%"), std::string::npos);
    EXPECT_NE(w[1].find("约28m"), std::string::npos);
    EXPECT_EQ(w[2], "各试桩的测试日期相差 46 天，超过 30 天");
    EXPECT_EQ(*dayNumber("2024.5.16"), *dayNumber("2024/05/16"));
    EXPECT_FALSE(dayNumber("五月"));
}

} // namespace
} // namespace pyx
