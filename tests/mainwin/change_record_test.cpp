// The record of changes of a logger file: the cells and rows that differ from the logger's
// readings, in the window, in the report and after saves.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "data/change_record.h"
#include "data/numfmt.h"
#include "data/settings_entries.h"
#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_measure.h"
#include "reports/change_record_page.h"
#include "reports/report_build.h"
#include "samplegen/sample_files.h"
#include "support/record_files.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

std::vector<std::string> paragraphs(const PageDocument& doc)
{
    std::vector<std::string> out;
    for (const Block& b : doc.flow())
        if (const auto* p = std::get_if<Paragraph>(&b))
            out.push_back(p->text);
    return out;
}

struct ChangeRecordTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, dir.file("spconfig.sys")};
    TextGrid& g = w.grid;

    void open(const std::string& path)
    {
        dialogs.fileNames.push_back(path);
        w.dispatch("miFOpen");
    }
    std::string logger(samples::LoggerMode mode)
    {
        samples::CyclicTest t;
        t.stages = 4;
        return dir.write(mode == samples::LoggerMode::Pairs ? "pairs.pyx" : "levels.pyx",
                         samples::loggerFile(t, mode));
    }
};

TEST_F(ChangeRecordTest, ThreeEditedCellsAndAnInsertedRowAreRecordedAndSurviveSaves)
{
    w.load(1366);
    open(logger(samples::LoggerMode::LevelRecords));
    ASSERT_TRUE(d->logger.held);
    ASSERT_EQ(d->logger.sha256.size(), 64u);
    const std::string fingerprint = d->logger.sha256;
    EXPECT_TRUE(tableEdits(*d).empty());
    EXPECT_EQ(w.editSummary, "与记录仪读数一致");
    const JlbRec row1 = d->jlb[0];
    const JlbRec row2 = d->jlb[1];
    const JlbRec row5 = d->jlb[4];
    const JlbRec row6 = d->jlb[5];

    ASSERT_TRUE(g.commitEdit(2, 4, "7"));    // row 1, loading upper gauge 1
    ASSERT_TRUE(g.commitEdit(3, 11, "0.5")); // row 2, unloading lower gauge 2
    ASSERT_TRUE(g.commitEdit(6, 1, "45"));   // row 5, the load
    g.setCurrent(7, 1);                      // row 6 copied below itself
    w.dispatch("miCcryh");

    const std::vector<TableEdit> expected{
        {TableEdit::Kind::Changed, 1, 1, 4, row1.hz, row1.xh, row1.ds[0], 7.0f},
        {TableEdit::Kind::Changed, 2, 2, 11, row2.hz, row2.xh, row2.ds[7], 0.5f},
        {TableEdit::Kind::Changed, 5, 5, 1, 45.0f, row5.xh, row5.hz, 45.0f},
        {TableEdit::Kind::Inserted, 7, 0, 0, row6.hz, row6.xh, 0, 0},
    };
    EXPECT_EQ(tableEdits(*d), expected);
    EXPECT_EQ(w.editSummary, "与记录仪读数不同：3 个单元格，插入 1 行，删除 0 行");
    // The cells are marked in the grid with the logger's value.
    EXPECT_EQ(g.note(2, 4), "记录仪读数：" + singleText(row1.ds[0]));
    EXPECT_EQ(g.note(6, 1), "记录仪读数：" + singleText(row5.hz));
    EXPECT_EQ(g.note(8, 5), "插入的行：记录仪没有这一行");
    EXPECT_EQ(g.note(2, 5), "");

    // Saved, edited once more, saved and opened again: the differences and the fingerprint
    // are what the logger's readings give, whatever the saves wrote into the table's rows.
    w.dispatch("miFSave");
    const JlbRec row3 = d->jlb[2];
    ASSERT_TRUE(g.commitEdit(4, 4, "9"));
    w.dispatch("miFSave");
    open(d->curfile);
    EXPECT_EQ(d->logger.sha256, fingerprint);
    // Opened again, the cycle numbers are corrected: the row of 45 kN is a run of its own
    // (cycle 1), the copied row the second cycle of its load.
    std::vector<TableEdit> after = expected;
    after[2].cycle = 1;
    after[3].cycle = 2;
    after.insert(after.begin() + 2, {TableEdit::Kind::Changed, 3, 3, 4, row3.hz, row3.xh, row3.ds[0], 9.0f});
    EXPECT_EQ(tableEdits(*d), after);

    // Without the inserted row and without row 2, the logger's row 2 is told as deleted.
    g.setCurrent(8, 1);
    w.dispatch("miCscyh");
    g.setCurrent(3, 1);
    w.dispatch("miCscyh");
    const std::vector<TableEdit> deleted{
        {TableEdit::Kind::Changed, 1, 1, 4, row1.hz, row1.xh, row1.ds[0], 7.0f},
        {TableEdit::Kind::Deleted, 2, 2, 0, row2.hz, row2.xh, 0, 0},
        {TableEdit::Kind::Changed, 2, 3, 4, row3.hz, row3.xh, row3.ds[0], 9.0f},
        {TableEdit::Kind::Changed, 4, 5, 1, 45.0f, 1, row5.hz, 45.0f},
    };
    EXPECT_EQ(tableEdits(*d), deleted);
    EXPECT_EQ(w.editSummary, "与记录仪读数不同：3 个单元格，插入 0 行，删除 1 行");
}

TEST_F(ChangeRecordTest, TheReportListsEachDifferenceUnderTheFingerprint)
{
    w.load(1366);
    open(logger(samples::LoggerMode::Pairs));
    ASSERT_TRUE(d->logger.held);
    const float was = d->jlb[2].ds[1];
    ASSERT_TRUE(g.commitEdit(4, 5, "3"));
    const std::vector<std::vector<std::string>> rows = changeRecordRows(*d);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"行号", "荷载(kN)", "循环数", "项目", "记录仪读数", "采用值"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"3", formatSingle(d->jlb[2].hz, "#0.00"),
                                                 std::to_string(d->jlb[2].xh), "加载上表2",
                                                 formatSingle(was, "#0.00"), "3.00"}));

    const FixedTextMeasure measure;
    PageDocument doc(measure);
    setSettingFlag(d->csz, setting::kPrintChangeRecord, true);
    ReportBuilder builder(*d, g.rows());
    PageDocument without(measure);
    ReportBuilder(*d, g.rows()).buildPreview(doc);
    setSettingFlag(d->csz, setting::kPrintChangeRecord, false);
    ReportBuilder(*d, g.rows()).buildPreview(without);
    EXPECT_EQ(doc.pageCount(), without.pageCount() + 1);
    const std::vector<std::string> texts = paragraphs(doc);
    const auto has = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_TRUE(has(kTitleChangeRecord));
    EXPECT_TRUE(has(d->logger.sha256));
    EXPECT_TRUE(has("记录表与记录仪读数不同之处共 1 处："));
}

TEST_F(ChangeRecordTest, ARecordFileHasNoLoggerReadingsToCompare)
{
    w.load(1366);
    open(dir.write("t.pys",
                   test::recordFile({test::recordRow("08:30", 40, 1), test::recordRow("09:00", 80, 1)})));
    EXPECT_FALSE(d->logger.held);
    EXPECT_TRUE(tableEdits(*d).empty());
    EXPECT_EQ(w.editSummary, "");
    const FixedTextMeasure measure;
    PageDocument doc(measure);
    doc.start("Tahoma");
    ChangeRecordPages(doc, *d, [] {});
    const std::vector<std::string> texts = paragraphs(doc);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2], "本试验为记录表文件（*.pys），没有记录仪的原始读数，无法与之对照。");
}

} // namespace
} // namespace pyx
