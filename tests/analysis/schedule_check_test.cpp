// The schedule check on logger readings made by the sample generator.

#include <gtest/gtest.h>

#include "analysis/schedule_check.h"
#include "data/settings_entries.h"
#include "samplegen/sample_files.h"

namespace pyx {
namespace {

// The readings of a generated 311-byte file, as the open leaves them in the raw array.
std::unique_ptr<TestData> loggerTest(const samples::CyclicTest& t, samples::LoggerMode mode)
{
    auto d = std::make_unique<TestData>();
    const std::vector<YsRec> rows = samples::loggerRecords(t, mode);
    for (std::size_t i = 0; i < rows.size() && i < d->ysd.size(); ++i)
        d->ysd[i] = rows[i];
    if (rows.size() < d->ysd.size())
        d->ysd[rows.size()] = samples::unusedRecord();
    d->ysn0 = static_cast<std::int32_t>(rows.size());
    d->ftype = FileKind::Raw311;
    return d;
}

// The generator keeps the schedule exactly: each reading ends its hold, an unloading reading
// two minutes after its loading reading, the next loading reading four minutes later.
TEST(ScheduleCheck, RegularTestHasNoDeviations)
{
    samples::CyclicTest t;
    t.manualAfter = {13};
    t.lowVoltageAfter = {34}; // extra readings are not cycles
    for (const auto mode : {samples::LoggerMode::LevelRecords, samples::LoggerMode::Pairs}) {
        const auto d = loggerTest(t, mode);
        const ScheduleCheck c = checkSchedule(*d);
        EXPECT_TRUE(c.checked) << c.reason;
        EXPECT_EQ(c.stages, 10);
        EXPECT_TRUE(c.deviations.empty()) << c.deviations.front().text;
    }
}

TEST(ScheduleCheck, LateCycleAndShortStageAreListedWithTheirRecords)
{
    const auto d = loggerTest(samples::analysisSample(), samples::LoggerMode::LevelRecords);
    ScheduleCheck c = checkSchedule(*d);
    ASSERT_EQ(c.deviations.size(), 1u);
    const ScheduleDeviation& late = c.deviations[0];
    EXPECT_EQ(late.issue, ScheduleIssue::LoadingHold);
    EXPECT_EQ(late.stage, 7);
    EXPECT_EQ(late.cycle, 3);
    EXPECT_EQ(late.expected, 4);
    EXPECT_EQ(late.actual, 7);
    // Records: the header rows, a level record and ten readings a stage before stage 7, its
    // level record, its first two cycles, then the third loading reading.
    EXPECT_EQ(late.record, 6 * 11 + 1 + 4 + 1);
    EXPECT_EQ(late.text, "第7级（350kN）第3次循环加载持荷7分钟，应为4分钟");

    // The settings' holds apply; a one-minute difference is within the schedule.
    d->csz[setting::kUnloadingHold] = "4";
    c = checkSchedule(*d);
    EXPECT_EQ(c.unloadingHold, 4);
    EXPECT_EQ(c.deviations.size(), 12u * 5 + 1); // every unloading reading 2 minutes after loading
    d->csz[setting::kUnloadingHold] = "";
    d->csz[setting::kLoadingHold] = "5";
    EXPECT_EQ(checkSchedule(*d).deviations.size(), 1u);
    d->csz[setting::kLoadingHold] = "7";
    EXPECT_EQ(checkSchedule(*d).deviations.size(), 12u * 5 - 1 - 1); // every hold of 4, not the late one
}

TEST(ScheduleCheck, StageWithMissingCyclesAndAPauseBetweenStages)
{
    samples::CyclicTest t;
    t.stages = 3;
    std::vector<YsRec> rows = samples::loggerRecords(t, samples::LoggerMode::LevelRecords);
    // Drop the last cycle of stage 2 (its two readings): stage 2 has four cycles and the hold
    // before stage 3's first loading reading becomes 10 minutes.
    const std::size_t stage2End = 11 * 2;
    rows.erase(rows.begin() + stage2End - 2, rows.begin() + stage2End);
    auto d = std::make_unique<TestData>();
    for (std::size_t i = 0; i < rows.size(); ++i)
        d->ysd[i] = rows[i];
    d->ysd[rows.size()] = samples::unusedRecord();
    d->ysn0 = static_cast<std::int32_t>(rows.size());
    d->ftype = FileKind::Raw311;
    const ScheduleCheck c = checkSchedule(*d);
    ASSERT_EQ(c.deviations.size(), 2u);
    EXPECT_EQ(c.deviations[0].issue, ScheduleIssue::Cycles);
    EXPECT_EQ(c.deviations[0].actual, 4);
    EXPECT_EQ(c.deviations[1].issue, ScheduleIssue::StageGap);
    EXPECT_EQ(c.deviations[1].stage, 3);
    EXPECT_EQ(c.deviations[1].expected, 4);
    EXPECT_EQ(c.deviations[1].actual, 10);
}

TEST(ScheduleCheck, OnlyLoggerFilesWithTimesAreChecked)
{
    TestData d;
    d.ftype = FileKind::Record;
    const ScheduleCheck c = checkSchedule(d);
    EXPECT_FALSE(c.checked);
    EXPECT_FALSE(c.reason.empty());
    d.ftype = FileKind::Raw311;
    d.ysd[0] = samples::unusedRecord();
    EXPECT_FALSE(checkSchedule(d).checked);
}

} // namespace
} // namespace pyx
