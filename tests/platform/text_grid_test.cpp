#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_grid.h"

namespace pyx {
namespace {

// A grid of `texts` (rows of cells) with `fixed` header rows.
TextGrid gridOf(const std::vector<std::vector<std::string>>& texts, int fixed)
{
    TextGrid g;
    g.setCols(static_cast<int>(texts.front().size()));
    g.setRows(static_cast<int>(texts.size()));
    g.setFixedRows(fixed);
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            g.setText(r, c, texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    return g;
}

struct CountingView : GridView
{
    int changes = 0;
    int focuses = 0;
    void gridChanged() override { ++changes; }
    void focusGrid() override { ++focuses; }
};

TEST(TextGridSpans, TwoRowHeaderMergesAcrossAndDown)
{
    TextGrid g = gridOf(
        {{"序号", "荷载(kN)", "观测时间", "循环数", "加载位移(mm)", "加载位移(mm)", "加载位移(mm)",
          "加载位移(mm)", "卸载位移(mm)", "卸载位移(mm)"},
         {"序号", "荷载(kN)", "观测时间", "循环数", "上表1", "上表2", "下表1", "下表2", "上表1", "上表2"},
         {"1", "10", "08:00", "1", "1.00", "1.00", "--", "--", "1.00", "1.00"}},
        2);
    g.setMergeMode(MergeMode::FixedOnly);
    g.setMergeRow(0, true);
    for (int c = 0; c < 4; ++c)
        g.setMergeCol(c, true);
    const std::vector<CellSpan> expected = {
        {0, 0, 2, 1}, {0, 1, 2, 1}, {0, 2, 2, 1}, {0, 3, 2, 1}, {0, 4, 1, 4}, {0, 8, 1, 2},
    };
    EXPECT_EQ(g.spans(), expected);

    g.setMergeMode(MergeMode::Never);
    EXPECT_TRUE(g.spans().empty());
}

TEST(TextGridSpans, RowMergeSkipsCellsHeldByAColumnRange)
{
    // Row 0 reads A A A; column 0 merges down, so only columns 1 and 2 merge across.
    TextGrid g = gridOf({{"A", "A", "A"}, {"A", "x", "y"}, {"d", "d", "d"}}, 2);
    g.setMergeMode(MergeMode::FixedOnly);
    g.setMergeRow(0, true);
    g.setMergeRow(2, true); // a data row: not merged under FixedOnly
    g.setMergeCol(0, true);
    const std::vector<CellSpan> expected = {{0, 0, 2, 1}, {0, 1, 1, 2}};
    EXPECT_EQ(g.spans(), expected);
}

TEST(TextGridSpans, DataCellsMergeOnlyUnderRestrictAllAndNeverAcrossTheHeader)
{
    TextGrid g = gridOf({{"荷载", ""}, {"10", ""}, {"10", ""}, {"20", ""}, {"", ""}, {"", ""}}, 1);
    g.setMergeCol(0, true);
    g.setMergeMode(MergeMode::FixedOnly);
    EXPECT_TRUE(g.spans().empty());
    g.setMergeMode(MergeMode::RestrictAll);
    const std::vector<CellSpan> expected = {{1, 0, 2, 1}}; // blank cells never merge
    EXPECT_EQ(g.spans(), expected);

    g.setText(1, 0, "荷载"); // same text as the header above it
    EXPECT_EQ(g.spans(), (std::vector<CellSpan>{}));
}

TEST(TextGridSpans, RestrictedRuleFollowsTheNearestMergeableColumnToTheLeft)
{
    // Column 1 is not mergeable, so column 2 is restricted by column 0.
    TextGrid g = gridOf({{"h", "h", "h"},
                         {"10", "a", "1"},
                         {"10", "a", "1"},
                         {"10", "a", "1"},
                         {"20", "a", "1"},
                         {"20", "b", "1"}},
                        1);
    g.setMergeMode(MergeMode::RestrictAll);
    g.setMergeCol(0, true);
    g.setMergeCol(2, true);
    const std::vector<CellSpan> expected = {{1, 0, 3, 1}, {1, 2, 3, 1}, {4, 0, 2, 1}, {4, 2, 2, 1}};
    EXPECT_EQ(g.spans(), expected);

    // Serial numbers in the first mergeable column keep every data row apart; with
    // column 0 no longer mergeable, column 1 is the first and merges freely.
    g.setMergeCol(1, true);
    for (int r = 1; r < 6; ++r)
        g.setText(r, 0, std::to_string(r));
    EXPECT_TRUE(g.spans().empty());
    g.setMergeCol(0, false);
    g.setMergeCol(2, false);
    EXPECT_EQ(g.spans(), (std::vector<CellSpan>{{1, 1, 4, 1}}));
}

TEST(TextGridEditing, KeyFilterDiscardsAndReplacesKeys)
{
    TextGrid g = gridOf({{"h", "h"}, {"", ""}}, 1);
    std::vector<int> seen;
    g.onKeyPress = [&](int row, int col, int& key) {
        EXPECT_EQ(row, 1);
        EXPECT_EQ(col, 1);
        seen.push_back(key);
        if (key == 'a')
            key = 0;
        if (key == ',')
            key = '.';
    };
    EXPECT_EQ(g.typeKeys(1, 1, "12a,5"), "12.5");
    EXPECT_EQ(seen, (std::vector<int>{'1', '2', 'a', ',', '5'}));
    EXPECT_EQ(g.typeKeys(1, 1, "\b\b3", "12.5"), "123");
    EXPECT_EQ(g.typeKeys(1, 1, "\r", "7"), "7");
    EXPECT_EQ(seen.back(), 13);

    seen.clear();
    EXPECT_EQ(g.typeKeys(1, 1, "桩\b号", "试"), "试号"); // backspace removes a whole character
    EXPECT_EQ(seen.front(), 0x6869);
}

TEST(TextGridEditing, CommitRunsValidationThenAfterEdit)
{
    TextGrid g = gridOf({{"h"}, {"old"}}, 1);
    g.setEditable(true);
    std::vector<std::string> events;
    g.onValidate = [&](int row, int col, const std::string& text, bool& cancel) {
        events.push_back("validate " + std::to_string(row) + "," + std::to_string(col) + " " + text);
        cancel = text.size() > 3;
    };
    g.onAfterEdit = [&](int row, int col) {
        events.push_back("after " + std::to_string(row) + "," + std::to_string(col));
        g.setText(row, col, "[" + g.text(row, col) + "]");
    };
    EXPECT_FALSE(g.commitEdit(1, 0, "toolong"));
    EXPECT_EQ(g.text(1, 0), "old");
    EXPECT_TRUE(g.commitEdit(1, 0, "new"));
    EXPECT_EQ(g.text(1, 0), "[new]");
    EXPECT_EQ(events, (std::vector<std::string>{"validate 1,0 toolong", "validate 1,0 new", "after 1,0"}));

    events.clear();
    EXPECT_FALSE(g.commitEdit(0, 0, "x")); // header cells are never edited
    EXPECT_FALSE(g.commitEdit(5, 0, "x"));
    g.setEditable(false);
    EXPECT_FALSE(g.commitEdit(1, 0, "x"));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(g.text(0, 0), "h");
}

TEST(TextGridStructure, InsertAndRemoveRowsKeepCellsAndFlagsTogether)
{
    TextGrid g = gridOf({{"h", "h"}, {"1", "a"}, {"2", "b"}, {"3", "c"}}, 1);
    g.setMergeRow(2, true);
    g.insertRow(2);
    ASSERT_EQ(g.rows(), 5);
    EXPECT_EQ(g.text(2, 0), "");
    EXPECT_EQ(g.text(3, 1), "b");
    EXPECT_FALSE(g.mergeRow(2));
    EXPECT_TRUE(g.mergeRow(3));
    g.insertRow(5); // at the end
    EXPECT_EQ(g.rows(), 6);
    g.insertRow(7); // beyond the end: ignored
    EXPECT_EQ(g.rows(), 6);

    g.setCurrent(5, 1);
    g.removeRow(5);
    g.removeRow(4);
    EXPECT_EQ(g.rows(), 4);
    EXPECT_EQ(g.currentRow(), 3); // the current row stays inside the grid
    g.removeRow(-1);
    g.removeRow(4);
    EXPECT_EQ(g.rows(), 4);
    EXPECT_EQ(g.text(3, 1), "b");
}

TEST(TextGridStructure, OutOfRangeAccessIsHarmlessAndClearKeepsTheShape)
{
    TextGrid g = gridOf({{"a", "b"}, {"c", "d"}}, 1);
    g.setText(9, 0, "x");
    g.setText(0, -1, "x");
    EXPECT_EQ(g.text(9, 0), "");
    EXPECT_EQ(g.colWidth(7), TextGrid::kDefaultWidth);
    g.setColWidth(1, 835);
    g.setMergeCol(0, true);
    g.setColAlign(1, CellAlign::Center);
    g.clear();
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.cols(), 2);
    EXPECT_EQ(g.text(0, 0), "");
    EXPECT_EQ(g.colWidth(1), TextGrid::kDefaultWidth);
    EXPECT_FALSE(g.mergeCol(0));
    EXPECT_EQ(g.colAlign(1), CellAlign::Center);

    g.setRows(3);
    g.setCols(3);
    EXPECT_EQ(g.text(2, 2), "");
    g.setText(2, 2, "z");
    EXPECT_EQ(g.text(2, 2), "z");
}

TEST(TextGridStructure, ChangesAndFocusReachTheView)
{
    TextGrid g;
    CountingView view;
    g.attach(&view);
    g.setCols(2);
    g.setRows(2);
    g.setText(1, 1, "x");
    g.setCurrent(1, 1);
    g.setCurrent(1, 1); // no change, no redraw
    EXPECT_EQ(view.changes, 4);
    g.focus();
    EXPECT_EQ(view.focuses, 1);
    g.attach(nullptr);
    g.setText(0, 0, "y");
    EXPECT_EQ(view.changes, 4);
}

} // namespace
} // namespace pyx
