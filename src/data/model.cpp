#include "data/model.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "data/settings_entries.h"

namespace pyx {

void resetForStart(TestData& d)
{
    for (int i = 0; i < kRecordFileRows; ++i)
        d.jlbp[i].hz = kEndLoad;
    d.jlbn = 0;
    d.ysn = 0;
    d.nstage = 10;
    d.curvekind = CurveKind::Time;
}

void resetToNoTest(TestData& d)
{
    resetForStart(d);
    d.curfile.clear();
    d.ftype = FileKind::None;
    d.maxload = 0;
    d.ystep = 0.1f;
    d.gmax = 0.2f;
    d.yfix = false;
    d.ymax0 = 50;
    d.kz3 = d.csz[setting::kLoadIncrement];
    d.bjtext = "500";
    d.hzdat.clear();
    d.hzcount = 0;
    d.hzdecimal = false;
}

namespace {

// An unused raw row: no time, the end load in its level text.
template <typename Rec> const Rec& unusedRaw()
{
    static const Rec blank = [] {
        Rec r{};
        r.sj.set(kUnusedTime);
        r.sj2.set(kUnusedTime);
        r.s5a.set("99999");
        return r;
    }();
    return blank;
}

} // namespace

void clearForOpen(TestData& d, int ysdRead, int ysdoRead)
{
    // Rows already blank byte for byte are left alone: most of the arrays usually are, and
    // reading them is cheaper than writing them again.
    const auto clearFrom = [](auto& rows, int read, const auto& blank) {
        static_assert(std::is_trivially_copyable_v<std::remove_cvref_t<decltype(blank)>>);
        for (auto row = rows.begin() + std::clamp(read, 0, static_cast<int>(rows.size())); row != rows.end();
             ++row)
            if (std::memcmp(&*row, &blank, sizeof blank) != 0)
                *row = blank;
    };
    clearFrom(d.ysd, ysdRead, unusedRaw<YsRec>());
    clearFrom(d.ysdo, ysdoRead, unusedRaw<YsRecOld>());
    for (int i = 0; i < 200; ++i)
        d.jlb[i].hz = kEndLoad;
    d.ysn2 = 0; // only a 311-byte file has raw rows to show
}

int firstEndRow(const std::array<JlbRec, kJlbRows>& rows, int limit)
{
    for (int i = 0; i < limit && i < kJlbRows; ++i)
        if (rows[i].hz == kEndLoad)
            return i;
    return limit;
}

} // namespace pyx
