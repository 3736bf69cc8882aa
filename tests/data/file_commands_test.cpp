#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sys/stat.h>

#include "data/records.h"
#include "data/settings.h"
#include "data/startup.h"
#include "eval/evaluation.h"
#include "platform/scripted_dialogs.h"
#include "samplegen/sample_files.h"
#include "session/file_commands.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

JlbRec row(const char* sj, float hz, int xh, float base)
{
    JlbRec r;
    r.sj.set(sj);
    r.hz = hz;
    r.xh = static_cast<std::int16_t>(xh);
    for (int g = 0; g < 8; ++g)
        r.ds[g] = base + 0.01f * g;
    return r;
}

std::string recordFile(const std::vector<JlbRec>& rows, bool endMarker = true)
{
    std::string out;
    for (int i = 0; i < kRecordFileRows; ++i) {
        JlbRec r = i < static_cast<int>(rows.size()) ? rows[i] : JlbRec{};
        if (endMarker && i == static_cast<int>(rows.size()))
            r.hz = kEndLoad;
        out += encodeJlbRec(r);
    }
    return out;
}

struct FileCommandsTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    std::string settings = dir.file("spconfig.sys");
    FileCommands cmd{*d, dialogs, settings};
    int saveToolOff = 0;
    int completions = 0;

    void SetUp() override
    {
        startValues(*d, settings);
        cmd.hooks.setSaveEnabled = [this](bool on) { saveToolOff += on ? 0 : 1; };
        cmd.hooks.menuinfo = [this] { ++completions; };
    }

    OpenResult openFile(const std::string& path)
    {
        dialogs.fileNames.push_back(path);
        return cmd.open();
    }
};

TEST_F(FileCommandsTest, KindFollowsTheLengthAndTheName)
{
    const std::string bytes(16800, '\0'); // 150 rows of 112 bytes
    EXPECT_EQ(openFile(dir.write("a.pys", bytes)), OpenResult::Opened);
    EXPECT_EQ(d->ftype, FileKind::Record);
    EXPECT_EQ(d->jlbn, 149); // 149 rows of load 0 before the forced end marker
    EXPECT_EQ(openFile(dir.write("a.dat", bytes)), OpenResult::UnknownKind);
    EXPECT_EQ(d->curfile, "");
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, "文件格式不能识别！");
    EXPECT_EQ(dialogs.messages.back().title, "系统提示！");

    EXPECT_EQ(openFile(dir.write("b.dat", std::string(534, '\0'))), OpenResult::Opened);
    EXPECT_EQ(d->ftype, FileKind::Raw267);
    EXPECT_EQ(openFile(dir.write("c.dat", std::string(622, '\0'))), OpenResult::Opened);
    EXPECT_EQ(d->ftype, FileKind::Raw311);
    EXPECT_EQ(openFile(dir.write("d.PYS", std::string(83037, '\0'))), OpenResult::Opened);
    EXPECT_EQ(d->ftype, FileKind::Raw311); // a multiple of both record lengths
    EXPECT_EQ(openFile(dir.write("e.PYS", std::string(100, '\0'))), OpenResult::UnknownKind); // case matters
    EXPECT_EQ(openFile(dir.write("f.pys", "")), OpenResult::Opened); // empty record file: all zero rows
    EXPECT_EQ(d->ftype, FileKind::Record);
}

TEST_F(FileCommandsTest, RecordFileOpensWithForcedEndMarkerAndDerivedScales)
{
    std::vector<JlbRec> rows;
    for (int i = 0; i < 149; ++i)
        rows.push_back(row("08:00", 25.0f * (1 + i / 5), 1 + i % 5, 0.1f * i));
    const std::string bytes = recordFile(rows, false);
    EXPECT_EQ(openFile(dir.write("full.pys", bytes)), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 149);
    EXPECT_EQ(d->jlb[149].hz, kEndLoad);
    EXPECT_EQ(d->maxload, 750);
    EXPECT_EQ(d->kz3, "25");
    EXPECT_EQ(d->nstage, 30);
    EXPECT_FALSE(d->yfix);
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(d->dirty);
}

TEST_F(FileCommandsTest, RecordFileSavedAndReopenedGivesTheSameModel)
{
    std::vector<JlbRec> rows = {row("08:30", 12.5f, 1, 0.5f), row("08:34", 12.5f, 2, 0.7f),
                                row("08:40", 25.0f, 1, 1.2f)};
    rows.resize(40);
    rows[0].cstr.set("某某大桥工程");
    rows[5].cstr.set("500");
    rows[20].cs = 3;
    rows[20].cstr.set("Hcr");
    rows[38].cstr.set("12");
    rows[39].cstr.set("2.5");
    for (int i = 3; i < 40; ++i)
        rows[i].hz = i == 3 ? kEndLoad : rows[i].hz;
    std::string bytes;
    for (int i = 0; i < kRecordFileRows; ++i)
        bytes += encodeJlbRec(i < 40 ? rows[i] : JlbRec{});
    const std::string path = dir.write("t.pys", bytes);
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 3);
    EXPECT_EQ(d->nstage, 12);
    EXPECT_EQ(d->ystep, 2.5f);
    EXPECT_TRUE(d->yfix);
    EXPECT_EQ(d->bjtext, "500");
    const auto before = d->jlb;

    d->dirty = true;
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    EXPECT_FALSE(d->dirty);
    EXPECT_EQ(saveToolOff, 1);
    EXPECT_EQ(test::TempDir::read(path).size(), bytes.size());

    ASSERT_EQ(openFile(path), OpenResult::Opened);
    for (int i = 0; i < kRecordFileRows; ++i)
        EXPECT_EQ(d->jlb[i], before[i]) << "row " << i;
    // Save also rewrites the settings file.
    SettingsTable back;
    readSettings(settings, back);
    EXPECT_EQ(back[4], "500");
}

TEST_F(FileCommandsTest, RawOldFileConvertsPairsAndKeepsCycleNumbersThroughSave)
{
    std::string bytes;
    for (int i = 0; i < 6; ++i) {
        YsRecOld r;
        r.sj.set(i < 4 ? "10:00" : "10:10");
        r.v[0] = i < 4 ? 50.0f : 100.0f;
        r.v[1] = 0.1f * i;
        r.v[12] = static_cast<float>((i / 2) % 2); // cycle number minus 1
        if (i == 7)
            r.s60.set("工程");
        bytes += encodeYsRecOld(r);
    }
    // header rows beyond the readings
    for (int i = 6; i < 40; ++i) {
        YsRecOld r;
        r.sj.set("11111");
        if (i == 7) {
            r.s60.set("某工程");
            r.s20b.set("800");
        }
        if (i == 6)
            r.s20b.set("100");
        if (i == 33)
            r.s20a.set("0");
        bytes += encodeYsRecOld(r);
    }
    const std::string tail(267 * 5, 'T'); // a longer file keeps its records after the 300th
    std::string longer = bytes;
    longer.resize(300 * 267, '\0');
    longer += tail;
    const std::string path = dir.write("old.dat", longer);
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    EXPECT_EQ(d->ftype, FileKind::Raw267);
    ASSERT_EQ(d->jlbn, 3);
    EXPECT_EQ(d->jlb[0].xh, 1);
    EXPECT_EQ(d->jlb[1].xh, 2);
    EXPECT_EQ(d->jlb[2].xh, 1);
    EXPECT_EQ(d->jlb[1].ds[0], 0.2f);
    EXPECT_EQ(d->jlb[1].ds[4], 0.3f);
    EXPECT_EQ(d->jlb[3].hz, kEndLoad);
    EXPECT_EQ(d->maxload, 100);
    EXPECT_EQ(d->jlb[0].cstr.trimmed(), "某工程");
    EXPECT_EQ(d->csz[3], "100");
    EXPECT_EQ(d->csz[4], "800");
    EXPECT_EQ(d->csz[12], "0");

    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    const std::string saved = test::TempDir::read(path);
    ASSERT_EQ(saved.size(), 305u * 267);
    EXPECT_EQ(saved.substr(300 * 267), tail);
    const YsRecOld r1 = decodeYsRecOld(std::string_view(saved).substr(267));
    EXPECT_EQ(r1.v[12], 0.0f); // cycle 1 stored minus 1
    const YsRecOld r2 = decodeYsRecOld(std::string_view(saved).substr(2 * 267));
    EXPECT_EQ(r2.v[12], 1.0f);

    ASSERT_EQ(openFile(path), OpenResult::Opened);
    EXPECT_EQ(d->jlb[0].xh, 1);
    EXPECT_EQ(d->jlb[1].xh, 2);
    EXPECT_EQ(d->jlb[2].xh, 1);
}

TEST_F(FileCommandsTest, RawFileSaveKeepsEveryByteItDoesNotRewrite)
{
    std::string bytes;
    for (int i = 0; i < 60; ++i) {
        YsRec r;
        r.sj.set(i < 4 ? "10:00" : "11111");
        r.v[0] = 50;
        r.v[13] = static_cast<float>(1 + i / 2);
        r.u[7] = 123.0f + i; // carried values
        r.zt.setRaw(std::string("\x01\x00\xff", 3));
        r.s20c.set("logger");
        bytes += encodeYsRec(r);
    }
    const std::string path = dir.write("new.dat", bytes);
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    ASSERT_EQ(d->jlbn, 2);
    d->dirty = true;
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    const std::string saved = test::TempDir::read(path);
    ASSERT_EQ(saved.size(), bytes.size());
    // Records 1 .. 51 (the table and the fixed header rows) are rewritten; what they carry is kept.
    for (int i = 0; i < 60; ++i) {
        const YsRec a = decodeYsRec(std::string_view(bytes).substr(i * kYsRecSize));
        const YsRec b = decodeYsRec(std::string_view(saved).substr(i * kYsRecSize));
        EXPECT_EQ(a.u, b.u);
        EXPECT_EQ(a.zt, b.zt);
        if (i > 0) { // row 0 carries the save's mark
            EXPECT_EQ(a.s20c, b.s20c) << "record " << i;
        }
    }
    EXPECT_EQ(saved.substr(51 * kYsRecSize), bytes.substr(51 * kYsRecSize));
}

TEST_F(FileCommandsTest, LoggerFileWithLevelRecordsKeepsItsTableThroughSave)
{
    const std::string original =
        test::TempDir::read(std::string(PYX_SOURCE_DIR) + "/samples/logger_levels.pyx");
    const std::string path = dir.write("levels.pyx", original);
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    ASSERT_EQ(d->jlbn, 50);
    EXPECT_EQ(d->ysd[50].s20a.trimmed(), "1"); // readings were dropped by their status
    d->jlb[7].ds[2] = 9.87f;
    const auto table = d->jlb;
    ASSERT_EQ(cmd.save(), SaveResult::Saved);

    const std::string saved = test::TempDir::read(path);
    const std::size_t records = original.size() / kYsRecSize;
    ASSERT_GE(saved.size(), original.size());
    for (std::size_t i = 0; i < records; ++i) {
        const YsRec a = decodeYsRec(std::string_view(original).substr(i * kYsRecSize));
        const YsRec b = decodeYsRec(std::string_view(saved).substr(i * kYsRecSize));
        EXPECT_EQ(a.sj2, b.sj2) << "record " << i; // the logger's own reading is kept
        EXPECT_EQ(a.u, b.u) << "record " << i;
        EXPECT_EQ(a.zt, b.zt) << "record " << i;
    }
    const YsRec first = decodeYsRec(saved);
    EXPECT_EQ(first.s20a.trimmed(), "1"); // read back as plain pairs
    EXPECT_EQ(decodeYsRec(std::string_view(saved).substr(50 * kYsRecSize)).s20a.trimmed(), "1");

    ASSERT_EQ(openFile(path), OpenResult::Opened);
    ystodb(*d);
    ASSERT_EQ(d->jlbn, 50);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(d->jlb[i], table[i]) << "row " << i;
    ASSERT_EQ(d->hzcount, 10);
    EXPECT_EQ(d->hzdat[9].load, 400.0f);
    EXPECT_EQ(d->kz3, "40");
    EXPECT_EQ(d->maxload, 400);
}

TEST_F(FileCommandsTest, FractionalLoadsAndMissingTimesSurviveASaveOfA311ByteFile)
{
    samples::CyclicTest t;
    t.stages = 3;
    const std::string path = dir.write("pairs.pyx", samples::loggerFile(t, samples::LoggerMode::Pairs));
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    ASSERT_EQ(d->jlbn, 15);
    d->jlb[2].hz = 62.5f;      // a load typed in with decimals
    d->jlb[3].sj.set("--:--"); // a reading without its time
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 15);
    EXPECT_EQ(d->jlb[2].hz, 62.5f);
    EXPECT_EQ(d->jlb[3].sj.trimmed(), "--:--");
    EXPECT_EQ(d->jlb[3].hz, 40.0f);
    EXPECT_EQ(d->kz3, "40");
}

TEST_F(FileCommandsTest, RawOldFileSavesEveryRowOfALongTable)
{
    samples::CyclicTest t;
    t.stages = 32; // 160 rows: 320 records, more than the 300 a logger file is saved with
    const std::string path = dir.write("long.pyw", samples::oldLoggerFile(t));
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    ASSERT_EQ(d->jlbn, 160);
    d->jlb[155].ds[0] = 7.5f;
    d->jlb[159].ds[7] = 0.5f;
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    ASSERT_EQ(d->jlbn, 160);
    EXPECT_EQ(d->jlb[155].ds[0], 7.5f);
    EXPECT_EQ(d->jlb[159].ds[7], 0.5f);

    // A shorter table ends where it now ends, past record 300 too.
    d->jlbn = 152;
    d->jlb[152].hz = kEndLoad;
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 152);

    // Never fewer than 300 records.
    d->jlbn = 2;
    d->jlb[2].hz = kEndLoad;
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    EXPECT_GE(test::TempDir::read(path).size(), 300u * kYsRecOldSize);
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 2);
}

TEST_F(FileCommandsTest, SaveThroughASymbolicLinkWritesItsTarget)
{
    std::filesystem::create_directory(dir.file("store"));
    const std::string target = dir.write("store/t.pys", recordFile({row("08:00", 10, 1, 1)}));
    const std::string link = dir.file("t.pys");
    std::filesystem::create_symlink("store/t.pys", link);
    ASSERT_EQ(openFile(link), OpenResult::Opened);
    d->jlb[0].hz = 20;
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(decodeJlbRec(test::TempDir::read(target)).hz, 20.0f);
    ASSERT_EQ(openFile(link), OpenResult::Opened);
    EXPECT_EQ(d->jlb[0].hz, 20.0f);
}

TEST_F(FileCommandsTest, FailedSaveIsReportedAndChangesNothing)
{
    const std::string path = dir.write("t.pys", recordFile({row("08:00", 10, 1, 1)}));
    ASSERT_EQ(openFile(path), OpenResult::Opened);
    d->dirty = true;
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(cmd.save(), SaveResult::Failed);
    EXPECT_TRUE(d->dirty);
    EXPECT_EQ(saveToolOff, 0);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().title, "系统警告！");
    EXPECT_EQ(dialogs.messages.back().text.rfind("文件保存失败！", 0), 0u);
    EXPECT_GT(dialogs.messages.back().text.size(), std::string("文件保存失败！").size());

    d->curfile = dir.file("missing-folder/t.pys");
    EXPECT_EQ(cmd.save(), SaveResult::Failed);
    EXPECT_TRUE(d->dirty);
}

TEST_F(FileCommandsTest, OpenAsksToSaveUnsavedDataFirst)
{
    const std::string first = dir.write("a.pys", recordFile({row("08:00", 10, 1, 1)}));
    const std::string second = dir.write("b.pys", recordFile({row("08:00", 20, 1, 1)}));
    ASSERT_EQ(openFile(first), OpenResult::Opened);
    d->jlb[0].hz = 15;
    d->dirty = true;
    dialogs.answers.push_back(MsgAnswer::Yes);
    ASSERT_EQ(openFile(second), OpenResult::Opened);
    EXPECT_EQ(dialogs.messages.back().text, "文件没有保存！保存否？");
    EXPECT_EQ(decodeJlbRec(test::TempDir::read(first)).hz, 15.0f);
    EXPECT_EQ(d->jlb[0].hz, 20.0f);

    // Cancelling the open dialog leaves the open test as it was.
    dialogs.fileNames.clear();
    EXPECT_EQ(cmd.open(), OpenResult::Cancelled);
    EXPECT_EQ(d->curfile, second);
    EXPECT_EQ(d->jlb[0].hz, 20.0f);
}

TEST_F(FileCommandsTest, UnreadableFileLeavesNoTestOpen)
{
    ASSERT_EQ(openFile(dir.file("nothing.pys")), OpenResult::Unreadable);
    EXPECT_EQ(d->curfile, "");
    EXPECT_EQ(d->jlbn, 0);
    EXPECT_EQ(dialogs.messages.back().text.rfind("文件打开失败！", 0), 0u);
    EXPECT_EQ(dialogs.messages.back().title, "系统提示！");
    EXPECT_EQ(completions, 1); // menus refreshed
}

TEST_F(FileCommandsTest, NewTestKeepsTheOldNameWhenOverwriteIsRefused)
{
    const std::string open = dir.write("a.pys", recordFile({row("08:00", 10, 1, 1)}));
    ASSERT_EQ(openFile(open), OpenResult::Opened);
    const std::string existing = dir.write("keep.pys", "precious");
    int projectInfo = 0;
    cmd.hooks.newProjectInfo = [&] { ++projectInfo; };

    dialogs.fileNames.push_back(existing);
    dialogs.answers.push_back(MsgAnswer::No);
    cmd.newTest();
    EXPECT_EQ(dialogs.messages.back().text, "该文件已经存在！覆盖它？");
    EXPECT_EQ(dialogs.messages.back().defaultButton, 2);
    EXPECT_EQ(d->curfile, open);
    EXPECT_EQ(projectInfo, 0);
    EXPECT_EQ(test::TempDir::read(existing), "precious");

    const std::string fresh = dir.file("fresh.pys");
    dialogs.fileNames.push_back(fresh);
    cmd.newTest();
    EXPECT_EQ(d->curfile, fresh);
    EXPECT_EQ(d->jlbn, 0);
    EXPECT_TRUE(d->newtest);
    EXPECT_EQ(d->csz[1], "0");
    EXPECT_EQ(projectInfo, 1);
    EXPECT_TRUE(std::filesystem::exists(fresh));
    // A new test is a record file with no rows, whatever was open before.
    ASSERT_EQ(cmd.save(), SaveResult::Saved);
    ASSERT_EQ(openFile(fresh), OpenResult::Opened);
    EXPECT_EQ(d->ftype, FileKind::Record);
    EXPECT_EQ(d->jlbn, 0);
}

TEST_F(FileCommandsTest, BadFilesOpenWithoutHarm)
{
    // NaN, infinite and huge values, garbage texts, and more records than the arrays hold.
    std::string nan;
    for (int i = 0; i < 150; ++i) {
        JlbRec r = row("\xff\xfe", std::numeric_limits<float>::quiet_NaN(), 1, 0);
        r.ds[0] = std::numeric_limits<float>::infinity();
        if (i == 0)
            r.hz = 3e38f;
        nan += encodeJlbRec(r);
    }
    EXPECT_EQ(openFile(dir.write("nan.pys", nan)), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 149);
    EXPECT_EQ(d->maxload, 0); // no load converts to a whole number

    std::string garbage(311 * 4000, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919) >> 3);
    EXPECT_EQ(openFile(dir.write("g.dat", garbage)), OpenResult::Opened);
    EXPECT_LE(d->jlbn, kJlbRows - 1);
    EXPECT_EQ(d->ysn0, 4000);

    std::string manyPairs;
    for (int i = 0; i < 1000; ++i) {
        YsRecOld r;
        r.sj.set("10:00");
        r.v[0] = 1e30f;
        r.v[12] = 1e30f;
        manyPairs += encodeYsRecOld(r);
    }
    EXPECT_EQ(openFile(dir.write("many.dat", manyPairs)), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, kJlbRows - 1);
    EXPECT_EQ(d->jlb[kJlbRows - 1].hz, kEndLoad);
    EXPECT_EQ(d->maxload, 0);

    EXPECT_EQ(openFile(dir.write("trunc.pys", std::string(1000, '\x7f'))), OpenResult::Opened);
    EXPECT_EQ(d->jlb[149].hz, kEndLoad);
}

// Each open starts from blank raw rows whatever the test before it held: a shorter file or
// one of the other layout leaves nothing of a longer one behind.
TEST_F(FileCommandsTest, EveryOpenStartsFromBlankRawRows)
{
    const auto fresh = std::make_unique<TestData>();
    clearForOpen(*fresh);
    const YsRec blank = fresh->ysd[0];
    const YsRecOld blankOld = fresh->ysdo[0];
    const auto rawFile = [](int rows) {
        std::string out;
        for (int i = 0; i < rows; ++i) {
            YsRec r;
            r.sj.set("10:00");
            r.sj2.set("10:00");
            r.v[0] = static_cast<float>(i);
            out += encodeYsRec(r);
        }
        return out;
    };
    std::string old;
    for (int i = 0; i < 120; ++i) {
        YsRecOld r;
        r.sj.set("09:00");
        old += encodeYsRecOld(r);
    }
    const std::string longer = dir.write("long.pyx", rawFile(900));
    const std::string shorter = dir.write("short.pyx", rawFile(40));
    const std::string older = dir.write("old.pyw", old);

    ASSERT_EQ(openFile(older), OpenResult::Opened);
    ASSERT_EQ(openFile(longer), OpenResult::Opened);
    for (int i = 0; i < kRawRows; ++i)
        ASSERT_TRUE(d->ysdo[i] == blankOld) << i;
    ASSERT_EQ(openFile(shorter), OpenResult::Opened);
    for (int i = 40; i < kRawRows; ++i)
        ASSERT_TRUE(d->ysd[i] == blank) << i;
    ASSERT_EQ(openFile(longer), OpenResult::Opened);
    ASSERT_EQ(openFile(older), OpenResult::Opened);
    for (int i = 0; i < kRawRows; ++i)
        ASSERT_TRUE(d->ysd[i] == blank) << i;
    for (int i = 120; i < kRawRows; ++i)
        ASSERT_TRUE(d->ysdo[i] == blankOld) << i;
    ASSERT_EQ(openFile(longer), OpenResult::Opened);
    EXPECT_EQ(openFile(dir.file("gone.pyx")), OpenResult::Unreadable);
    for (int i = 0; i < kRawRows; ++i)
        ASSERT_TRUE(d->ysd[i] == blank) << i;
}

} // namespace
} // namespace pyx
