#pragma once
// The header values that raw logger files carry in fixed rows, for both raw layouts.
//   row 6 s20b: load increment (settings 3)    row 7 s20b: maximum load (settings 4)
//   row 7 s60: project name                     rows 8..12 s20a: pile number .. gauge distance
//   rows 20, 21 s60: numeric values 20, 21      rows 22, 23 s60: texts 20, 21
//   rows 31..34 s20a: gauges in use (settings 10..13)
//   rows 38, 39 s60: fixed axis (stage count, displacement step)
//   row 50 s20a: "1" when the open dropped a reading by its status
// A long file has readings in the same rows: they use the other fields.

#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "data/model.h"
#include "data/numfmt.h"
#include "data/settings_entries.h"

namespace pyx {

// Records that a save writes at least: the fixed header rows reach row 50.
inline constexpr int kRawHeaderRows = 51;

// Settings 10..13 from rows 31..34; a flag that is not a number becomes "1" first.
template <class Rec> void readRawGaugeFlags(std::array<Rec, kRawRows>& rows, TestData& d)
{
    for (int i = 0; i < 4; ++i) {
        auto& flag = rows[31 + i].s20a;
        if (!isNumeric(flag.trimmed()))
            flag.set("1");
        if (const auto v = toLong(leadingNumber(flag.trimmed())))
            d.csz[gaugeEntry(i)] = std::to_string(*v);
    }
}

template <class Rec> void readRawHeaderEntries(const std::array<Rec, kRawRows>& rows, TestData& d)
{
    d.csz[setting::kLoadIncrement] = rows[6].s20b.trimmed();
    d.csz[setting::kMaximumLoad] = rows[7].s20b.trimmed();
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

// A save rewrites a field only when the open would not read the model's value from it,
// so a field keeps its bytes as the logger wrote them (a longer text, bytes that are no valid
// text, another spelling of the same number) until the value is changed.
template <std::size_t N, std::size_t M> void storeText(FixedText<N>& slot, const FixedText<M>& value)
{
    FixedText<M> read;
    read.set(slot.text());
    if (!(read == value))
        slot.set(value.text());
}

template <std::size_t N> void storeText(FixedText<N>& slot, const std::string& value)
{
    if (slot.trimmed() != value)
        slot.set(value);
}

template <std::size_t N> void storeNumber(FixedText<N>& slot, float value)
{
    const auto read = singleFromDouble(leadingNumber(slot.trimmed()));
    if (!read || std::bit_cast<std::uint32_t>(*read) != std::bit_cast<std::uint32_t>(value))
        slot.set(singleText(value));
}

// A gauge flag that is no whole number leaves its setting as it was at the open.
template <std::size_t N> void storeFlag(FixedText<N>& slot, const std::string& value)
{
    const std::string text = slot.trimmed();
    if (!isNumeric(text)) {
        slot.set(value);
        return;
    }
    const auto read = toLong(leadingNumber(text));
    if (read && std::to_string(*read) != value)
        slot.set(value);
}

template <class Rec> void writeRawHeader(std::array<Rec, kRawRows>& rows, const TestData& d)
{
    storeText(rows[7].s60, d.jlb[0].cstr);
    for (int i = 1; i <= 5; ++i)
        storeText(rows[i + 7].s20a, d.jlb[i].cstr);
    storeNumber(rows[20].s60, d.jlb[20].cs);
    storeNumber(rows[21].s60, d.jlb[21].cs);
    storeText(rows[22].s60, d.jlb[20].cstr);
    storeText(rows[23].s60, d.jlb[21].cstr);
    storeText(rows[6].s20b, d.csz[setting::kLoadIncrement]);
    storeText(rows[7].s20b, d.csz[setting::kMaximumLoad]);
    for (int i = 0; i < 4; ++i)
        storeFlag(rows[31 + i].s20a, d.csz[gaugeEntry(i)]);
    const auto axis = fixedAxisTexts(d);
    storeText(rows[38].s60, axis[0]);
    storeText(rows[39].s60, axis[1]);
}

} // namespace pyx
