#pragma once
// Small test files built row by row.

#include <string>
#include <vector>

#include "data/records.h"

namespace pyx::test {

inline JlbRec recordRow(const char* sj, float hz, int xh, std::array<float, 8> ds = {})
{
    JlbRec r;
    r.sj.set(sj);
    r.hz = hz;
    r.xh = static_cast<std::int16_t>(xh);
    r.ds = ds;
    return r;
}

// A record file: the rows, the end marker after them, header slots from `slots` (row -> text).
inline std::string recordFile(const std::vector<JlbRec>& rows,
                              const std::vector<std::pair<int, std::string>>& slots = {})
{
    std::vector<JlbRec> all(kRecordFileRows);
    for (std::size_t i = 0; i < rows.size() && i < all.size(); ++i)
        all[i] = rows[i];
    if (rows.size() < all.size())
        all[rows.size()].hz = kEndLoad;
    for (const auto& [row, text] : slots)
        all[row].cstr.set(text);
    std::string out;
    for (const JlbRec& r : all)
        out += encodeJlbRec(r);
    return out;
}

} // namespace pyx::test
