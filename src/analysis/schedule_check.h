#pragma once
// The loading schedule of a test, checked from the logger's reading times (311-byte files):
// five cycles a stage and the holds of the settings (entries 6 and 7) within a minute. The
// logger stamps a reading when it is taken, at the end of its hold: an unloading reading comes
// an unloading hold after its loading reading, and the next loading reading (of the same stage
// or the first of the next) a loading hold after that unloading reading.

#include <string>
#include <vector>

#include "data/model.h"

namespace pyx {

inline constexpr int kCyclesPerStage = 5;
inline constexpr int kHoldTolerance = 1; // minutes
inline constexpr const char* kScheduleAssumption =
    "按采集仪在每次持荷结束时记录读数检查：卸载读数在其加载读数后一个卸载停留时间，下一次加载读数在卸载读数后"
    "一个加载持荷时间。";

enum class ScheduleIssue
{
    Cycles,        // a stage with more or fewer than five cycles
    LoadingHold,   // an unloading reading to the next loading reading of the stage
    UnloadingHold, // a loading reading to its unloading reading
    StageGap       // the last unloading reading of a stage to the first loading of the next
};

struct ScheduleDeviation
{
    ScheduleIssue issue = ScheduleIssue::Cycles;
    int stage = 0;  // 1-based
    int cycle = 0;  // 1-based cycle of the stage; 0 for the stage as a whole
    int record = 0; // 1-based record of the file where it shows
    int expected = 0;
    int actual = 0; // cycles or minutes
    std::string text;
};

struct ScheduleCheck
{
    bool checked = false; // the file has logger times
    std::string reason;   // why not
    int loadingHold = 4;  // minutes, from the settings
    int unloadingHold = 2;
    int stages = 0;
    std::vector<ScheduleDeviation> deviations;
};

// The hold times of the settings: entries 6 and 7, 4 and 2 minutes when not numbers.
int loadingHoldMinutes(const TestData& d);
int unloadingHoldMinutes(const TestData& d);

ScheduleCheck checkSchedule(const TestData& d);

} // namespace pyx
