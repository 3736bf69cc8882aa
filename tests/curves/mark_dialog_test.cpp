#include <gtest/gtest.h>

#include <memory>

#include "curves/mark_dialog.h"
#include "curves/marks.h"

namespace pyx {
namespace {

struct MarkDialogTest : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    bool markhere = false;

    void marks(float m1, float m2)
    {
        markIndex(*d, 0) = m1;
        markIndex(*d, 1) = m2;
    }
};

TEST_F(MarkDialogTest, OpeningStoresTheHoveredPointInAnEmptyFirstMark)
{
    markhere = true;
    MarkDialog dlg(*d, markhere, 4);
    EXPECT_TRUE(dlg.storedOnOpen());
    EXPECT_EQ(markIndex(*d, 0), 4);
    EXPECT_EQ(dlg.text[0], "5");
    EXPECT_EQ(dlg.text[1], "");
    EXPECT_EQ(dlg.text[2], "Hcr");
    EXPECT_EQ(dlg.text[3], "");
    EXPECT_TRUE(markhere); // only OK resets it

    marks(0, 6);
    MarkDialog second(*d, markhere, 2);
    EXPECT_EQ(markIndex(*d, 0), 2);
    EXPECT_EQ(second.text[1], "7");
}

TEST_F(MarkDialogTest, WithBothMarksTheHoveredPointReplacesTheNearerSide)
{
    markhere = true;
    for (const auto& [hovered, which] : {std::pair{2, 0}, {5, 0}, {6, 1}, {9, 1}}) {
        marks(3, 7);
        MarkDialog dlg(*d, markhere, static_cast<float>(hovered));
        EXPECT_EQ(markIndex(*d, which), hovered) << hovered;
        EXPECT_EQ(markIndex(*d, 1 - which), which == 0 ? 7 : 3) << hovered;
    }
}

TEST_F(MarkDialogTest, OpeningWithoutMarkHereShowsTheMarks)
{
    marks(3, 7);
    markText(*d, 1).set("  Hu ");
    MarkDialog dlg(*d, markhere, 9);
    EXPECT_FALSE(dlg.storedOnOpen());
    EXPECT_EQ(dlg.text[0], "4");
    EXPECT_EQ(dlg.text[1], "8");
    EXPECT_EQ(dlg.text[3], "Hu");
}

TEST_F(MarkDialogTest, StageNumbersBecomePointIndexes)
{
    marks(3, 7);
    markhere = true;
    MarkDialog dlg(*d, markhere, 5);
    dlg.text = {"1", "12", " 临界荷载 ", ""};
    dlg.ok();
    EXPECT_TRUE(dlg.accepted());
    EXPECT_FALSE(markhere);
    EXPECT_EQ(markIndex(*d, 0), 0); // stage 1 is the first point: no mark
    EXPECT_EQ(markIndex(*d, 1), 11);
    EXPECT_EQ(dlg.mhz2, 12);
    EXPECT_EQ(markText(*d, 0).trimmed(), "临界荷载");
    EXPECT_EQ(markText(*d, 1).trimmed(), "");

    dlg.text = {"", "abc", "x", "y"};
    dlg.ok();
    EXPECT_EQ(markIndex(*d, 0), 0);
    EXPECT_EQ(markIndex(*d, 1), 0);
    EXPECT_EQ(dlg.mhz1, 1);
}

TEST_F(MarkDialogTest, StageBoxesFilterKeysAndFixTheirTextOnLeaving)
{
    EXPECT_TRUE(MarkDialog::stageKeyAccepted(U'0'));
    EXPECT_TRUE(MarkDialog::stageKeyAccepted(U'9'));
    EXPECT_TRUE(MarkDialog::stageKeyAccepted(kBackspace));
    EXPECT_FALSE(MarkDialog::stageKeyAccepted(U'-'));
    EXPECT_FALSE(MarkDialog::stageKeyAccepted(U'.'));
    EXPECT_FALSE(MarkDialog::stageKeyAccepted(U'１'));

    MarkDialog dlg(*d, markhere, 0);
    dlg.text[0] = "123456";
    dlg.text[1] = "123456";
    dlg.stageBoxLeft(0);
    dlg.stageBoxLeft(1);
    EXPECT_EQ(dlg.text[0], "0");
    EXPECT_EQ(dlg.text[1], "123456");
    dlg.text[0] = "12345";
    dlg.text[1] = "";
    dlg.stageBoxLeft(0);
    dlg.stageBoxLeft(1);
    EXPECT_EQ(dlg.text[0], "12345");
    EXPECT_EQ(dlg.text[1], "0");
}

TEST_F(MarkDialogTest, ClearMarksKeepsTheTexts)
{
    marks(3, 7);
    markText(*d, 0).set("Hcr");
    markText(*d, 1).set("Hu");
    MarkDialog dlg(*d, markhere, 0);
    dlg.clearMarks();
    EXPECT_EQ(dlg.text[0], "0");
    EXPECT_EQ(dlg.text[1], "0");
    EXPECT_EQ(markIndex(*d, 0), 3); // nothing stored before OK
    dlg.ok();
    EXPECT_EQ(markIndex(*d, 0), 0);
    EXPECT_EQ(markIndex(*d, 1), 0);
    EXPECT_EQ(markText(*d, 0).trimmed(), "Hcr");
    EXPECT_EQ(markText(*d, 1).trimmed(), "Hu");
}

} // namespace
} // namespace pyx
