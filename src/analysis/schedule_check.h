#pragma once
// The loading schedule of a test, checked from the logger's reading times (311-byte files):
// five cycles a stage, the loading and unloading holds of the settings (entries 6 and 7)
// within a minute, and the pause between stages as long as an unloading hold.

#include <string>
#include <vector>

#include "data/model.h"

namespace pyx {

inline constexpr int kCyclesPerStage = 5;
inline constexpr int kHoldTolerance = 1; // minutes

enum class ScheduleIssue
{
    Cycles,      // a stage with more or fewer than five cycles
    LoadingHold, // loading reading to unloading reading
    UnloadingHold,
    StageGap // the last unloading of a stage to the first loading of the next
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
