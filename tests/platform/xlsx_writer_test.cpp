#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "platform/page_document.h"
#include "platform/xlsx_writer.h"
#include "support/temp_dir.h"
#include "support/unzip.h"

namespace pyx {
namespace {

// A PNG of 2 x 3 white pixels, whatever is asked: the workbook reads only its header.
struct TinyPng : PictureEncoder
{
    mutable int calls = 0;
    std::string png(const Drawing&, int, int, double) const override
    {
        ++calls;
        static const char bytes[] =
            "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x03"
            "\x08\x02\x00\x00\x00\x36\x88\x49\xd6\x00\x00\x00\x0e\x49\x44\x41\x54\x78\x9c\x63\xf8\x0f\x06\x0c"
            "\x28\x14\x00\xbc\x58\x11\xef\x53\xc9\xfe\xb8\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";
        return std::string(bytes, sizeof bytes - 1);
    }
};

// The cell element of `ref` in a worksheet part ("" when it is not there).
std::string cell(const std::string& sheet, const std::string& ref)
{
    std::smatch m;
    const std::regex re("<c r=\"" + ref + "\"[^>]*(/>|>.*?</c>)");
    return std::regex_search(sheet, m, re) ? m.str(0) : std::string();
}

bool isNumber(const std::string& c, const std::string& value)
{
    return !c.empty() && c.find(" t=\"") == std::string::npos &&
           c.find("<v>" + value + "</v>") != std::string::npos;
}

bool isText(const std::string& c)
{
    return c.find(" t=\"s\"") != std::string::npos;
}

struct XlsxWriterTest : ::testing::Test
{
    FixedTextMeasure measure;
    PageDocument doc{measure};
    TinyPng encoder;
    test::TempDir dir;
    XlsxOptions options;

    XlsxWriterTest()
    {
        doc.start("宋体");
        doc.setFontSize(20);
        doc.paragraph("记录表 [a/b]");
        doc.paragraph("");
        doc.setFontSize(10.5);
        doc.table(recordTable());
        doc.newPage();
        doc.paragraph("记录表 [a/b]");
        doc.table(recordTable());
        doc.newPage();
        doc.paragraph("曲线图");
        Table curve(1, 2);
        doc.table(curve);
        doc.picture(Drawing{{"line", {0.0, 0.0, 1.0, 1.0}}}, 0, 0, 2000.0, 3000.0, 1, CellRef{3, 2, 1});
        options.word.setup = doc.setup();
        options.word.defaultFont = "宋体";
        options.pictureSheet = "曲线图";
    }

    static Table recordTable()
    {
        Table t(4, 5);
        t.setDefaultColWidth(1000);
        t.setColWidth(2, 2000);
        t.span(1, 1, 1, 4);
        t.setText(1, 1, "工程名称：某工程");
        t.span(2, 1, 3, 1);
        t.setText(2, 1, "荷载(kN)");
        t.span(2, 2, 2, 4);
        t.setText(2, 2, "位移(mm)");
        t.setText(3, 2, "上表1");
        t.setHeaderRows(3);
        const char* data[2][4] = {{"50", "0.12", "--", "007"}, {"-1.50", "08:30", "", "12.5"}};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 4; ++c)
                t.setText(4 + r, c + 1, data[r][c]);
        return t;
    }

    std::map<std::string, std::string> written()
    {
        const std::string path = dir.file("r.xlsx");
        EXPECT_TRUE(writeXlsx(path, doc.flow(), options, encoder).ok());
        return test::unzip(test::TempDir::read(path));
    }
};

TEST_F(XlsxWriterTest, EachTableASheetWithNumbersAsNumbers)
{
    const auto parts = written();
    const std::string& book = parts.at("xl/workbook.xml");
    // Titles without the characters a sheet name may not hold, each name once; the pictures
    // on a sheet of their own, the picture table none.
    const std::size_t first = book.find("name=\"记录表 ab\"");
    const std::size_t second = book.find("name=\"记录表 ab(2)\"");
    const std::size_t pictures = book.find("name=\"曲线图\"");
    ASSERT_NE(first, std::string::npos) << book;
    ASSERT_NE(second, std::string::npos) << book;
    ASSERT_NE(pictures, std::string::npos) << book;
    EXPECT_LT(first, second);
    EXPECT_LT(second, pictures);
    EXPECT_EQ(parts.count("xl/worksheets/sheet4.xml"), 0u);

    const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
    // Row 1 the title, the table from row 2: its merges as in the report.
    for (const char* merge : {"A1:D1", "A2:D2", "A3:A4", "B3:D3"})
        EXPECT_NE(sheet.find(std::string("<mergeCell ref=\"") + merge + "\"/>"), std::string::npos) << merge;
    EXPECT_TRUE(isNumber(cell(sheet, "A5"), "50")) << cell(sheet, "A5");
    EXPECT_TRUE(isNumber(cell(sheet, "B5"), "0.12")) << cell(sheet, "B5");
    EXPECT_TRUE(isNumber(cell(sheet, "A6"), "-1.5")) << cell(sheet, "A6");
    EXPECT_TRUE(isNumber(cell(sheet, "D6"), "12.5")) << cell(sheet, "D6");
    for (const char* text : {"C5", "D5", "B6", "A2", "A3"})
        EXPECT_TRUE(isText(cell(sheet, text))) << text << cell(sheet, text);
    // The number formats of the texts: two decimals, one, none.
    const std::string& styles = parts.at("xl/styles.xml");
    EXPECT_NE(styles.find("formatCode=\"0.00\""), std::string::npos);
    EXPECT_NE(styles.find("formatCode=\"0.0\""), std::string::npos);
    // The title row and the three header rows stay in view and head each printed page.
    EXPECT_NE(sheet.find("<pane ySplit=\"4\" topLeftCell=\"A5\""), std::string::npos);
    EXPECT_NE(book.find("_xlnm.Print_Titles"), std::string::npos);
    // Column widths from the table: 1000 and 2000 twips, 67 and 133 pixels (the file gives
    // them in widths of a digit of 7 pixels).
    EXPECT_NE(sheet.find("<col min=\"1\" max=\"1\" width=\"9.57"), std::string::npos) << sheet.substr(0, 900);
    EXPECT_NE(sheet.find("<col min=\"2\" max=\"2\" width=\"19\""), std::string::npos);

    EXPECT_EQ(parts.count("xl/media/image1.png"), 1u);
    EXPECT_EQ(encoder.calls, 1);
}

TEST_F(XlsxWriterTest, WritesWholeOrNotAtAll)
{
    const std::string target = dir.write("r.xlsx", "old");
    EXPECT_TRUE(writeXlsx(target, doc.flow(), options, encoder).ok());
    EXPECT_EQ(test::TempDir::read(target).substr(0, 2), "PK");
    const std::string missing = dir.file("none/r.xlsx");
    EXPECT_FALSE(writeXlsx(missing, doc.flow(), options, encoder).ok());
    EXPECT_FALSE(std::filesystem::exists(missing));
    // An empty document still makes a workbook with one sheet.
    doc.start("宋体");
    EXPECT_TRUE(writeXlsx(target, doc.flow(), options, encoder).ok());
    EXPECT_EQ(test::unzip(test::TempDir::read(target)).count("xl/worksheets/sheet1.xml"), 1u);
}

TEST(SheetTexts, NumbersAndNames)
{
    const auto n = [](const char* s) { return sheetNumber(s); };
    EXPECT_EQ(n("50")->decimals, 0);
    EXPECT_EQ(n("-0.125")->decimals, 3);
    EXPECT_DOUBLE_EQ(n("-0.125")->value, -0.125);
    EXPECT_DOUBLE_EQ(n("0")->value, 0);
    for (const char* text : {"", "-", "1.", ".5", "08:30", "007", "1e5", "--", " 5", "5 ", "+5", "1,000"})
        EXPECT_FALSE(n(text)) << text;

    EXPECT_EQ(sheetName("a:b*c?d", "x", {}), "abcd");
    EXPECT_EQ(sheetName("'[]'", "表1", {}), "表1");
    EXPECT_EQ(sheetName("表", "x", {"表", "表(2)"}), "表(3)");
    // At most 31 characters, counted as characters, the number kept within them.
    const std::string longName(40, 'a');
    EXPECT_EQ(sheetName(longName, "x", {}), std::string(31, 'a'));
    EXPECT_EQ(sheetName(longName, "x", {std::string(31, 'a')}), std::string(28, 'a') + "(2)");
    std::string chinese;
    for (int k = 0; k < 35; ++k)
        chinese += "表";
    EXPECT_EQ(sheetName(chinese, "x", {}).size(), 31u * 3);
}

} // namespace
} // namespace pyx
