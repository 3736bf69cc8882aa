#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/scripted_dialogs.h"
#include "reports/report_tables.h"
#include "reports/word_export.h"
#include "support/report_test_data.h"
#include "support/rtf_reader.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

using test::RtfDocument;

struct NamedEncoder : PictureEncoder
{
    std::string png(const Drawing&, int, int, double) const override { return "PNG"; }
};

struct WordExportTest : ::testing::Test
{
    std::unique_ptr<TestData> d = test::reportTestData(4);
    FixedTextMeasure measure;
    NamedEncoder encoder;
    test::TempDir dir;

    WordExportTest()
    {
        d->ysn2 = 2;
        for (int i = 0; i < 2; ++i)
            d->ysd[i].sj2.set("08:00");
        d->ysd[2].sj2.set(kUnusedTime);
    }

    void only(std::initializer_list<int> entries)
    {
        for (int e = 70; e <= 79; ++e)
            d->csz[e] = "0";
        for (const int e : entries)
            d->csz[e] = "1";
    }

    RtfDocument exported(const std::string& name = "t.doc")
    {
        const std::string path = dir.file(name);
        EXPECT_TRUE(exportWord(*d, 10, measure, encoder, path, WordFormat::Rtf).ok());
        const RtfDocument r = test::parseRtf(test::TempDir::read(path));
        EXPECT_TRUE(r.balanced);
        // The page composer has no header or footer text: no groups are written.
        EXPECT_EQ(r.headers + r.footers, 0);
        return r;
    }

    static std::size_t pictureCount(const RtfDocument& r)
    {
        std::size_t n = 0;
        for (const auto& t : r.tables)
            for (const auto& row : t)
                for (const auto& c : row.cells)
                    n += c.pictures.size();
        return n;
    }
};

TEST_F(WordExportTest, EachReportIsOneTableInTheOrderOfTheSelection)
{
    struct Case
    {
        std::initializer_list<int> entries;
        std::vector<std::string> titles;
        std::vector<std::size_t> rows; // of each table
        int pageBreaks;
        int sectionBreaks;
    };
    const std::string curves = kTitleCurves;
    const Case cases[] = {
        {{70}, {kTitleJlb}, {7}, 0, 0},
        {{71}, {kTitleHzb}, {7}, 0, 0},
        {{71, 77}, {kTitleJyhzb}, {2 + static_cast<std::size_t>(d->hzcount)}, 0, 0},
        {{78}, {kTitleYsb}, {5}, 0, 0},
        {{72}, {curves}, {3}, 0, 0},
        {{73}, {curves}, {3}, 0, 0},
        {{70, 71, 78}, {kTitleJlb, kTitleHzb, kTitleYsb}, {7, 7, 5}, 2, 0},
        {{78, 72, 73}, {kTitleYsb, curves, curves}, {5, 3, 3}, 1, 1},
        {{70, 72, 73, 79}, {kTitleJlb, curves}, {7, 4}, 0, 1},
        {{}, {}, {}, 0, 0},
    };
    for (const Case& c : cases) {
        only(c.entries);
        const RtfDocument r = exported();
        SCOPED_TRACE(testing::PrintToString(std::vector<int>(c.entries)));
        EXPECT_EQ(r.texts(), c.titles);
        ASSERT_EQ(r.tables.size(), c.rows.size());
        for (std::size_t k = 0; k < c.rows.size(); ++k)
            EXPECT_EQ(r.tables[k].size(), c.rows[k]) << k;
        EXPECT_EQ(r.pageBreaks, c.pageBreaks);
        EXPECT_EQ(r.sectionBreaks, c.sectionBreaks);
    }
}

TEST_F(WordExportTest, RecordTableHeaderCellsAreMerged)
{
    only({70});
    const test::RtfTable t = exported().tables.at(0);
    ASSERT_EQ(t[0].cells.size(), 3u);
    EXPECT_EQ(t[0].cells[0].text, "工程名称：某工程");
    EXPECT_EQ(t[0].cells[0].right, 6200);
    EXPECT_EQ(t[0].cells[1].text, "试桩编号：S1");
    EXPECT_EQ(t[0].cells[1].right, 8000);
    EXPECT_EQ(t[0].cells[2].right, 9900);
    // Row 2: three tall headings and two group headings over four columns each.
    ASSERT_EQ(t[1].cells.size(), 5u);
    EXPECT_EQ(t[1].cells[0].text, "荷载(kN)");
    EXPECT_TRUE(t[1].cells[0].mergeFirst);
    EXPECT_EQ(t[1].cells[3].text, "加载水平位移(mm)");
    EXPECT_FALSE(t[1].cells[3].mergeFirst);
    EXPECT_EQ(t[1].cells[3].right, 6200);
    ASSERT_EQ(t[2].cells.size(), 11u);
    EXPECT_TRUE(t[2].cells[2].mergeNext);
    EXPECT_EQ(t[2].cells[3].text, "上表1");
    EXPECT_EQ(t[3].cells[0].text, "50");
    EXPECT_EQ(t[1].height, 400);
    EXPECT_FALSE(t[0].fullWidth);
}

// The header block and the headings repeat on each page a report table runs on to; the
// curve tables have no header rows.
TEST_F(WordExportTest, ReportTablesRepeatTheirHeaderBlockAndHeadings)
{
    const auto headerRows = [](const test::RtfTable& t) {
        std::size_t n = 0;
        while (n < t.size() && t[n].header)
            ++n;
        for (std::size_t k = n; k < t.size(); ++k)
            EXPECT_FALSE(t[k].header) << k;
        return n;
    };
    only({70, 71, 78, 72});
    const RtfDocument full = exported();
    ASSERT_EQ(full.tables.size(), 4u);
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_EQ(headerRows(full.tables[k]), 3u) << k;
    EXPECT_EQ(headerRows(full.tables[3]), 0u);
    only({71, 77});
    EXPECT_EQ(headerRows(exported().tables.at(0)), 2u);
}

// The pictures fill their cells: the cell's width and the row's height inside the padding.
TEST_F(WordExportTest, FullSizeCurvesFillCellThreeOfTheirTablesOnPagesOfTheirOwn)
{
    only({70, 72, 73});
    const RtfDocument r = exported();
    ASSERT_EQ(r.tables.size(), 3u);
    EXPECT_EQ(pictureCount(r), 2u);
    const PageSetup page;
    for (const std::size_t k : {1u, 2u}) {
        const test::RtfTable& t = r.tables[k];
        EXPECT_EQ(t[2].height, 11600);
        ASSERT_EQ(t[2].cells.size(), 1u);
        ASSERT_EQ(t[2].cells[0].pictures.size(), 1u);
        const test::RtfPicture& p = t[2].cells[0].pictures[0];
        EXPECT_TRUE(p.png);
        EXPECT_EQ(p.wGoal, std::lround(page.contentWidth() - 2 * kCellPaddingX));
        EXPECT_EQ(p.hGoal, std::lround(11600 - 2 * kCellPaddingY));
        for (const auto& row : t) {
            EXPECT_TRUE(row.fullWidth);
            EXPECT_EQ(row.cells.back().right, std::lround(page.contentWidth()));
        }
    }
    // The curve part is a section with margins of 1.5 cm; the record table keeps the page's.
    ASSERT_EQ(r.sections.size(), 2u);
    EXPECT_EQ(r.sections[0].marginTop, std::lround(page.marginTop));
    EXPECT_EQ(r.sections[1].marginTop, 850);
    EXPECT_EQ(r.sections[1].marginBottom, 850);
    EXPECT_EQ(r.pageBreaks, 1);
}

TEST_F(WordExportTest, ReducedCurvesShareTheTableEachFillingItsRow)
{
    only({72, 73, 79});
    RtfDocument r = exported();
    ASSERT_EQ(r.tables.size(), 1u);
    const test::RtfTable* t = &r.tables[0];
    ASSERT_EQ(t->size(), 4u);
    for (const std::size_t row : {2u, 3u}) {
        ASSERT_EQ((*t)[row].cells.at(0).pictures.size(), 1u) << row;
        EXPECT_EQ((*t)[row].cells[0].pictures[0].wGoal,
                  std::lround(PageSetup{}.contentWidth() - 2 * kCellPaddingX));
        EXPECT_EQ((*t)[row].cells[0].pictures[0].hGoal, std::lround(5910 - 2 * kCellPaddingY));
        EXPECT_EQ((*t)[row].height, 5910);
    }
    ASSERT_EQ(r.sections.size(), 1u);
    EXPECT_EQ(r.sections[0].marginTop, 850);

    // One curve: it goes into row 3, whichever it is.
    for (const int curve : {72, 73}) {
        only({curve, 79});
        r = exported();
        t = &r.tables.at(0);
        EXPECT_EQ(pictureCount(r), 1u);
        EXPECT_EQ((*t)[2].cells.at(0).pictures.size(), 1u);
    }
}

TEST_F(WordExportTest, DocxAndFormatByName)
{
    EXPECT_EQ(wordFormatOf("/a/b.docx"), WordFormat::Docx);
    EXPECT_EQ(wordFormatOf("B.DocX"), WordFormat::Docx);
    EXPECT_EQ(wordFormatOf("b.doc"), WordFormat::Rtf);
    EXPECT_EQ(wordFormatOf("b.rtf"), WordFormat::Rtf);
    EXPECT_EQ(wordFormatOf("docx"), WordFormat::Rtf);
    EXPECT_EQ(wordFormatOf(""), WordFormat::Rtf);
    only({70, 72});
    const std::string path = dir.file("t.docx");
    EXPECT_TRUE(exportWord(*d, 10, measure, encoder, path, WordFormat::Docx).ok());
    EXPECT_EQ(test::TempDir::read(path).substr(0, 2), "PK");
    EXPECT_FALSE(exportWord(*d, 10, measure, encoder, dir.file("none/t.docx"), WordFormat::Docx).ok());
}

TEST_F(WordExportTest, CommandAsksWritesAndTellsOnlyAfterSuccess)
{
    only({70});
    ScriptedDialogs dialogs;
    WordExport command(*d, 10, dialogs, measure, encoder);
    const std::string target = dir.file("t.doc");

    dialogs.fileNames = {""}; // cancelled
    command.run();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "/data/t");
    EXPECT_EQ(dialogs.fileRequests[0].filterIndex, 2);
    EXPECT_EQ(dialogs.fileRequests[0].title, "另存为");
    EXPECT_FALSE(dialogs.fileRequests[0].confirmOverwrite);
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.fileNames = {target};
    command.run();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Word文件导出结束！");
    EXPECT_EQ(test::TempDir::read(target).rfind("{\\rtf1", 0), 0u);

    // An existing file: replaced only on Yes.
    dir.write("t.doc", "old");
    dialogs.fileNames = {target};
    dialogs.answers = {MsgAnswer::No};
    command.run();
    EXPECT_EQ(dialogs.messages.back().text, "文件已存在！是否替换？");
    EXPECT_EQ(test::TempDir::read(target), "old");

    // A file the user may not write is not replaced.
    ::chmod(target.c_str(), 0444);
    dialogs.fileNames = {target};
    dialogs.answers = {MsgAnswer::Yes};
    command.run();
    if (::access(target.c_str(), W_OK) != 0) {
        EXPECT_EQ(dialogs.messages.back().text, "文件已经打开！请关闭后继续操作！");
        EXPECT_EQ(test::TempDir::read(target), "old");
    }
    ::chmod(target.c_str(), 0644);

    // A folder that is not there: the reason, no closing message.
    dialogs.messages.clear();
    dialogs.fileNames = {dir.file("none/t.docx")};
    command.run();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.rfind("文件保存失败！", 0), 0u);
}

} // namespace
} // namespace pyx
