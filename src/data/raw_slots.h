#pragma once
// The header values that raw logger files carry in fixed rows, for both raw layouts.
//   row 6 s20b: load increment (settings 3)    row 7 s20b: maximum load (settings 4)
//   row 7 s60: project name                     rows 8..12 s20a: pile number .. gauge distance
//   rows 20, 21 s60: numeric values 20, 21      rows 22, 23 s60: texts 20, 21
//   rows 31..34 s20a: gauges in use (settings 10..13)
//   rows 38, 39 s60: fixed axis (stage count, displacement step)

#include <array>

#include "data/model.h"
#include "data/numfmt.h"

namespace pyx {

// Settings 10..13 from rows 31..34; a flag that is not a number becomes "1" first.
template <class Rec> void readRawGaugeFlags(std::array<Rec, kRawRows>& rows, TestData& d)
{
    for (int i = 0; i < 4; ++i) {
        auto& flag = rows[31 + i].s20a;
        if (!isNumeric(flag.trimmed()))
            flag.set("1");
        if (const auto v = toLong(leadingNumber(flag.trimmed())))
            d.csz[10 + i] = std::to_string(*v);
    }
}

template <class Rec> void readRawHeaderEntries(const std::array<Rec, kRawRows>& rows, TestData& d)
{
    d.csz[3] = rows[6].s20b.trimmed();
    d.csz[4] = rows[7].s20b.trimmed();
}

template <class Rec> void readRawTextSlots(const std::array<Rec, kRawRows>& rows, TestData& d)
{
    d.jlb[0].cstr.set(rows[7].s60.text());
    for (int i = 1; i <= 5; ++i)
        d.jlb[i].cstr.set(rows[i + 7].s20a.text());
    for (int i = 20; i <= 21; ++i)
        if (const auto v = singleFromDouble(leadingNumber(rows[i].s60.trimmed())))
            d.jlb[i].cs = *v;
    d.jlb[20].cstr.set(rows[22].s60.text());
    d.jlb[21].cstr.set(rows[23].s60.text());
}

// Fixed-axis texts for a save: the stage count and step when the axis is fixed, else blank.
std::array<std::string, 2> fixedAxisTexts(const TestData& d);

template <class Rec> void writeRawHeader(std::array<Rec, kRawRows>& rows, const TestData& d)
{
    rows[7].s60.set(d.jlb[0].cstr.text());
    for (int i = 1; i <= 5; ++i)
        rows[i + 7].s20a.set(d.jlb[i].cstr.text());
    rows[20].s60.set(singleText(d.jlb[20].cs));
    rows[21].s60.set(singleText(d.jlb[21].cs));
    rows[22].s60.set(d.jlb[20].cstr.text());
    rows[23].s60.set(d.jlb[21].cstr.text());
    rows[6].s20b.set(d.csz[3]);
    rows[7].s20b.set(d.csz[4]);
    for (int i = 0; i < 4; ++i)
        rows[31 + i].s20a.set(d.csz[10 + i]);
    const auto axis = fixedAxisTexts(d);
    rows[38].s60.set(axis[0]);
    rows[39].s60.set(axis[1]);
}

} // namespace pyx
