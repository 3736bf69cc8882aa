#include <gtest/gtest.h>

#include <memory>

#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "support/record_files.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

using test::recordRow;

struct RecordEditingTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    MainWindow w{*d, dialogs, dir.file("spconfig.sys")};
    TextGrid& g = w.grid;

    void openRows(const std::vector<JlbRec>& rows)
    {
        w.load(1366);
        dialogs.fileNames.push_back(dir.write("t.pys", test::recordFile(rows)));
        w.dispatch("miFOpen");
    }
    std::vector<JlbRec> loads(std::initializer_list<float> hz)
    {
        std::vector<JlbRec> rows;
        for (float h : hz)
            rows.push_back(recordRow("08:30", h, 1, {1, 1, 2, 2, 0.5f, 0.5f, 1, 1}));
        return rows;
    }
    bool accepted(int col, const std::string& text)
    {
        bool cancel = false;
        g.onValidate(2, col, text, cancel);
        return !cancel;
    }
};

TEST_F(RecordEditingTest, KeyFilterKeepsWhatEachColumnAccepts)
{
    openRows(loads({10, 10}));
    EXPECT_EQ(g.typeKeys(2, 1, "12a.5"), "12.5");
    EXPECT_EQ(g.typeKeys(2, 2, "08:30ab"), "08:30");
    EXPECT_EQ(g.typeKeys(2, 3, "1-2."), "12");
    EXPECT_EQ(g.typeKeys(2, 4, "-0.5x"), "-0.5");
    // Enter moves the current row down while there is a row below.
    g.setCurrent(2, 4);
    int enter = 13;
    g.onKeyPress(2, 4, enter);
    EXPECT_EQ(g.currentRow(), 3);
    g.onKeyPress(3, 4, enter);
    EXPECT_EQ(g.currentRow(), 3);
}

TEST_F(RecordEditingTest, ValidationRefusesWhatCannotBeStored)
{
    openRows(loads({10, 10}));
    const struct
    {
        int col;
        const char* text;
        bool ok;
        bool beep;
    } cases[] = {
        {2, "24:00", false, false},     {2, "23:59", true, false},   {2, "12:60", false, false},
        {2, "--:--", true, false},      {2, "8:30", false, false},   {2, "08-30", false, false},
        {3, "21", false, true},         {3, "20", true, false},      {3, "", true, false},
        {4, "12345", false, true},      {4, "1234567", false, true}, {4, "--", true, false},
        {4, "-0.5", true, false},       {4, "abc", false, true},     {1, "12.5", true, false},
        {1, "1234567890", false, true}, {1, "", false, true},
    };
    for (const auto& c : cases) {
        const int beeps = dialogs.beeps;
        EXPECT_EQ(accepted(c.col, c.text), c.ok) << c.col << " " << c.text;
        EXPECT_EQ(dialogs.beeps - beeps, c.beep ? 1 : 0) << c.col << " " << c.text;
    }
}

TEST(EditRefusal, EachRefusalHasItsReason)
{
    const struct
    {
        int col;
        const char* text;
        EditRefusal refusal;
        const char* reason;
    } cases[] = {
        {1, "1234567890", EditRefusal::TooLong, "荷载最多 9 个字符"},
        {1, "", EditRefusal::NotNumeric, "荷载应为数字"},
        {1, "100000000", EditRefusal::TooLarge, "荷载超出范围（最大 99999999）"},
        {1, "99999999", EditRefusal::None, ""},
        {2, "8:30", EditRefusal::TimeFormat, "时间格式应为 hh:mm"},
        {2, "08-30", EditRefusal::TimeFormat, "时间格式应为 hh:mm"},
        {2, "24:00", EditRefusal::TimeHours, "小时应为 00 至 23"},
        {2, "24:60", EditRefusal::TimeHours, "小时应为 00 至 23"}, // the first rule broken
        {2, "12:60", EditRefusal::TimeMinutes, "分钟应为 00 至 59"},
        {2, "--:30", EditRefusal::None, ""}, // unreadable hours end the checks
        {2, "--:--", EditRefusal::None, ""},
        {3, "21", EditRefusal::TooLarge, "循环数超出范围（最大 20）"},
        {3, "x", EditRefusal::None, ""},
        {4, "1234567", EditRefusal::TooLong, "读数最多 6 个字符"},
        {11, "1.2.3", EditRefusal::NotNumeric, "读数应为数字或 --"},
        {7, "12345", EditRefusal::TooLarge, "读数超出范围（最大 9999）"},
        {7, "-99999", EditRefusal::None, ""},
        {0, "12345", EditRefusal::TooLarge, "序号超出范围（最大 9999）"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkEdit(c.col, c.text), c.refusal) << c.col << " " << c.text;
        EXPECT_EQ(refusalReason(c.col, c.refusal), c.reason) << c.col << " " << c.text;
    }
}

TEST_F(RecordEditingTest, ARefusalTellsItsReasonUntilTheNextValidEdit)
{
    openRows(loads({10, 10}));
    std::vector<std::string> shown;
    w.editor.refusalChanged = [&](const std::string& reason) { shown.push_back(reason); };
    EXPECT_FALSE(g.commitEdit(2, 4, "12345"));
    EXPECT_FALSE(g.commitEdit(2, 5, "99999"));
    EXPECT_EQ(w.editor.refusal(), "读数超出范围（最大 9999）");
    EXPECT_FALSE(g.commitEdit(2, 2, "24:00"));
    EXPECT_TRUE(g.commitEdit(2, 2, "23:59"));
    EXPECT_TRUE(g.commitEdit(2, 3, "2"));
    EXPECT_EQ(w.editor.refusal(), "");
    EXPECT_EQ(shown, (std::vector<std::string>{"读数超出范围（最大 9999）", "小时应为 00 至 23", ""}));
    // The summary tables are not edited: nothing is refused there.
    w.hzbdata_Click();
    bool cancel = false;
    g.onValidate(2, 4, "12345", cancel);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(shown.size(), 3u);
}

TEST_F(RecordEditingTest, CommittedTextsAreNormalisedAndReachTheRecordTable)
{
    openRows(loads({10, 10, 20}));
    ASSERT_TRUE(g.commitEdit(2, 3, "3"));
    EXPECT_EQ(g.text(2, 3), "3");
    EXPECT_EQ(d->jlb[0].xh, 3);
    ASSERT_TRUE(g.commitEdit(2, 6, "5"));
    EXPECT_EQ(g.text(2, 6), "5.00");
    EXPECT_EQ(d->jlb[0].ds[2], 5.0f);
    EXPECT_EQ(d->jlbp[0].ds[dispLoading], 3.5f);
    ASSERT_TRUE(g.commitEdit(3, 1, "12.5"));
    EXPECT_EQ(g.text(3, 1), "12.50");
    EXPECT_EQ(d->jlb[1].hz, 12.5f);
    EXPECT_TRUE(d->hzdecimal);
    EXPECT_FALSE(g.commitEdit(2, 4, "99999"));
    EXPECT_EQ(g.text(2, 4), "1.00");
    EXPECT_TRUE(d->dirty);
}

TEST_F(RecordEditingTest, CycleNumbersRunOneToFiveWithinEqualLoads)
{
    openRows(loads({10, 10, 10, 10, 10, 10, 20, 20}));
    for (int r = 2; r < 10; ++r)
        g.setText(r, 3, "9");
    w.dispatch("miCxhs");
    const char* expected[] = {"1", "2", "3", "4", "5", "1", "1", "2"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(g.text(i + 2, 3), expected[i]) << i;
    EXPECT_EQ(d->jlb[5].xh, 1);
    EXPECT_EQ(d->jlb[7].xh, 2);
}

TEST_F(RecordEditingTest, OpenCorrectsCycleNumbersQuietly)
{
    std::vector<JlbRec> rows = loads({10, 10, 20});
    rows[1].xh = 7;
    openRows(rows);
    EXPECT_EQ(d->jlb[1].xh, 2);
    EXPECT_FALSE(d->dirty);
    EXPECT_FALSE(w.bar.tool("mnuFile", "miFSave")->enabled);
}

TEST_F(RecordEditingTest, InsertDuplicatesTheCurrentRowAndRenumbers)
{
    openRows(loads({10, 20, 30, 40}));
    g.setCurrent(2, 1);
    w.dispatch("miCcryh");
    EXPECT_EQ(g.rows(), 6); // the first data row: nothing happens
    g.setCurrent(4, 1);
    w.dispatch("miCcryh");
    ASSERT_EQ(g.rows(), 7);
    EXPECT_EQ(g.text(5, 1), "30");
    for (int r = 2; r < 7; ++r)
        EXPECT_EQ(g.text(r, 0), std::to_string(r - 1));
    EXPECT_EQ(d->jlbn, 5);
    EXPECT_EQ(d->jlb[3].hz, 30.0f);
    EXPECT_EQ(d->jlb[4].hz, 40.0f);
    EXPECT_EQ(d->jlb[5].hz, kEndLoad);
    EXPECT_TRUE(d->dirty);
}

TEST_F(RecordEditingTest, InsertStopsWhereTheFileCouldNotKeepTheRow)
{
    std::vector<JlbRec> rows(kRecordFileRows - 2, recordRow("08:30", 10, 1));
    openRows(rows);
    ASSERT_EQ(g.rows(), kRecordFileRows); // 148 data rows
    g.setCurrent(4, 1);
    w.dispatch("miCcryh");
    ASSERT_EQ(g.rows(), kRecordFileRows + 1);
    dialogs.messages.clear();
    w.dispatch("miCcryh");
    EXPECT_EQ(g.rows(), kRecordFileRows + 1); // 149 rows: the file is full
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "记录表已满（最多149行），不能再插入行！");

    // Saved and opened again, every row is there.
    w.dispatch("miFSave");
    dialogs.fileNames.push_back(d->curfile);
    w.dispatch("miFOpen");
    EXPECT_EQ(d->jlbn, kRecordFileRows - 1);
    EXPECT_EQ(tableCapacity(FileKind::Raw311), kJlbRows - 1);
}

TEST_F(RecordEditingTest, DeleteMovesTheCurrentRowAndRenumbers)
{
    openRows(loads({10, 20, 30}));
    g.setCurrent(3, 1);
    w.dispatch("miCscyh");
    EXPECT_EQ(g.rows(), 4);
    EXPECT_EQ(g.currentRow(), 3);
    EXPECT_EQ(g.text(3, 0), "2");
    EXPECT_EQ(d->jlb[1].hz, 30.0f);
    g.setCurrent(3, 1);
    w.dispatch("miCscyh"); // the last row: the current row moves up
    EXPECT_EQ(g.currentRow(), 2);
    w.dispatch("miCscyh");
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(d->jlbn, 0);
    EXPECT_EQ(d->jlb[0].hz, kEndLoad);
}

TEST_F(RecordEditingTest, ContextMenuOpensOnlyOnDataCells)
{
    openRows(loads({10, 20}));
    int popups = 0;
    w.editor.popupEditMenu = [&] { ++popups; };
    g.onMouseDown(2, 0, 3); // header
    g.onMouseDown(2, 3, 0); // serial column
    g.onMouseDown(1, 3, 3); // left button
    EXPECT_EQ(popups, 0);
    g.onMouseDown(2, 3, 4);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(g.currentRow(), 3);
    EXPECT_EQ(g.currentCol(), 4);
}

} // namespace
} // namespace pyx
