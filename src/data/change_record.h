#pragma once
// The record of changes of a logger file: the record table is compared with the table that
// the logger's own readings convert to. A save rewrites the record table into the file's
// raw rows but keeps in every reading what the logger recorded (its second time, its
// readings u and its status), so the comparison holds after any number of saves.

#include <string>
#include <vector>

#include "data/model.h"

namespace pyx {

// Takes what the logger recorded from the open test (right after the open, before any
// window works on the raw rows): nothing held unless a 311-byte file is open.
LoggerReadings loggerReadings(const TestData& d);

// One difference between the record table and the logger's readings.
struct TableEdit
{
    enum class Kind
    {
        Changed,  // a cell of a row the logger recorded
        Inserted, // a row the logger did not record
        Deleted   // a row the logger recorded that the table no longer has
    };
    Kind kind = Kind::Changed;
    int row = 0;       // 1-based row of the record table; for Deleted the row it came before
    int loggerRow = 0; // 1-based row of the logger's table; 0 for Inserted
    int col = 0;       // grid column (1 load, 4..11 readings) of a changed cell; 0 for a row
    float load = 0;    // the row's load and cycle (the logger's for a deleted row)
    int cycle = 0;
    float loggerValue = 0; // Changed only
    float tableValue = 0;
    bool operator==(const TableEdit&) const = default;
};

// The differences, in the order of the table's rows. Loads and the eight readings are
// compared; times and cycle numbers follow from them and are not.
std::vector<TableEdit> tableEdits(const TestData& d);

// The name of a compared grid column: "荷载", "加载上表1", ...
std::string editColumnName(int col);

} // namespace pyx
