#pragma once
// How the save marks the 311-byte files it writes. The record table goes back as plain
// loading/unloading pairs, flagged by "1" in row 0 s20a as the logger flags such files. Row 0
// s20c adds that the pairs are the record table itself, so the open takes them as they are:
// loads as stored (a logger's pair loads are rounded), a time "--:--" as a time (a logger's
// "--:--" row is a load-level record), and the source of the load increment that the logger's
// records gave, which the pairs no longer show.

#include <optional>

#include "data/model.h"

namespace pyx {

// What the open took the load increment from: the loads of the first two load-level records
// (haslevel), or of the first two rows of cycle 1.
struct IncrementSource
{
    bool haslevel = false;
    float first = 0;
    float second = 0;
    bool operator==(const IncrementSource&) const = default;
};

// Flags row 0 as the first row of a saved record table.
void markSavedTable(YsRec& row0, const IncrementSource& source);
// The increment source of a saved record table, or nothing for a logger's file.
std::optional<IncrementSource> savedTableMark(const YsRec& row0);

} // namespace pyx
