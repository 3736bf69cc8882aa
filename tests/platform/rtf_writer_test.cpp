#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/page_document.h"
#include "platform/rtf_writer.h"
#include "support/rtf_reader.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

using test::parseRtf;
using test::RtfDocument;

// Stands in for the Qt painter: "PNG" and the size, or nothing when told to fail.
struct FakeEncoder : PictureEncoder
{
    bool fail = false;
    mutable int calls = 0;
    std::string png(const Drawing&, int width, int height, double) const override
    {
        ++calls;
        return fail ? std::string() : "PNG" + std::to_string(width) + "x" + std::to_string(height);
    }
};

struct RtfWriterTest : ::testing::Test
{
    FixedTextMeasure measure;
    PageDocument doc{measure};
    FakeEncoder encoder;
    WordOptions options;

    RtfWriterTest() { doc.start("宋体"); }

    RtfDocument written()
    {
        options.setup = doc.setup();
        options.defaultFont = doc.defaultFont();
        const WordOutput out = rtfDocument(doc.flow(), options, encoder);
        EXPECT_TRUE(out.status) << out.status.reason();
        raw = out.bytes;
        return parseRtf(out.bytes);
    }

    // A titled 3 x 3 table whose last row is one picture cell, and its picture.
    void pictureBlock(const char* title, const Extent& width = 3000, const Extent& height = 4000)
    {
        doc.paragraph(title);
        Table t(3, 3);
        t.setDefaultColWidth(2000);
        t.span(1, 1, 1, 2);
        t.setText(1, 1, "a");
        t.span(3, 1, 3, 3);
        t.setRowHeight(3, 6000);
        doc.table(std::move(t));
        doc.picture(Drawing{{"line", {0.0, 0.0, 1.0, 1.0}}}, 0, 0, width, height, 1,
                    CellRef{doc.tableCount(), 3, 1});
    }

    std::string raw;
};

TEST_F(RtfWriterTest, TextGoesOutAsUnicodeEscapesWithTheFontsNamed)
{
    doc.setFontSize(20);
    doc.setBold(true);
    doc.setAlign(TextAlign::Center);
    doc.paragraph("单桩 {a\\b} 𠀋");
    doc.setFontName("Tahoma");
    doc.setBold(false);
    doc.setFontSize(10.5);
    doc.paragraph("x");
    const RtfDocument r = written();
    EXPECT_TRUE(r.balanced);
    EXPECT_EQ(r.texts(), (std::vector<std::string>{"单桩 {a\\b} 𠀋", "x"}));
    EXPECT_NE(raw.find("\\u21333?\\u26729? \\{a\\\\b\\} \\u-10176?\\u-9205?"), std::string::npos);
    EXPECT_NE(raw.find("\\pard\\plain\\qc\\f0\\fs40\\b "), std::string::npos);
    EXPECT_NE(raw.find("\\pard\\plain\\qc\\f1\\fs21 x"), std::string::npos);
    // 宋体 in its GB2312 bytes; every text byte of the file is plain ASCII.
    EXPECT_EQ(r.fontTable,
              "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\fnil\\fcharset0 Tahoma;}}");
    EXPECT_TRUE(
        std::all_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
}

TEST_F(RtfWriterTest, TablesKeepWidthsHeightsMergesAndBorders)
{
    Table t(4, 3);
    t.setDefaultColWidth(900);
    t.setColWidth(1, 1000);
    t.setDefaultRowHeight(400);
    t.setRowHeight(3, 700);
    t.span(1, 1, 1, 3); // across
    t.setText(1, 1, "工程名称：某工程");
    t.setAlign(1, 1, TextAlign::Left);
    t.span(2, 1, 3, 1); // down
    t.setText(2, 1, "荷载(kN)");
    t.span(2, 2, 3, 3); // across and down
    t.setText(2, 2, "加载");
    t.setText(3, 4, "上表1");
    doc.setAlign(TextAlign::Center);
    doc.table(std::move(t));
    const RtfDocument r = written();
    ASSERT_EQ(r.tables.size(), 1u);
    const test::RtfTable& tb = r.tables[0];
    ASSERT_EQ(tb.size(), 3u);
    EXPECT_EQ(tb[0].height, 400);
    EXPECT_EQ(tb[2].height, 700);
    ASSERT_EQ(tb[0].cells.size(), 2u);
    EXPECT_EQ(tb[0].cells[0].right, 2800);
    EXPECT_EQ(tb[0].cells[0].text, "工程名称：某工程");
    EXPECT_EQ(tb[0].cells[1].right, 3700);
    ASSERT_EQ(tb[1].cells.size(), 3u);
    EXPECT_TRUE(tb[1].cells[0].mergeFirst);
    EXPECT_TRUE(tb[1].cells[1].mergeFirst);
    EXPECT_EQ(tb[1].cells[1].right, 2800);
    EXPECT_EQ(tb[1].cells[1].text, "加载");
    ASSERT_EQ(tb[2].cells.size(), 3u);
    EXPECT_TRUE(tb[2].cells[0].mergeNext);
    EXPECT_TRUE(tb[2].cells[1].mergeNext);
    EXPECT_EQ(tb[2].cells[1].text, "");
    EXPECT_EQ(tb[2].cells[2].text, "上表1");
    EXPECT_FALSE(tb[0].fullWidth);
    // Every cell is ruled on four sides, centred in its height; rows do not split.
    std::size_t cells = 0;
    for (const auto& row : tb)
        cells += row.cells.size();
    const std::string rules = "\\clvertalc\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs"
                              "\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx";
    std::size_t ruled = 0;
    for (std::size_t at = raw.find(rules); at != std::string::npos; at = raw.find(rules, at + 1))
        ++ruled;
    EXPECT_EQ(ruled, cells);
    EXPECT_NE(raw.find("\\trqc\\trkeep"), std::string::npos);
    EXPECT_NE(raw.find("\\pard\\plain\\intbl\\ql\\f0\\fs20 \\u24037?"), std::string::npos);
}

TEST_F(RtfWriterTest, HeaderRowsAreMarkedToRepeatOnEachPage)
{
    Table t(2, 5);
    t.span(2, 1, 3, 1);
    t.setHeaderRows(3);
    doc.table(t);
    Table plain(2, 2);
    plain.setHeaderRows(9); // cut to the table
    doc.table(plain);
    const RtfDocument r = written();
    ASSERT_EQ(r.tables.size(), 2u);
    std::vector<bool> marks;
    for (const auto& table : r.tables)
        for (const auto& row : table)
            marks.push_back(row.header);
    EXPECT_EQ(marks, (std::vector<bool>{true, true, true, false, false, true, true}));
    EXPECT_EQ(plain.headerRows(), 2);
}

TEST_F(RtfWriterTest, PageBreaksBetweenContentOnly)
{
    doc.newPage();
    doc.paragraph("a");
    doc.newPage();
    doc.newPage();
    doc.paragraph("b");
    doc.newPage();
    Table t(1, 1);
    doc.table(t);
    doc.table(t);
    doc.newPage();
    const RtfDocument r = written();
    EXPECT_EQ(r.pageBreaks, 2);
    // The two tables stay apart.
    EXPECT_EQ(r.tables.size(), 2u);
    EXPECT_EQ(r.sectionBreaks, 0);
    EXPECT_TRUE(r.balanced);
}

TEST_F(RtfWriterTest, PicturesGoIntoTheirCellsAtTheirExtents)
{
    doc.paragraph("before");
    Table plain(2, 2);
    doc.table(plain);
    pictureBlock("one", "50%", 5000);
    // A picture for a cell that does not exist is left out; one for a covered cell goes to
    // the cell that holds the merged range.
    doc.picture(Drawing{}, 0, 0, 10, 10, 2, CellRef{9, 1, 1});
    doc.picture(Drawing{}, 0, 0, 100, 200, 2, CellRef{2, 1, 2});
    const RtfDocument r = written();
    ASSERT_EQ(r.tables.size(), 2u);
    EXPECT_TRUE(r.tables[0][0].cells[0].pictures.empty());
    const auto& pics = r.tables[1][2].cells.at(0).pictures;
    ASSERT_EQ(pics.size(), 1u);
    EXPECT_TRUE(pics[0].png);
    const double textWidth = doc.setup().contentWidth();
    EXPECT_EQ(pics[0].wGoal, std::lround(textWidth / 2));
    EXPECT_EQ(pics[0].hGoal, 5000);
    EXPECT_EQ(pics[0].picw, std::lround(textWidth / 2 / 1440 * 200));
    EXPECT_EQ(pics[0].bytes,
              std::string("PNG" + std::to_string(pics[0].picw) + "x" + std::to_string(pics[0].pich)).size());
    ASSERT_EQ(r.tables[1][0].cells.at(0).pictures.size(), 1u);
    EXPECT_EQ(r.tables[1][0].cells[0].pictures[0].wGoal, 100);
    EXPECT_EQ(r.tables[1][0].cells[0].text, "a");
    // Without the options the picture table is as wide as its columns and no section begins.
    EXPECT_EQ(r.tables[1][0].cells.back().right, 6000);
    EXPECT_EQ(r.sectionBreaks, 0);
    EXPECT_EQ(encoder.calls, 2);
}

TEST_F(RtfWriterTest, PicturePartIsFullWidthOnNewPagesInASectionOfItsOwn)
{
    doc.paragraph("report");
    doc.table(Table(2, 2));
    doc.newPage();
    pictureBlock("one");
    pictureBlock("two", 20000, 4000); // wider than its cell: shrinks, keeping its shape
    options.pictureTablesFullWidth = true;
    options.pictureTablesOnNewPage = true;
    options.picturePartMargin = 850;
    const RtfDocument r = written();
    ASSERT_EQ(r.tables.size(), 3u);
    const long textWidth = std::lround(doc.setup().contentWidth());
    for (const std::size_t k : {1u, 2u}) {
        for (const auto& row : r.tables[k]) {
            EXPECT_TRUE(row.fullWidth);
            EXPECT_EQ(row.cells.back().right, textWidth);
        }
    }
    EXPECT_EQ(r.tables[0][0].cells.back().right, 2880);
    EXPECT_EQ(r.tables[1][0].cells[0].right, std::lround(textWidth * 2 / 3.0));
    // One section break before the first title, a page break before the second one.
    EXPECT_EQ(r.sectionBreaks, 1);
    EXPECT_EQ(r.pageBreaks, 1);
    ASSERT_EQ(r.sections.size(), 2u);
    EXPECT_EQ(r.sections[0].marginTop, std::lround(PageSetup{}.marginTop));
    EXPECT_EQ(r.sections[1].marginTop, 850);
    EXPECT_EQ(r.sections[1].marginBottom, 850);
    EXPECT_EQ(r.texts(), (std::vector<std::string>{"report", "one", "two"}));
    const auto& shrunk = r.tables[2][2].cells.at(0).pictures.at(0);
    EXPECT_EQ(shrunk.wGoal, textWidth - 60);
    EXPECT_NEAR(shrunk.hGoal, 4000.0 * (textWidth - 60) / 20000, 1);

    // A fixed size for every picture; with nothing before it the first section is the
    // picture part.
    doc.start("宋体");
    pictureBlock("only");
    options.pictureSize = PictureSize{4859, 5636};
    const RtfDocument only = written();
    EXPECT_EQ(only.sectionBreaks, 0);
    EXPECT_EQ(only.pageBreaks, 0);
    ASSERT_EQ(only.sections.size(), 1u);
    EXPECT_EQ(only.sections[0].marginTop, 850);
    const auto& fixed = only.tables.at(0)[2].cells.at(0).pictures.at(0);
    EXPECT_EQ(fixed.wGoal, 4859);
    EXPECT_EQ(fixed.hGoal, 5636);
}

TEST_F(RtfWriterTest, NoPictureIsLargerThanThePaper)
{
    pictureBlock("wild", 3000, 1e7);
    options.pictureDpi = 1000;
    const RtfDocument r = written();
    const auto& p = r.tables.at(0)[2].cells.at(0).pictures.at(0);
    EXPECT_EQ(p.hGoal, 16838);
    EXPECT_EQ(p.wGoal, std::lround(3000 * 16838 / 1e7));
    EXPECT_EQ(p.pich, 4000);
}

TEST_F(RtfWriterTest, HeaderAndFooterGroupsGoInOnceBeforeTheContent)
{
    doc.paragraph("a");
    options.rtfHeadFoot = "{\\footer{\\pard left\\par }}";
    RtfDocument r = written();
    EXPECT_EQ(r.footers, 1);
    EXPECT_EQ(r.headers, 0);
    EXPECT_EQ(r.texts(), std::vector<std::string>{"a"});
    EXPECT_LT(raw.find("{\\footer"), raw.find("\\pard\\plain"));
    options.rtfHeadFoot.clear();
    r = written();
    EXPECT_EQ(r.footers, 0);
}

TEST_F(RtfWriterTest, FailuresLeaveTheTargetAsItWas)
{
    test::TempDir dir;
    const std::string target = dir.write("old.doc", "old");
    pictureBlock("one");
    options.setup = doc.setup();
    encoder.fail = true;
    EXPECT_EQ(writeRtf(target, doc.flow(), options, encoder).reason(), "曲线图片生成失败");
    EXPECT_EQ(test::TempDir::read(target), "old");
    encoder.fail = false;
    EXPECT_FALSE(writeRtf(dir.file("no/such/folder/x.doc"), doc.flow(), options, encoder).ok());
    EXPECT_TRUE(writeRtf(target, doc.flow(), options, encoder).ok());
    EXPECT_EQ(parseRtf(test::TempDir::read(target)).tables.size(), 1u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 1);
}

} // namespace
} // namespace pyx
