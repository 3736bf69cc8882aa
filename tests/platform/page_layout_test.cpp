#include <gtest/gtest.h>

#include <algorithm>

#include "platform/page_document.h"

namespace pyx {
namespace {

constexpr double kLine10 = 10.5 * 20 * 1.2; // a line of 10.5 points
constexpr double kLine20 = 20 * 20 * 1.2;

struct PageLayoutTest : ::testing::Test
{
    FixedTextMeasure measure;
    // The figures below are worked out for a page with one-inch margins above and below.
    PageSetup setup = PageSetup{.marginTop = 1440};
    PageDocument doc{measure, setup};

    PageLayoutTest()
    {
        doc.start("Tahoma");
        doc.setFontSize(10.5);
        doc.setAlign(TextAlign::Center);
    }

    // A report title: a bold line of 20 points and an empty one.
    void title(const std::string& text)
    {
        doc.setFontSize(20);
        doc.setBold(true);
        doc.paragraph(text);
        doc.paragraph("");
        doc.setBold(false);
        doc.setFontSize(10.5);
    }

    std::vector<const TextRun*> runs(int page, const std::string& text) const
    {
        std::vector<const TextRun*> out;
        for (const TextRun& r : doc.pages().at(static_cast<std::size_t>(page)).texts)
            if (r.text == text)
                out.push_back(&r);
        return out;
    }

    std::vector<double> horizontalRules(int page) const
    {
        std::vector<double> ys;
        for (const Rule& r : doc.pages().at(static_cast<std::size_t>(page)).rules)
            if (r.y1 == r.y2)
                ys.push_back(r.y1);
        std::sort(ys.begin(), ys.end());
        return ys;
    }
};

TEST_F(PageLayoutTest, MarginsHoldTheReportsPlacements)
{
    EXPECT_GE(setup.contentWidth(), 10200.0); // the full summary, the widest table
    // A curve page: title, header table with its tall picture area, the pictures, the stamp.
    title("单桩水平静载试验曲线图");
    Table head(3, 3);
    head.setDefaultColWidth(3000);
    head.setDefaultRowHeight(500);
    head.span(1, 1, 1, 2);
    head.span(3, 1, 3, 3);
    head.setRowHeight(3, 11780);
    doc.table(head);
    doc.picture({}, 1680, 3420, "60%", "70%", 1);
    doc.picture({}, 4000, 3450, "33%", "38%", 1);
    doc.picture({}, 4000, 9080, "33%", "38%", 2);
    doc.setFontSize(12);
    doc.textBox("第 1 页 共 1 页", 4800, 15600, 3000, 1000, TextBoxRole::PageStamp);
    doc.end();

    ASSERT_EQ(doc.pageCount(), 1);
    const LaidOutPage& page = doc.pages()[0];
    ASSERT_EQ(page.tables.size(), 1u);
    const PageRect table = page.tables[0].rect;
    EXPECT_DOUBLE_EQ(table.top, setup.marginTop + 2 * kLine20);
    const PageRect area{table.left, table.top + 1000, table.width, 11780};
    EXPECT_DOUBLE_EQ(table.bottom(), area.bottom());
    ASSERT_EQ(page.pictures.size(), 3u);
    for (const PlacedPicture& p : page.pictures) {
        EXPECT_GE(p.rect.left, area.left);
        EXPECT_GE(p.rect.top, area.top);
        EXPECT_LE(p.rect.right(), area.right());
        EXPECT_LE(p.rect.bottom(), area.bottom());
    }
    EXPECT_NEAR(page.pictures[1].rect.width, 0.33 * setup.contentWidth(), 1e-9);
    EXPECT_NEAR(page.pictures[1].rect.height, 0.38 * setup.contentHeight(), 1e-9);
    EXPECT_LT(page.pictures[1].rect.bottom(), page.pictures[2].rect.top);
    EXPECT_LE(setup.contentBottom(), 15600.0);
    EXPECT_LE(table.bottom(), 15600.0);
}

TEST_F(PageLayoutTest, RowsGrowToTheirWrappedTexts)
{
    Table t(2, 2);
    t.setDefaultColWidth(900);
    t.setDefaultRowHeight(400);
    t.setText(1, 1, "实际 间隔 (min)");
    t.setText(1, 2, "x");
    t.setText(2, 1, "0");
    doc.table(t);

    const double top = setup.marginTop;
    const double row1 = 3 * kLine10 + 40;
    EXPECT_EQ(horizontalRules(0), (std::vector<double>{top, top + row1, top + row1 + 400}));
    const auto heading = runs(0, "间隔");
    ASSERT_EQ(heading.size(), 1u);
    EXPECT_DOUBLE_EQ(heading[0]->box.top, top + 20 + kLine10);
    EXPECT_EQ(heading[0]->align, TextAlign::Center);
    // The other cell of the row is centred in the grown height.
    EXPECT_DOUBLE_EQ(runs(0, "x").at(0)->box.top, top + (row1 - kLine10) / 2);
    const double left = setup.marginLeft + (setup.contentWidth() - 1800) / 2;
    EXPECT_DOUBLE_EQ(heading[0]->box.left, left + 30);
    EXPECT_DOUBLE_EQ(heading[0]->box.width, 900 - 60);
}

TEST_F(PageLayoutTest, AVerticalSpanGrowsItsLastRow)
{
    Table t(2, 3);
    t.setDefaultRowHeight(400);
    t.setDefaultColWidth(420 + 60);
    t.span(1, 1, 2, 1);
    t.setText(1, 1, "加载上下表读数差"); // four lines of two
    doc.table(t);

    const double top = setup.marginTop;
    const double row2 = 4 * kLine10 + 40 - 400;
    EXPECT_EQ(horizontalRules(0), (std::vector<double>{top, top + 400, top + 400 + row2, top + 800 + row2}));
    // The rule between rows 1 and 2 stops at the span.
    for (const Rule& r : doc.pages()[0].rules) {
        if (r.y1 == top + 400 && r.y2 == r.y1) {
            EXPECT_DOUBLE_EQ(r.x1, setup.marginLeft + (setup.contentWidth() - 960) / 2 + 480);
        }
    }
}

TEST_F(PageLayoutTest, RulesAreJoinedAlongEachLine)
{
    Table t(3, 2);
    t.span(1, 1, 1, 3);
    doc.table(t);
    const std::vector<Rule>& rules = doc.pages()[0].rules;
    // Three rules across the whole table, the outer sides, two inner sides in row 2 only.
    EXPECT_EQ(rules.size(), 7u);
    const double left = setup.marginLeft + (setup.contentWidth() - 3 * 1440) / 2;
    const double top = setup.marginTop;
    EXPECT_EQ(std::count(rules.begin(), rules.end(), Rule{left, top + 300, left + 3 * 1440, top + 300}), 1);
    EXPECT_EQ(std::count(rules.begin(), rules.end(), Rule{left + 1440, top + 300, left + 1440, top + 600}),
              1);
}

TEST_F(PageLayoutTest, ATableContinuesOnTheNextPageWithWholeRows)
{
    title("单桩水平静载试验数据记录表");
    Table t(2, 61);
    t.setDefaultRowHeight(400);
    for (int r = 1; r <= 61; ++r)
        t.setText(r, 1, std::to_string(r));
    t.span(32, 2, 33, 2); // rows 32 and 33 go together
    doc.table(t);
    doc.paragraph("后记");

    ASSERT_EQ(doc.pageCount(), 2);
    const auto& p1 = doc.pages()[0].tables;
    const auto& p2 = doc.pages()[1].tables;
    ASSERT_EQ(p1.size(), 1u);
    ASSERT_EQ(p2.size(), 1u);
    // 32 rows would fit below the title; the joined pair starts the next page.
    EXPECT_EQ(p1[0].firstRow, 1);
    EXPECT_EQ(p1[0].lastRow, 31);
    EXPECT_EQ(p2[0].firstRow, 32);
    EXPECT_EQ(p2[0].lastRow, 61);
    EXPECT_DOUBLE_EQ(p1[0].rect.height, 31 * 400);
    EXPECT_LE(p1[0].rect.bottom(), setup.contentBottom());
    EXPECT_DOUBLE_EQ(p2[0].rect.top, setup.marginTop);
    EXPECT_DOUBLE_EQ(runs(1, "32").at(0)->box.top, setup.marginTop + (400 - kLine10) / 2);
    EXPECT_DOUBLE_EQ(runs(1, "后记").at(0)->box.top, setup.marginTop + 30 * 400);
}

TEST_F(PageLayoutTest, ARowTallerThanAPageStillGetsAPage)
{
    doc.paragraph("前");
    Table t(1, 2);
    t.setRowHeight(1, 20000);
    doc.table(t);
    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(doc.pages()[1].tables.at(0).lastRow, 1);
    EXPECT_EQ(doc.pages()[2].tables.at(0).firstRow, 2);
}

TEST_F(PageLayoutTest, ParagraphsWrapOverTheContentWidthAndRunOntoNewPages)
{
    std::string sixty;
    for (int i = 0; i < 60; ++i)
        sixty += "字";
    doc.paragraph(sixty); // 49 characters fit on a line
    const auto& texts = doc.pages()[0].texts;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].box, (PageRect{setup.marginLeft, setup.marginTop, setup.contentWidth(), kLine10}));
    EXPECT_EQ(texts[1].box.top, setup.marginTop + kLine10);
    EXPECT_EQ(texts[0].align, TextAlign::Center);
    EXPECT_EQ(doc.pages()[0].paragraphs, (std::vector<std::size_t>{0}));

    const int perPage = static_cast<int>((setup.contentHeight() + 0.5) / kLine10);
    for (int i = 2; i < perPage + 1; ++i)
        doc.paragraph("");
    EXPECT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.pages()[1].paragraphs.size(), 1u);
}

// A picture that fills a cell takes the cell's area inside its padding, or its band of it,
// on the page the cell is on; a cell that is not there leaves the picture where it was put.
TEST_F(PageLayoutTest, PicturesFillTheirCellsOrBands)
{
    title("曲线图");
    Table t(3, 3);
    t.setDefaultColWidth(3000);
    t.setDefaultRowHeight(500);
    t.span(3, 1, 3, 3);
    t.setRowHeight(3, 11780);
    doc.table(t);
    const double left = setup.contentLeft() + (setup.contentWidth() - 9000) / 2;
    const double top = setup.contentTop() + 2 * kLine20 + 1000;
    doc.picture({}, 1680, 3420, "60%", "70%", 1, std::nullopt, CellFill{{1, 3, 1}, 1, 1});
    doc.picture({}, 4000, 3450, "33%", "38%", 1, std::nullopt, CellFill{{1, 3, 2}, 2, 2});
    doc.picture({}, 4000, 6000, 500.0, 600.0, 1, std::nullopt, CellFill{{2, 3, 1}, 1, 1});
    doc.picture({}, 4000, 6000, 500.0, 600.0, 1, std::nullopt, CellFill{{1, 4, 1}, 1, 1});
    const std::vector<PlacedPicture>& p = doc.pages().at(0).pictures;
    ASSERT_EQ(p.size(), 4u);
    const double inner = 11780 - 2 * kCellPaddingY;
    EXPECT_EQ(p[0].rect,
              (PageRect{left + kCellPaddingX, top + kCellPaddingY, 9000 - 2 * kCellPaddingX, inner}));
    EXPECT_DOUBLE_EQ(p[1].rect.top, top + kCellPaddingY + inner / 2);
    EXPECT_DOUBLE_EQ(p[1].rect.height, inner / 2);
    EXPECT_EQ(p[2].rect, (PageRect{4000, 6000, 500, 600}));
    EXPECT_EQ(p[3].rect, (PageRect{4000, 6000, 500, 600}));

    // A table on the next page takes its picture along.
    doc.newPage();
    doc.table(t);
    doc.newPage();
    doc.paragraph("x");
    doc.picture({}, 0, 0, 1.0, 1.0, 1, std::nullopt, CellFill{{2, 3, 1}, 1, 1});
    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(doc.pages()[1].pictures.size(), 1u);
    EXPECT_TRUE(doc.pages()[2].pictures.empty());
}

TEST_F(PageLayoutTest, PageStampFieldsAreFilledWhenThePagesAreLaidOut)
{
    // Three pages, stamped in order; the second holds a paragraph set after its stamp, and
    // the stamp's text keeps its place among the page's texts.
    for (int page = 0; page < 3; ++page) {
        if (page > 0)
            doc.newPage();
        doc.paragraph("body");
        doc.textBox("{page}/{pages} {page}", 4800, 15600, 3000, 1000, TextBoxRole::PageStamp);
        if (page == 1)
            doc.paragraph("after");
    }
    doc.end();
    ASSERT_EQ(doc.pageCount(), 3);
    for (int page = 0; page < 3; ++page) {
        const LaidOutPage& p = doc.pages()[page];
        const std::string stamp = std::to_string(page + 1) + "/3 " + std::to_string(page + 1);
        ASSERT_EQ(p.textBoxes.size(), 1u);
        EXPECT_EQ(p.textBoxes[0].text, stamp);
        ASSERT_GE(p.texts.size(), 2u);
        EXPECT_EQ(p.texts[0].text, "body");
        EXPECT_EQ(p.texts[1].text, stamp);
    }
    EXPECT_EQ(doc.pages()[1].texts.back().text, "after");
    EXPECT_EQ(fillPageFields("第 {page} 页 共 {pages} 页", 2, 12), "第 2 页 共 12 页");
    EXPECT_EQ(fillPageFields("no fields", 1, 1), "no fields");
}

TEST_F(PageLayoutTest, PageBreaksAndPlacementsGoToTheCurrentPage)
{
    EXPECT_EQ(doc.pageCount(), 0);
    doc.picture({}, 0, 0, 100.0, 100.0);
    EXPECT_EQ(doc.pageCount(), 1);
    doc.newPage();
    doc.setFontSize(12);
    doc.textBox("第 2 页 共 2 页", 4800, 15600, 3000, 1000, TextBoxRole::PageStamp);
    doc.end();
    ASSERT_EQ(doc.pageCount(), 2);
    const LaidOutPage& second = doc.pages()[1];
    ASSERT_EQ(second.texts.size(), 1u);
    EXPECT_EQ(second.texts[0].box, (PageRect{4800, 15600, 3000, 12 * 20 * 1.2}));
    EXPECT_EQ(second.texts[0].font, (FontSpec{"Tahoma", 12, false}));
    EXPECT_EQ(second.textBoxes.at(0).rect, (PageRect{4800, 15600, 3000, 1000}));

    doc.start("宋体");
    EXPECT_EQ(doc.pageCount(), 0);
    EXPECT_TRUE(doc.flow().empty());
    // A break makes no page before anything is set, nor right after another break.
    doc.newPage();
    EXPECT_EQ(doc.pageCount(), 0);
    doc.paragraph("x");
    doc.newPage();
    doc.newPage();
    doc.paragraph("y");
    EXPECT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.style().font, (FontSpec{"宋体", 10, false}));
}

} // namespace
} // namespace pyx
