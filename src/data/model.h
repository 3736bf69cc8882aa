#pragma once
// The open test: record table, evaluated table, raw readings, settings and the
// scalars that describe the test. One object, created once and handed by reference.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/fixed_text.h"

namespace pyx {

inline constexpr float kEndLoad = 99999.0f;         // load that marks the end of the record table
inline constexpr const char* kUnusedTime = "11111"; // time text of unused raw rows and the end row
inline constexpr const char* kNoTime = "--:--";
inline constexpr const char* kAppTitle = "PYX 水平静力载荷数据处理软件1.1.2";

inline constexpr int kJlbRows = 201; // jlb, jlbp: rows 0..200
inline constexpr int kRecordFileRows = 150;
inline constexpr int kRawRows = 3301; // ysd, ysdo: rows 0..3300
inline constexpr int kSettingsCount = 121;

// What the open file is (ftype): nothing read yet, a record table, or logger readings in
// the 267-byte or the 311-byte layout.
enum class FileKind : std::int16_t
{
    None = -1,
    Record = 0,
    Raw267 = 1,
    Raw311 = 2
};

// The curve on screen (curvekind).
enum class CurveKind : std::int16_t
{
    Time = 1,    // H0-t-Y0
    Gradient = 2 // H0-△Y0/△H0
};

// One row of the record table: one loading/unloading cycle.
struct JlbRec
{
    FixedText<10> sj;          // observation time "hh:mm"
    float hz = 0;              // load H0, kN
    std::int16_t xh = 0;       // cycle number
    std::array<float, 8> ds{}; // gauge readings, mm
    FixedText<20> bz;
    float cs = 0;       // numeric parameter slot
    FixedText<40> cstr; // text parameter slot
    bool operator==(const JlbRec&) const = default;
};

// Names of the evaluated displacements in the first four slots of a jlbp row.
enum JlbpSlot
{
    upperLoading = 0,
    dispLoading = 1,
    upperUnloading = 2,
    dispUnloading = 3
};

// One raw reading of a 311-byte logger file.
struct YsRec
{
    FixedText<5> sj;
    std::array<float, 18> v{};
    FixedText<5> s5a;
    FixedText<20> s20a;
    FixedText<20> s20b;
    FixedText<60> s60;
    FixedText<20> s20c;
    FixedText<5> sj2;
    std::array<float, 16> u{};
    FixedText<20> s20d;
    FixedText<20> zt;
    bool operator==(const YsRec&) const = default;
};

// One raw reading of a 267-byte logger file.
struct YsRecOld
{
    FixedText<5> sj;
    std::array<float, 15> v{};
    FixedText<5> s5a;
    FixedText<20> s20a;
    FixedText<20> s20b;
    FixedText<60> s60;
    FixedText<5> sj2;
    std::array<float, 13> u{};
    FixedText<20> s20d;
    FixedText<20> zt;
    bool operator==(const YsRecOld&) const = default;
};

// One row of the stage summary.
struct HzRow
{
    float load = 0;
    std::int32_t minutes = 0;
    std::string maxDisp;     // "#0.00"
    std::string maxResidual; // "#0.00"
    bool operator==(const HzRow&) const = default;
};

// What the logger recorded, taken at the open of a 311-byte file from the part of each
// reading that no save changes (change_record.h).
struct LoggerReadings
{
    bool held = false;         // a logger file of 311-byte records is open
    std::string sha256;        // of the logger's own part of its readings
    std::int32_t readings = 0; // records hashed
    std::vector<JlbRec> rows;  // the record table the readings convert to
    bool operator==(const LoggerReadings&) const = default;
};

struct TestData
{
    std::array<JlbRec, kJlbRows> jlb{};
    std::array<JlbRec, kJlbRows> jlbp{};
    std::array<YsRec, kRawRows> ysd{};
    std::array<YsRecOld, kRawRows> ysdo{};
    std::array<std::string, kSettingsCount> csz{};

    std::string curfile;
    FileKind ftype = FileKind::None;
    bool dirty = false; // unsaved changes
    std::int16_t jlbn = 0;
    std::int32_t ysn = 0;
    std::int32_t ysn0 = 0;
    std::int16_t ysn2 = 0;
    bool autoopen = false; // the open of the last data file at start-up is running
    std::int32_t maxload = 0;
    std::int16_t nstage = 10;
    float ystep = 0.1f;
    float gmax = 0.2f;
    bool yfix = false; // the curve scales are fixed (from the file or the scroll bars)
    CurveKind curvekind = CurveKind::Time;
    std::int16_t ysview = 0;
    std::int16_t tabmode = 1;
    std::string kz3; // load increment, kept as the text of its value
    float ymax0 = 50;
    std::string bjtext = "500";
    bool newtest = false;  // the test was begun with New
    bool restored = false; // the start-up open read a record file
    std::int32_t screenpx = 0;

    std::vector<HzRow> hzdat;
    std::int16_t hzcount = 0;
    bool hzdecimal = false;

    // Gauge weights of the raw readings (0..3: gauges 1..4, 1 in use), kept between the
    // raw data window and the raw data report.
    std::array<std::int16_t, 12> ysflag{};

    LoggerReadings logger;

    bool operator==(const TestData&) const = default;
};

// Start values of a run: the evaluated table ends at row 0, no test is open.
void resetForStart(TestData& d);
// After an open that found no test: the test-describing values as at start-up, so nothing
// of the previous test or of the failed file is shown or drawn.
void resetToNoTest(TestData& d);
// Clears the raw arrays and the record table before a file is read. The first `ysdRead`
// rows of ysd and `ysdoRead` rows of ysdo are left for the reader, which writes them whole.
void clearForOpen(TestData& d, int ysdRead = 0, int ysdoRead = 0);
// Index of the first row whose load is the end marker (rows 0..limit-1), or limit.
int firstEndRow(const std::array<JlbRec, kJlbRows>& rows, int limit);

} // namespace pyx
