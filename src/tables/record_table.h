#pragma once
// The record table in the main grid: header, rows, and the load text rule.

#include <string>

#include "data/model.h"
#include "platform/text_grid.h"

namespace pyx {

inline constexpr int kRecordCols = 12;

// Column width in twips for the listed screen widths, else the grid's default.
int tableColumnWidth(int screenpx, int at1024, int at1280, int at1366, int above1439);

// Load text: whole number unless the test has fractional loads, then decimals by the largest load.
std::string loadText(float hz, bool hzdecimal, std::int32_t maxload);

// Clears the grid and lays out the two-row header with 30 numbered empty rows.
void headJlb(TextGrid& grid, int screenpx);
// Merge setting and the data rows of the open test (the grid already has its header).
void fillRecordTable(TextGrid& grid, const TestData& d);
// Puts `rows` below the grid's header rows; the grid ends with the last of them.
void showDataRows(TextGrid& grid, int headerRows, const std::vector<std::vector<std::string>>& rows);

} // namespace pyx
