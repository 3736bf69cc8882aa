#pragma once
// The entries of the settings table by meaning, and the flags the program reads. A flag
// is stored as "1" or "0"; some readers test for the value 1, others for any value other
// than 0, and a file may hold other values, so each accessor says which test it makes.

#include <array>
#include <string>

#include "data/model.h"

namespace pyx {

using SettingsTable = std::array<std::string, kSettingsCount>;

namespace setting {
inline constexpr int kCalibration = 0;   // calibration factor of the load control
inline constexpr int kControlLoad = 1;   // current control load, kN
inline constexpr int kLoadIncrement = 3; // load increment per level, kN
inline constexpr int kMaximumLoad = 4;   // maximum load, kN
inline constexpr int kLoadingHold = 6;   // loading hold time, min
inline constexpr int kUnloadingHold = 7; // unloading hold time, min
inline constexpr int kPort1 = 8;         // position in the first serial port list
inline constexpr int kLastFile = 9;      // the data file opened at start-up
inline constexpr int kGauges = 10;       // 10..13: upper gauge 1, 2, lower gauge 1, 2
inline constexpr int kPort2 = 15;        // position in the second serial port list
inline constexpr int kReserveTime = 16;  // unloading reserve time, s
inline constexpr int kProjectTexts = 50; // 50..55: the header texts of a new test
inline constexpr int kJackType = 56;     // "0" double-circuit, "1" single-circuit jack
inline constexpr int kSensorType = 57;   // "0" oil pressure sensor, "1" load cell
inline constexpr int kJackData = 58;     // 58..64: jack and sensor data
inline constexpr int kMergeTables = 74;
inline constexpr int kAutoAxis = 75;
inline constexpr int kShowManual = 76;
inline constexpr int kSimpleSummary = 77;
inline constexpr int kPrintAnalysis = 80;     // the analysis page in the reports: 1 on
inline constexpr int kPrintChangeRecord = 81; // the record of changes in the reports: 1 on
inline constexpr int kPrintFront = 82;        // the report front (cover and conclusion): 1 on
} // namespace setting

// True when an entry's numeric value is 1 / is not 0 (a text that is not a number counts as 0).
bool settingIsOne(const SettingsTable& csz, int entry);
bool settingNonZero(const SettingsTable& csz, int entry);
inline void setSettingFlag(SettingsTable& csz, int entry, bool on)
{
    csz[entry] = on ? "1" : "0";
}

// The gauges of the settings, in the order of their entries (0..3).
enum GaugeIndex : int
{
    kUpperGauge1 = 0,
    kUpperGauge2 = 1,
    kLowerGauge1 = 2,
    kLowerGauge2 = 3
};
inline constexpr int gaugeEntry(int gauge)
{
    return setting::kGauges + gauge;
}
// The gauges' names in the tables, by GaugeIndex.
inline constexpr std::array<const char*, 4> kGaugeNames{"上表1", "上表2", "下表1", "下表2"};
// A gauge is in use when its flag is 1.
inline bool gaugeInUse(const SettingsTable& csz, int gauge)
{
    return settingIsOne(csz, gaugeEntry(gauge));
}
// A gauge's flag is not 0 (the summary and the evaluation count such a gauge).
inline bool gaugeFlagNonZero(const SettingsTable& csz, int gauge)
{
    return settingNonZero(csz, gaugeEntry(gauge));
}
inline void setGaugeInUse(SettingsTable& csz, int gauge, bool on)
{
    setSettingFlag(csz, gaugeEntry(gauge), on);
}

// The reports of the print options, in the order of its boxes.
enum class PrintItem
{
    RecordTable = 0,
    Summary = 1,
    TimeCurve = 2,
    GradientCurve = 3,
    RawTable = 4,
    ReducedCurves = 5
};
inline constexpr std::array<int, 6> kPrintEntries{70, 71, 72, 73, 78, 79};
inline constexpr int printEntry(PrintItem item)
{
    return kPrintEntries[static_cast<std::size_t>(item)];
}
// A report is chosen when its entry is 1.
inline bool printSelection(const SettingsTable& csz, PrintItem item)
{
    return settingIsOne(csz, printEntry(item));
}
inline void setPrintSelection(SettingsTable& csz, PrintItem item, bool on)
{
    setSettingFlag(csz, printEntry(item), on);
}
// The analysis page is printed when its entry is 1 (empty, as in older settings files: off).
inline bool printAnalysis(const SettingsTable& csz)
{
    return settingIsOne(csz, setting::kPrintAnalysis);
}
// The record of changes is printed when its entry is 1 (empty: off).
inline bool printChangeRecord(const SettingsTable& csz)
{
    return settingIsOne(csz, setting::kPrintChangeRecord);
}
// The report front is printed when its entry is 1 (empty: off).
inline bool printFront(const SettingsTable& csz)
{
    return settingIsOne(csz, setting::kPrintFront);
}
inline bool reducedCurves(const SettingsTable& csz)
{
    return printSelection(csz, PrintItem::ReducedCurves);
}

// Record table merging: the table and the toggle test for any value other than 0, the
// caption of the toggle for the value 1.
inline bool mergeTables(const SettingsTable& csz)
{
    return settingNonZero(csz, setting::kMergeTables);
}
inline bool mergeTablesIsOne(const SettingsTable& csz)
{
    return settingIsOne(csz, setting::kMergeTables);
}

// The simple summary table is shown when its entry is 1 (the dialog's box ticks for any
// value other than 0).
inline bool simpleSummary(const SettingsTable& csz)
{
    return settingIsOne(csz, setting::kSimpleSummary);
}
// The curve axes follow the data when the entry is 1 (the dialog's box: not 0).
inline bool autoAxis(const SettingsTable& csz)
{
    return settingIsOne(csz, setting::kAutoAxis);
}
// Manually recorded readings are shown when the entry is not 0.
inline bool showManualReadings(const SettingsTable& csz)
{
    return settingNonZero(csz, setting::kShowManual);
}
// A single-circuit jack (any value other than 0) has no unloading reserve time.
inline bool singleCircuitJack(const SettingsTable& csz)
{
    return settingNonZero(csz, setting::kJackType);
}

} // namespace pyx
