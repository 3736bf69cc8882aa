#pragma once
// A test open for the report tests: nothing selected for printing, every gauge in use, the
// header slots of the pile filled, and `n` record-table rows of one cycle each.

#include <memory>

#include "data/model.h"

namespace pyx::test {

inline std::unique_ptr<TestData> reportTestData(int rows = 0)
{
    auto d = std::make_unique<TestData>();
    resetForStart(*d);
    for (int e = 70; e <= 79; ++e)
        d->csz[e] = "0";
    for (int e = 10; e <= 13; ++e)
        d->csz[e] = "1";
    d->curfile = "/data/t.pys";
    d->maxload = 500;
    d->jlb[0].cstr.set("某工程");
    d->jlb[1].cstr.set("S1");
    d->jlb[5].cstr.set("500");
    for (int i = 0; i < rows; ++i) {
        d->jlb[i].hz = 50.0f * static_cast<float>(i / 5 + 1);
        d->jlb[i].sj.set("08:30");
        d->jlb[i].xh = static_cast<std::int16_t>(i % 5 + 1);
        d->jlb[i].ds = {0.12f, 0.10f, 0.2f, 0.3f, 0.05f, 0.04f, 0.1f, 0.1f};
    }
    d->ysn = rows;
    return d;
}

} // namespace pyx::test
