#include <gtest/gtest.h>

#include "platform/page_outline.h"

namespace pyx {
namespace {

using Row = std::vector<std::optional<std::string>>;

struct PageOutlineTest : ::testing::Test
{
    FixedTextMeasure measure;
    PageDocument doc{measure, PageSetup{.marginTop = 1440}}; // one-inch margins above and below

    void stamp(int page, int total)
    {
        doc.textBox("第 " + std::to_string(page) + " 页 共 " + std::to_string(total) + " 页", 4800, 15600,
                    3000, 1000, TextBoxRole::PageStamp);
    }
};

TEST_F(PageOutlineTest, PagesListTheirStampParagraphsTablesAndPictures)
{
    doc.start("Tahoma");
    doc.paragraph("单桩水平静载试验数据记录表");
    doc.paragraph("");
    Table t(4, 3);
    t.setText(1, 1, "工程名称：某工程");
    t.span(1, 1, 1, 3);
    t.setText(1, 4, "试桩编号：S1");
    t.setText(2, 1, "荷载(kN)");
    t.span(2, 1, 3, 1);
    t.setText(2, 2, "50");
    t.setText(3, 1, "hidden"); // covered: never shown
    doc.table(t);
    doc.textBox("说明", 0, 0, 1000, 300);
    stamp(1, 2);
    doc.newPage();
    doc.picture({}, 4000, 3450, "33%", "38%", 1, CellRef{2, 3, 1});
    doc.picture({}, 1680, 3420, 5000, "70%", 2);
    stamp(2, 2);
    doc.end();

    const DocumentOutline o = outlineOf(doc);
    EXPECT_EQ(o.pageCount, 2);
    ASSERT_EQ(o.pages.size(), 2u);
    const OutlinePage& p1 = o.pages[0];
    EXPECT_EQ(p1.stamp, "第 1 页 共 2 页");
    EXPECT_EQ(p1.paragraphs, (std::vector<std::string>{"单桩水平静载试验数据记录表"}));
    ASSERT_EQ(p1.tables.size(), 1u);
    EXPECT_EQ(p1.tables[0], (OutlineTable{Row{"工程名称：某工程", std::nullopt, std::nullopt, "试桩编号：S1"},
                                          Row{"荷载(kN)", "50", "", ""}, Row{std::nullopt, "", "", ""}}));
    EXPECT_TRUE(p1.pictures.empty());

    const OutlinePage& p2 = o.pages[1];
    EXPECT_EQ(p2.stamp, "第 2 页 共 2 页");
    EXPECT_TRUE(p2.paragraphs.empty());
    EXPECT_TRUE(p2.tables.empty());
    EXPECT_EQ(p2.pictures, (std::vector<OutlinePicture>{{1, 4000, 3450, "33%", "38%", CellRef{2, 3, 1}},
                                                        {2, 1680, 3420, 5000.0, "70%", std::nullopt}}));
}

TEST_F(PageOutlineTest, ASplitTableIsOnEachPageWithItsRowsThere)
{
    doc.start("Tahoma");
    Table t(2, 50);
    t.setDefaultRowHeight(400);
    for (int r = 1; r <= 50; ++r)
        t.setText(r, 1, std::to_string(r));
    doc.table(t);
    doc.end();

    const DocumentOutline o = outlineOf(doc);
    ASSERT_EQ(o.pageCount, 2);
    EXPECT_FALSE(o.pages[0].stamp.has_value());
    ASSERT_EQ(o.pages[0].tables.size(), 1u);
    ASSERT_EQ(o.pages[1].tables.size(), 1u);
    const OutlineTable& a = o.pages[0].tables[0];
    const OutlineTable& b = o.pages[1].tables[0];
    EXPECT_EQ(a.size() + b.size(), 50u);
    EXPECT_EQ(a.size(), 34u); // 34 rows of 400 fill 13600 of the 13958 between the margins
    EXPECT_EQ(b.front(), (Row{"35", ""}));
    EXPECT_EQ(b.back(), (Row{"50", ""}));
}

TEST_F(PageOutlineTest, AnEmptyDocumentHasNoPage)
{
    doc.start("Tahoma");
    doc.end();
    const DocumentOutline o = outlineOf(doc);
    EXPECT_EQ(o.pageCount, 0);
    EXPECT_TRUE(o.pages.empty());
}

} // namespace
} // namespace pyx
