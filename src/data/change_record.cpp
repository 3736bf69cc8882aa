#include "data/change_record.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <string_view>

#include "data/raw_convert.h"
#include "data/records.h"
#include "data/settings_entries.h"
#include "data/sha256.h"

namespace pyx {
namespace {

// The logger's own part of a 311-byte record: its second time and readings (u) at
// 202..270 and its status at 291..310. No save writes them.
constexpr std::size_t kOwnStart = 202;
constexpr std::size_t kOwnLength = 69;
constexpr std::size_t kStatusStart = 291;
constexpr std::size_t kStatusLength = 20;
constexpr int kLoadReading = 0;
constexpr int kFirstGaugeReading = 2;

bool same(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool sameRow(const JlbRec& a, const JlbRec& b)
{
    if (!same(a.hz, b.hz))
        return false;
    for (int g = 0; g < 8; ++g)
        if (!same(a.ds[g], b.ds[g]))
            return false;
    return true;
}

// The readings as the logger's own part holds them, converted as an open converts a
// logger file. A file the save wrote is converted in the logger's way again: with its
// load-level records when the save mark says the logger had them, else as plain pairs.
std::vector<JlbRec> convertOwnPart(const TestData& d, int count)
{
    auto copy = std::make_unique<TestData>(d);
    for (int i = 0; i < count; ++i) {
        YsRec& r = copy->ysd[i];
        r.sj = r.sj2;
        r.v[0] = r.u[kLoadReading];
        for (int g = 0; g < 4; ++g)
            r.v[2 + g] = r.u[kFirstGaugeReading + g];
    }
    // Upper gauges alone are taken as lower gauges (raw_convert.h): the open moved their
    // readings and flags, so the flags of the raw rows now name a lower gauge that the logger
    // never read while its upper gauge was read. Its readings are the upper gauge's.
    constexpr int kFlagRow = 31;
    for (int g = 0; g < 2; ++g) {
        if (copy->ysd[kFlagRow + g].s20a.is("1") || !copy->ysd[kFlagRow + 2 + g].s20a.is("1"))
            continue;
        bool upperRead = false;
        bool lowerRead = false;
        for (int i = 0; i < count; ++i) {
            upperRead = upperRead || copy->ysd[i].u[kFirstGaugeReading + g] != 0;
            lowerRead = lowerRead || copy->ysd[i].u[kFirstGaugeReading + 2 + g] != 0;
        }
        if (upperRead && !lowerRead)
            for (int i = 0; i < count; ++i)
                copy->ysd[i].v[4 + g] = copy->ysd[i].u[kFirstGaugeReading + g];
    }
    YsRec& row0 = copy->ysd[0];
    if (const auto saved = savedTableMark(row0)) {
        row0.s20a.set(saved->haslevel ? "" : "1");
        row0.s20c.clear();
    }
    for (JlbRec& r : copy->jlb)
        r = JlbRec{};
    copy->jlb[0].hz = kEndLoad;
    convertRawReadings(*copy);
    const int rows = std::clamp<int>(copy->jlbn, 0, kJlbRows - 1);
    std::vector<JlbRec> out(copy->jlb.begin(), copy->jlb.begin() + rows);
    // A save rewrites the cycle numbers of the raw rows: they are counted again as the open
    // corrects them, 1 to 5 within a run of equal loads.
    int counter = 1;
    for (int i = 0; i < rows; ++i) {
        if (i == 0 || !same(out[i].hz, out[i - 1].hz))
            counter = 1;
        out[i].xh = static_cast<std::int16_t>(counter);
        if (++counter > 5)
            counter = 1;
    }
    return out;
}

void addChangedCells(std::vector<TableEdit>& out, const JlbRec& logger, const JlbRec& table, int row,
                     int loggerRow)
{
    const auto add = [&](int col, float was, float now) {
        if (!same(was, now))
            out.push_back({TableEdit::Kind::Changed, row, loggerRow, col, table.hz, table.xh, was, now});
    };
    add(1, logger.hz, table.hz);
    for (int g = 0; g < 8; ++g)
        add(4 + g, logger.ds[g], table.ds[g]);
}

int differingCells(const JlbRec& a, const JlbRec& b)
{
    int n = same(a.hz, b.hz) ? 0 : 1;
    for (int g = 0; g < 8; ++g)
        n += same(a.ds[g], b.ds[g]) ? 0 : 1;
    return n;
}

// Rows of the table (t, a rows from table row t0) and of the logger (l, b rows from logger
// row l0) between two shared rows: each table row is paired with a logger row as a changed
// row, or stands alone as inserted (or the logger's as deleted), whichever changes the
// fewest values; a row alone counts as all its nine values changed.
void alignGap(std::vector<TableEdit>& out, const JlbRec* t, int a, const JlbRec* l, int b, int t0, int l0)
{
    constexpr int kWholeRow = 9;
    std::vector<std::vector<int>> cost(a + 1, std::vector<int>(b + 1, 0));
    for (int x = 0; x <= a; ++x)
        for (int y = 0; y <= b; ++y) {
            if (x == 0 || y == 0) {
                cost[x][y] = kWholeRow * (x + y);
                continue;
            }
            cost[x][y] = std::min({cost[x - 1][y - 1] + differingCells(t[x - 1], l[y - 1]),
                                   cost[x - 1][y] + kWholeRow, cost[x][y - 1] + kWholeRow});
        }
    std::vector<TableEdit> gap;
    int x = a;
    int y = b;
    while (x > 0 || y > 0) {
        if (x > 0 && y > 0 && cost[x][y] == cost[x - 1][y - 1] + differingCells(t[x - 1], l[y - 1])) {
            std::vector<TableEdit> cells;
            addChangedCells(cells, l[y - 1], t[x - 1], t0 + x, l0 + y);
            gap.insert(gap.end(), cells.rbegin(), cells.rend());
            --x;
            --y;
        } else if (x > 0 && cost[x][y] == cost[x - 1][y] + kWholeRow) {
            const JlbRec& r = t[x - 1];
            gap.push_back({TableEdit::Kind::Inserted, t0 + x, 0, 0, r.hz, r.xh, 0, 0});
            --x;
        } else {
            const JlbRec& r = l[y - 1];
            gap.push_back({TableEdit::Kind::Deleted, t0 + x + 1, l0 + y, 0, r.hz, r.xh, 0, 0});
            --y;
        }
    }
    out.insert(out.end(), gap.rbegin(), gap.rend());
}

} // namespace

LoggerReadings loggerReadings(const TestData& d)
{
    LoggerReadings out;
    if (d.ftype != FileKind::Raw311 || d.curfile.empty())
        return out;
    // The readings end at the first unused second time; a save may add unused rows after.
    const int count = std::clamp<int>(d.ysn2, 0, kRawRows);
    std::string own;
    own.reserve(static_cast<std::size_t>(count) * (kOwnLength + kStatusLength));
    for (int i = 0; i < count; ++i) {
        const std::string bytes = encodeYsRec(d.ysd[i]);
        own.append(bytes, kOwnStart, kOwnLength);
        own.append(bytes, kStatusStart, kStatusLength);
    }
    out.held = true;
    out.sha256 = sha256Hex(own);
    out.readings = count;
    out.rows = convertOwnPart(d, count);
    return out;
}

std::vector<TableEdit> tableEdits(const TestData& d)
{
    std::vector<TableEdit> out;
    if (!d.logger.held)
        return out;
    const std::vector<JlbRec>& logger = d.logger.rows;
    const int n = std::clamp<int>(d.jlbn, 0, kJlbRows - 1);
    const int m = static_cast<int>(logger.size());
    // The longest run of rows the two tables share, in order; the rows between are
    // changed in place where both tables have one, inserted or deleted where only one has.
    std::vector<std::vector<std::uint16_t>> common(n + 1, std::vector<std::uint16_t>(m + 1, 0));
    for (int i = n - 1; i >= 0; --i)
        for (int j = m - 1; j >= 0; --j)
            common[i][j] = sameRow(d.jlb[i], logger[j]) ? common[i + 1][j + 1] + 1
                                                        : std::max(common[i + 1][j], common[i][j + 1]);
    int i = 0;
    int j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && sameRow(d.jlb[i], logger[j])) {
            ++i;
            ++j;
            continue;
        }
        // The gap up to the next shared row.
        const int i0 = i;
        const int j0 = j;
        // On a tie the logger's row is passed first: of a row and its copy below it, the
        // copy is the one told as inserted.
        while ((i < n || j < m) && !(i < n && j < m && sameRow(d.jlb[i], logger[j]))) {
            if (j >= m || (i < n && common[i + 1][j] > common[i][j + 1]))
                ++i;
            else
                ++j;
        }
        alignGap(out, d.jlb.data() + i0, i - i0, logger.data() + j0, j - j0, i0, j0);
    }
    return out;
}

std::string editColumnName(int col)
{
    if (col == 1)
        return "荷载";
    if (col < 4 || col > 11)
        return {};
    return std::string(col < 8 ? "加载" : "卸载") + kGaugeNames[static_cast<std::size_t>((col - 4) % 4)];
}

} // namespace pyx
