#pragma once
// Test files made from parameters, as byte strings: logger files of both record
// layouts, record files, and damaged files for the robustness tests. Everything is
// encoded with the program's own record encoders.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/model.h"

namespace pyx::samples {

// Status bytes of a logger reading (first byte of zt).
inline constexpr unsigned char kTimedReading = 0x10;
inline constexpr unsigned char kManualReading = 0x40;
inline constexpr unsigned char kLowVoltageReading = 0x60;

// Header values of a test, written into the fixed rows of the file.
struct TestHeader
{
    std::string project = "城西快速路跨河大桥桩基检测工程";
    std::string pile = "SZ-3";
    std::string date = "2024-05-16";
    std::string diameter = "1000";
    std::string length = "28.5";
    std::string gaugeDistance = "500";
    std::string increment = "40"; // load increment, kN (settings 3)
    std::string maxLoad = "400";  // maximum load, kN (settings 4)
    // In use: upper gauge 1, upper gauge 2, lower gauge 1, lower gauge 2.
    std::array<bool, 4> gauges{true, true, true, true};
    std::string axisStages; // fixed axis; both blank: computed
    std::string axisStep;
    float mark1 = 0; // critical-load marks (point indices), 0 = none
    float mark2 = 0;
    std::string mark1Text;
    std::string mark2Text;
};

enum class LoggerMode
{
    LevelRecords, // a "--:--" record before every load level, status flags in zt
    Pairs         // plain loading/unloading pairs, flagged by "1" in row 0
};

// A cyclic test: `stages` load levels of five loading/unloading cycles each.
struct CyclicTest
{
    int stages = 10;
    float increment = 40;          // kN per level
    int startMinute = 8 * 60 + 30; // minute of the day of the first reading
    float firstStageMm = 0.25f;    // lower-gauge displacement at the first level
    // Lower-gauge displacement of every level at its first cycle; empty: growing with the
    // level from firstStageMm.
    std::vector<float> stageMm;
    // From the third cycle of this level (1-based; 0: none) on, every reading comes this many
    // minutes late, so that level's second unloading hold is too long.
    int lateStage = 0;
    int lateMinutes = 0;
    std::vector<int> manualAfter;     // readings (0-based) followed by a manual reading
    std::vector<int> lowVoltageAfter; // readings followed by a low-voltage reading
    // The displacement grows faster after these levels (the two inflection points of the
    // gradient curve); 0: a smooth curve.
    int kneeStage = 0;
    int ultimateStage = 0;
    // Cycles of the last level (the level at which the pile failed may stop early).
    int lastStageCycles = 5;
    TestHeader header;
};

// Pieces of a 311-byte logger file.
YsRec levelRecord(float load);
YsRec reading(std::string_view time, float load, int cycle, const std::array<float, 4>& gauges,
              unsigned char status = kTimedReading);
YsRec unusedRecord();
// Writes the header into rows 0..39 (adding unused rows up to row 39) and, for the
// pairs mode, the "1" in row 0.
void applyHeader(std::vector<YsRec>& rows, const TestHeader& h, LoggerMode mode);
std::string encodeLogger(const std::vector<YsRec>& rows);

// 311-byte logger file of a cyclic test.
std::vector<YsRec> loggerRecords(const CyclicTest& t, LoggerMode mode);
std::string loggerFile(const CyclicTest& t, LoggerMode mode);
// 267-byte logger file of a cyclic test (plain pairs).
std::string oldLoggerFile(const CyclicTest& t);
// Record file ("pys"): 150 rows of 112 bytes; `controlLoad` goes to row 17.
std::string recordFile(const CyclicTest& t, float controlLoad = 0);

// Damaged files: numbers that are NaN, infinite or huge in every field of a logger
// file; `records` records of pseudo-random bytes; a record file cut inside a row.
std::string nonFiniteLoggerFile();
std::string garbageFile(std::size_t records, std::size_t recordSize, std::uint32_t seed);
std::string truncatedRecordFile();

// The test of logger_analysis.pyx: known critical (250 kN) and ultimate (450 kN) loads.
CyclicTest analysisSample();

// The samples written to samples/: file name, one-line description, bytes.
struct Sample
{
    std::string name;
    std::string description;
    std::string bytes;
};
std::vector<Sample> standardSamples();
// Six piles of one unit project with their marks set, for the statistics of several piles
// (written to samples/unit/).
std::vector<Sample> unitSamples();
// The inputs of the benchmarks: logger files of both layouts with about 300, 1,000 and
// 3,300 readings, a 267-byte file of 300 readings and a record file of 149 rows.
std::vector<Sample> benchInputs();

} // namespace pyx::samples
