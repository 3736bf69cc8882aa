#include <gtest/gtest.h>

#include <cmath>

#include <map>

#include "platform/docx_writer.h"
#include "platform/page_document.h"
#include "support/temp_dir.h"
#include "support/unzip.h"

namespace pyx {
namespace {

using test::unzip;

struct SizeEncoder : PictureEncoder
{
    std::string png(const Drawing&, int width, int height, double) const override
    {
        return "PNG" + std::to_string(width) + "x" + std::to_string(height);
    }
};

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

struct DocxWriterTest : ::testing::Test
{
    FixedTextMeasure measure;
    PageDocument doc{measure};
    SizeEncoder encoder;
    WordOptions options;

    DocxWriterTest()
    {
        doc.start("宋体");
        doc.setFontSize(20);
        doc.setBold(true);
        doc.paragraph("记录表 <&>");
        doc.setBold(false);
        doc.setFontSize(10.5);
        Table t(3, 3);
        t.setDefaultColWidth(1000);
        t.span(1, 1, 1, 2);
        t.setText(1, 1, "工程名称：");
        t.span(2, 3, 3, 3);
        doc.table(t);
        doc.newPage();
        doc.paragraph("曲线图");
        Table c(3, 3);
        c.span(3, 1, 3, 3);
        doc.table(c);
        doc.picture(Drawing{}, 0, 0, 1440, 2880, 1, CellRef{2, 3, 1});
        options.setup = doc.setup();
        options.defaultFont = doc.defaultFont();
        options.pictureTablesFullWidth = true;
        options.picturePartMargin = 850;
    }
};

TEST_F(DocxWriterTest, PackageHoldsTheDocumentWithTablesAndPicturesInCells)
{
    const WordOutput out = docxDocument(doc.flow(), options, encoder);
    ASSERT_TRUE(out.status) << out.status.reason();
    const auto parts = unzip(out.bytes);
    for (const char* name : {"[Content_Types].xml", "_rels/.rels", "word/document.xml", "word/styles.xml",
                             "word/_rels/document.xml.rels", "word/media/image1.png"})
        EXPECT_EQ(parts.count(name), 1u) << name;
    EXPECT_EQ(parts.size(), 6u);
    EXPECT_EQ(parts.at("word/media/image1.png"), "PNG200x400");
    EXPECT_NE(parts.at("word/_rels/document.xml.rels").find("Id=\"rIdImage1\""), std::string::npos);
    EXPECT_NE(parts.at("word/styles.xml").find("w:eastAsia=\"宋体\""), std::string::npos);

    const std::string& x = parts.at("word/document.xml");
    EXPECT_NE(x.find("记录表 &lt;&amp;&gt;</w:t>"), std::string::npos);
    EXPECT_NE(x.find("<w:b/><w:bCs/><w:sz w:val=\"40\"/>"), std::string::npos);
    EXPECT_EQ(count(x, "<w:tbl>"), 2u);
    EXPECT_EQ(count(x, "<w:tr>"), 6u);
    // Merges: across by grid span, down by vertical merge; cells of a merge across are one.
    EXPECT_EQ(count(x, "<w:gridSpan w:val=\"2\"/>"), 1u);
    EXPECT_EQ(count(x, "<w:gridSpan w:val=\"3\"/>"), 1u);
    EXPECT_EQ(count(x, "<w:vMerge w:val=\"restart\"/>"), 1u);
    EXPECT_EQ(count(x, "<w:vMerge/>"), 1u);
    EXPECT_EQ(count(x, "<w:tc>"), 2u + 3 + 3 + 3 + 3 + 1);
    EXPECT_EQ(count(x, "<w:tcBorders>"), count(x, "<w:tc>"));
    EXPECT_NE(x.find("<w:gridCol w:w=\"1000\"/>"), std::string::npos);
    // The picture table across the text area, its picture in the last row's cell.
    EXPECT_EQ(count(x, "<w:tblW w:w=\"5000\" w:type=\"pct\"/>"), 1u);
    const std::size_t picture = x.find("<w:drawing>");
    ASSERT_NE(picture, std::string::npos);
    EXPECT_GT(picture, x.rfind("<w:tr>"));
    EXPECT_LT(picture, x.rfind("</w:tc>"));
    EXPECT_NE(x.find("<wp:extent cx=\"914400\" cy=\"1828800\"/>"), std::string::npos);
    // Two sections: the page's margins, then the picture part's.
    EXPECT_EQ(count(x, "<w:sectPr>"), 2u);
    EXPECT_LT(x.find("w:top=\"" + std::to_string(std::lround(PageSetup{}.marginTop)) + "\""),
              x.find("曲线图"));
    EXPECT_GT(x.find("w:top=\"850\""), x.find("曲线图"));
}

TEST_F(DocxWriterTest, HeaderRowsRepeatAndTheFooterNumbersThePages)
{
    options.pageFooter = "第 {PAGE} 页 共 {NUMPAGES} 页";
    options.pageFooterSize = 12;
    Table t(2, 4);
    t.setHeaderRows(2);
    doc.table(t);
    const auto parts = unzip(docxDocument(doc.flow(), options, encoder).bytes);
    const std::string& x = parts.at("word/document.xml");
    // The first table has no header rows, the last one its first two.
    const std::size_t last = x.rfind("<w:tbl>");
    EXPECT_EQ(x.find("<w:tblHeader/>"), x.find("<w:tblHeader/>", last));
    EXPECT_EQ(count(x.substr(last), "<w:tblHeader/>"), 2u);
    EXPECT_LT(x.find("<w:tblHeader/>", last), x.find("</w:tr>", last));

    // Every section refers to the footer, which the package carries with its type.
    EXPECT_EQ(count(x, "<w:footerReference w:type=\"default\" r:id=\"rIdFooter\"/>"), count(x, "<w:sectPr>"));
    EXPECT_NE(parts.at("word/_rels/document.xml.rels").find("Id=\"rIdFooter\""), std::string::npos);
    EXPECT_NE(parts.at("[Content_Types].xml").find("/word/footer1.xml"), std::string::npos);
    const std::string& f = parts.at("word/footer1.xml");
    const std::size_t page = f.find("<w:fldSimple w:instr=\" PAGE \">");
    const std::size_t pages = f.find("<w:fldSimple w:instr=\" NUMPAGES \">");
    ASSERT_NE(page, std::string::npos);
    ASSERT_NE(pages, std::string::npos);
    EXPECT_LT(f.find(">第 </w:t>"), page);
    EXPECT_LT(page, f.find("> 页 共 </w:t>"));
    EXPECT_LT(f.find("> 页 共 </w:t>"), pages);
    EXPECT_GT(f.find("> 页</w:t>"), pages);
    EXPECT_NE(f.find("<w:jc w:val=\"center\"/>"), std::string::npos);
    EXPECT_NE(f.find("<w:sz w:val=\"24\"/>"), std::string::npos);

    options.pageFooter.clear();
    const auto plain = unzip(docxDocument(doc.flow(), options, encoder).bytes);
    EXPECT_EQ(plain.count("word/footer1.xml"), 0u);
    EXPECT_EQ(plain.at("word/document.xml").find("footerReference"), std::string::npos);
}

TEST_F(DocxWriterTest, WritesWholeOrNotAtAll)
{
    test::TempDir dir;
    const std::string target = dir.write("r.docx", "old");
    EXPECT_FALSE(writeDocx(dir.file("missing/r.docx"), doc.flow(), options, encoder).ok());
    EXPECT_TRUE(writeDocx(target, doc.flow(), options, encoder).ok());
    EXPECT_EQ(unzip(test::TempDir::read(target)).size(), 6u);
    // An empty document is still a complete package.
    doc.start("宋体");
    const WordOutput empty = docxDocument(doc.flow(), options, encoder);
    const auto parts = unzip(empty.bytes);
    EXPECT_EQ(parts.size(), 5u);
    EXPECT_NE(parts.at("word/document.xml").find("<w:body><w:sectPr>"), std::string::npos);
}

} // namespace
} // namespace pyx
