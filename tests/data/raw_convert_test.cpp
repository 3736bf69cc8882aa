#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "data/raw_save_mark.h"
#include "data/records.h"
#include "data/startup.h"
#include "eval/curve_scale.h"
#include "eval/evaluation.h"
#include "platform/scripted_dialogs.h"
#include "samplegen/sample_files.h"
#include "session/file_commands.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

using samples::CyclicTest;
using samples::LoggerMode;

using Gauges = std::array<float, 4>;

struct RawConvertTest : ::testing::Test
{
    test::TempDir dir;
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    FileCommands cmd{*d, dialogs, dir.file("spconfig.sys")};

    void SetUp() override
    {
        startValues(*d, dir.file("spconfig.sys"));
        cmd.hooks.evaluate = [this] { ystodb(*d); };
        cmd.hooks.display = [this] { display(*d, CurveDrawers{}); };
    }

    OpenResult open(const std::string& bytes, const std::string& name = "test.pyx")
    {
        return cmd.openPath(dir.write(name, bytes));
    }

    OpenResult openRows(std::vector<YsRec> rows, LoggerMode mode, samples::TestHeader header = {})
    {
        samples::applyHeader(rows, header, mode);
        return open(samples::encodeLogger(rows));
    }

    void expectRow(int i, float hz, const Gauges& loading, const Gauges& unloading)
    {
        const JlbRec& r = d->jlb[i];
        EXPECT_EQ(r.hz, hz) << "row " << i;
        for (int g = 0; g < 4; ++g) {
            EXPECT_EQ(r.ds[g], loading[g]) << "row " << i << " gauge " << g;
            EXPECT_EQ(r.ds[4 + g], unloading[g]) << "row " << i << " gauge " << g;
        }
    }
};

const Gauges kL1{1.1f, 1.2f, 1.3f, 1.4f};
const Gauges kU1{0.1f, 0.2f, 0.3f, 0.4f};
const Gauges kL2{2.1f, 2.2f, 2.3f, 2.4f};
const Gauges kU2{0.6f, 0.7f, 0.8f, 0.9f};
const Gauges kExtra{7, 7, 7, 7};

TEST_F(RawConvertTest, LevelRecordsGiveTheIncrementAndTheHeaderMaximum)
{
    CyclicTest t;
    t.stages = 2;
    t.increment = 100;
    t.header.increment = "100";
    t.header.maxLoad = "500";
    ASSERT_EQ(open(samples::loggerFile(t, LoggerMode::LevelRecords)), OpenResult::Opened);
    EXPECT_EQ(d->ftype, FileKind::Raw311);
    EXPECT_EQ(d->jlbn, 10);
    EXPECT_EQ(d->kz3, "100");
    EXPECT_EQ(d->maxload, 1000);
    EXPECT_EQ(d->nstage, 10);
    EXPECT_EQ(d->csz[3], "100");
    EXPECT_EQ(d->csz[4], "500");
    EXPECT_EQ(d->jlb[0].cstr.trimmed(), "城西快速路跨河大桥桩基检测工程");
    EXPECT_EQ(d->jlb[1].cstr.trimmed(), "SZ-3");
    EXPECT_EQ(d->jlb[5].cstr.trimmed(), "500");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(d->jlb[i].hz, i < 5 ? 100 : 200);
        EXPECT_EQ(d->jlb[i].xh, i % 5 + 1);
    }
    EXPECT_EQ(d->jlb[0].sj.trimmed(), "08:30");
    EXPECT_EQ(d->jlb[4].sj.trimmed(), "08:56"); // the fifth cycle is timed by its unloading reading
    EXPECT_EQ(d->hzcount, 2);
}

TEST_F(RawConvertTest, PlainPairsBecomeRowsAndAnUnpairedLastReadingIsDropped)
{
    const std::vector<YsRec> rows{
        samples::reading("08:00", 100.4f, 1, kL1), samples::reading("08:04", 0, 1, kU1),
        samples::reading("08:06", 100.5f, 2, kL2), samples::reading("08:10", 0, 2, kU2),
        samples::reading("08:12", 101.5f, 3, kL2)};
    ASSERT_EQ(openRows(rows, LoggerMode::Pairs), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 2);
    expectRow(0, 100, kL1, kU1); // loads rounded half to even
    expectRow(1, 100, kL2, kU2);
    EXPECT_EQ(d->jlb[1].sj.trimmed(), "08:06");
    EXPECT_EQ(d->jlb[1].xh, 2);
    EXPECT_EQ(d->jlb[2].hz, kEndLoad);
    // One level only: the increment is half the first load.
    EXPECT_EQ(d->kz3, "50");
    EXPECT_EQ(d->maxload, 500);
}

TEST_F(RawConvertTest, SavedTableIsReadAsItWasWritten)
{
    std::vector<YsRec> rows{
        samples::reading("08:00", 12.5f, 1, kL1), samples::reading("08:04", 12.5f, 1, kU1),
        samples::reading("--:--", 37.5f, 2, kL2), samples::reading("--:--", 37.5f, 2, kU2)};
    samples::applyHeader(rows, {}, LoggerMode::Pairs);
    markSavedTable(rows[0], {true, 12.5f, 25.0f});
    ASSERT_EQ(open(samples::encodeLogger(rows)), OpenResult::Opened);
    ASSERT_EQ(d->jlbn, 2);
    expectRow(0, 12.5f, kL1, kU1); // loads as stored, not rounded
    expectRow(1, 37.5f, kL2, kU2); // a row without a time is no load-level record
    EXPECT_EQ(d->jlb[1].sj.trimmed(), "--:--");
    // The increment of the level records the logger wrote; the maximum from the header.
    EXPECT_EQ(d->kz3, "12.5");
    EXPECT_EQ(d->maxload, 400);
    EXPECT_EQ(d->nstage, 32);

    // A mark that is not the save's own leaves the logger's plain pairs.
    rows[0].s20c.set("PYXL0000zz00000000000");
    ASSERT_EQ(open(samples::encodeLogger(rows)), OpenResult::Opened);
    ASSERT_EQ(d->jlbn, 1);
    expectRow(0, 12, kL1, kU1);
}

TEST_F(RawConvertTest, LevelRecordBetweenLoadingAndUnloadingStartsANewRow)
{
    const std::vector<YsRec> rows{samples::levelRecord(100),
                                  samples::reading("08:00", 100, 1, kL1),
                                  samples::reading("08:04", 0, 1, kU1),
                                  samples::reading("08:06", 100, 2, kExtra),
                                  samples::levelRecord(200),
                                  samples::reading("08:30", 200, 1, kL2),
                                  samples::reading("08:34", 0, 1, kU2)};
    ASSERT_EQ(openRows(rows, LoggerMode::LevelRecords), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 2);
    expectRow(0, 100, kL1, kU1);
    expectRow(1, 200, kL2, kU2); // the half-filled row was overwritten
    EXPECT_EQ(d->jlb[1].sj.trimmed(), "08:30");
}

TEST_F(RawConvertTest, TableEndsAfterTheLastFullRow)
{
    const std::vector<YsRec> rows{samples::levelRecord(100), samples::reading("08:00", 100, 1, kL1),
                                  samples::reading("08:04", 0, 1, kU1), samples::levelRecord(200),
                                  samples::reading("08:30", 200, 1, kL2)};
    ASSERT_EQ(openRows(rows, LoggerMode::LevelRecords), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 1);
    EXPECT_EQ(d->jlb[1].hz, kEndLoad);
    EXPECT_EQ(d->jlbp[1].hz, kEndLoad);
}

TEST_F(RawConvertTest, StatusFlaggedReadingsFollowSetting76)
{
    const std::vector<YsRec> rows{samples::levelRecord(100),
                                  samples::reading("08:00", 100, 1, kL1),
                                  samples::reading("08:01", 100, 1, kExtra, samples::kManualReading),
                                  samples::reading("08:04", 0, 1, kU1),
                                  samples::reading("08:05", 100, 1, kExtra, samples::kLowVoltageReading),
                                  samples::reading("08:06", 100, 2, kL2),
                                  samples::reading("08:10", 0, 2, kU2)};
    d->csz[76] = "0";
    ASSERT_EQ(openRows(rows, LoggerMode::LevelRecords), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 2);
    expectRow(0, 100, kL1, kU1);
    expectRow(1, 100, kL2, kU2);
    EXPECT_EQ(d->ysd[50].s20a.trimmed(), "1"); // the row mark

    d->csz[76] = "1";
    ASSERT_EQ(openRows(rows, LoggerMode::LevelRecords), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 3);
    expectRow(0, 100, kL1, kExtra);
    expectRow(1, 100, kU1, kExtra);
    expectRow(2, 100, kL2, kU2);
    EXPECT_EQ(d->ysd[50].s20a.trimmed(), "");
}

TEST_F(RawConvertTest, UpperGaugesAloneAreTakenAsLowerGauges)
{
    CyclicTest t;
    t.stages = 8;
    t.header.gauges = {true, true, false, false};
    const std::string bytes = samples::loggerFile(t, LoggerMode::LevelRecords);
    const std::vector<YsRec> written = samples::loggerRecords(t, LoggerMode::LevelRecords);
    ASSERT_EQ(open(bytes), OpenResult::Opened);
    EXPECT_EQ(d->csz[10], "0");
    EXPECT_EQ(d->csz[11], "0");
    EXPECT_EQ(d->csz[12], "1");
    EXPECT_EQ(d->csz[13], "1");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(d->ysd[31 + i].s20a.trimmed(), i < 2 ? "0" : "1");
    // Row 0 comes from the first loading reading (raw row 1) and its unloading (raw row 2).
    const JlbRec& r = d->jlb[0];
    EXPECT_EQ(r.ds[2], written[1].v[2]);
    EXPECT_EQ(r.ds[3], written[1].v[3]);
    EXPECT_EQ(r.ds[6], written[2].v[2]);
    EXPECT_EQ(d->jlbp[0].ds[dispLoading],
              static_cast<float>((static_cast<double>(written[1].v[2]) + written[1].v[3]) / 2));

    t.header.gauges = {true, false, false, false};
    ASSERT_EQ(open(samples::loggerFile(t, LoggerMode::LevelRecords)), OpenResult::Opened);
    EXPECT_EQ(d->csz[10], "0");
    EXPECT_EQ(d->csz[11], "0");
    EXPECT_EQ(d->csz[12], "1");
    EXPECT_EQ(d->csz[13], "0");
    EXPECT_EQ(d->jlbp[0].ds[dispLoading], written[1].v[2]);
}

TEST_F(RawConvertTest, StagePastMidnightHoldsItsFullTime)
{
    CyclicTest t;
    t.stages = 8;
    t.startMinute = 21 * 60 + 50;
    ASSERT_EQ(open(samples::loggerFile(t, LoggerMode::LevelRecords)), OpenResult::Opened);
    ASSERT_EQ(d->hzcount, 8);
    EXPECT_EQ(d->jlb[20].sj.trimmed(), "23:50");
    EXPECT_EQ(d->jlb[24].sj.trimmed(), "00:16");
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(d->hzdat[i].minutes, 30) << "stage " << i; // 24 + 2 minutes to the unloading, plus 4
}

TEST_F(RawConvertTest, IncrementScanIgnoresRowsOfAnEarlierTest)
{
    CyclicTest many;
    many.stages = 6;
    ASSERT_EQ(open(samples::loggerFile(many, LoggerMode::Pairs)), OpenResult::Opened);
    ASSERT_EQ(d->jlb[5].xh, 1);

    CyclicTest one;
    one.stages = 1;
    one.increment = 100;
    ASSERT_EQ(open(samples::loggerFile(one, LoggerMode::Pairs)), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, 5);
    EXPECT_EQ(d->kz3, "50");
    EXPECT_EQ(d->maxload, 500);
    EXPECT_EQ(d->nstage, 10);
}

TEST_F(RawConvertTest, DamagedFilesOpenWithinBounds)
{
    CyclicTest big;
    big.stages = 340; // 3740 records: more than the raw rows and the record table hold
    big.increment = 1;
    const std::vector<std::pair<std::string, std::string>> files{
        {"nonfinite.pyx", samples::nonFiniteLoggerFile()},
        {"garbage.pyx", samples::garbageFile(40, kYsRecSize, 3)},
        {"garbage-old.pyw", samples::garbageFile(40, kYsRecOldSize, 5)},
        {"truncated.pys", samples::truncatedRecordFile()},
        {"overfull-levels.pyx", samples::loggerFile(big, LoggerMode::LevelRecords)},
        {"overfull-pairs.pyx", samples::loggerFile(big, LoggerMode::Pairs)},
        {"overfull-old.pyw", samples::oldLoggerFile(big)},
    };
    for (const auto& [name, bytes] : files) {
        ASSERT_EQ(open(bytes, name), OpenResult::Opened) << name;
        EXPECT_GE(d->jlbn, 0) << name;
        EXPECT_LT(d->jlbn, kJlbRows) << name;
        EXPECT_EQ(d->jlb[d->jlbn].hz, kEndLoad) << name;
        EXPECT_LE(d->hzcount, d->jlbn) << name;
    }
    ASSERT_EQ(open(samples::loggerFile(big, LoggerMode::Pairs), "overfull.pyx"), OpenResult::Opened);
    EXPECT_EQ(d->jlbn, kJlbRows - 1);
    EXPECT_EQ(d->ysn2, kRawRows); // no unused row: every row held counts
}

// The time alignment on files where second times repeat, "--:--" rows sit among the readings
// and an aligned time turns a "--:--" row into one that later readings match (or the
// reverse): each reading takes the second time of the row after the first row, by row order,
// whose second time matches its time and whose time is not "--:--" at that moment.
TEST_F(RawConvertTest, TimeAlignmentFollowsTheFirstMatchingRowAsTimesChange)
{
    const char* const times[] = {"08:30", "08:36", "--:--", "09:00", "09:06"};
    std::uint32_t state = 7;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 16;
    };
    for (int file = 0; file < 12; ++file) {
        std::vector<YsRec> rows;
        for (int i = 0; i < 150; ++i) {
            YsRec r = samples::reading(times[next() % 5], 40, 1, kL1);
            r.sj2.set(times[next() % 5]);
            rows.push_back(r);
        }
        samples::applyHeader(rows, {}, LoggerMode::LevelRecords);
        rows.push_back(samples::unusedRecord());

        std::vector<YsRec> expected = rows;
        const int n = static_cast<int>(expected.size());
        for (int i = 0; i < n && !expected[i].sj.is(kUnusedTime);) {
            int found = -1;
            for (int k = 0; k < n && found < 0; ++k)
                if (!expected[k].sj.is(kNoTime) && expected[k].sj2.bytes() == expected[i].sj.bytes())
                    found = k;
            if (found >= 0 && found + 1 < n && i + 1 < n) {
                expected[i + 1].sj = expected[found + 1].sj2;
                i += 2;
            } else {
                i += 1;
            }
        }

        ASSERT_EQ(open(samples::encodeLogger(rows)), OpenResult::Opened);
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(d->ysd[i].sj.bytes(), expected[i].sj.bytes()) << "file " << file << " row " << i;
    }
}

} // namespace
} // namespace pyx
