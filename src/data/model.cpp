#include "data/model.h"

namespace pyx {

void resetForStart(TestData& d)
{
    for (int i = 0; i < kRecordFileRows; ++i)
        d.jlbp[i].hz = kEndLoad;
    d.jlbn = 0;
    d.ysn = 0;
    d.nstage = 10;
    d.curvekind = 1;
}

void clearForOpen(TestData& d)
{
    for (auto& r : d.ysd) {
        r = YsRec{};
        r.sj.set(kUnusedTime);
        r.sj2.set(kUnusedTime);
        r.s5a.set("99999");
    }
    for (auto& r : d.ysdo) {
        r = YsRecOld{};
        r.sj.set(kUnusedTime);
        r.sj2.set(kUnusedTime);
        r.s5a.set("99999");
    }
    for (int i = 0; i < 200; ++i)
        d.jlb[i].hz = kEndLoad;
}

int firstEndRow(const std::array<JlbRec, kJlbRows>& rows, int limit)
{
    for (int i = 0; i < limit && i < kJlbRows; ++i)
        if (rows[i].hz == kEndLoad)
            return i;
    return limit;
}

} // namespace pyx
