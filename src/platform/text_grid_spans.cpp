// The merged ranges of the text grid.
#include <algorithm>
#include <numeric>

#include "platform/text_grid.h"

namespace pyx {

std::vector<CellSpan> TextGrid::spans() const
{
    std::vector<CellSpan> out;
    if (mergeMode_ == MergeMode::Never)
        return out;
    const int nRows = rows();
    // Rows below `lastRow` may merge; under FixedOnly that is the header only.
    const int lastRow = mergeMode_ == MergeMode::FixedOnly ? std::min(fixedRows_, nRows) : nRows;
    const bool restricted = mergeMode_ == MergeMode::RestrictAll;
    std::vector<std::vector<bool>> covered(static_cast<std::size_t>(nRows),
                                           std::vector<bool>(static_cast<std::size_t>(cols_)));

    // Vertical runs, column by column; runStart[r] is the first row of the run holding r.
    std::vector<int> leftRunStart; // of the nearest mergeable column to the left
    for (int c = 0; c < cols_; ++c) {
        if (!mergeCol(c))
            continue;
        std::vector<int> runStart(static_cast<std::size_t>(nRows));
        std::iota(runStart.begin(), runStart.end(), 0);
        for (int r = 0; r + 1 < lastRow; ++r) {
            const auto i = static_cast<std::size_t>(r);
            const std::string& t = cells_[i][static_cast<std::size_t>(c)];
            const bool sameText = !t.empty() && t == cells_[i + 1][static_cast<std::size_t>(c)];
            const bool sameBlock = r + 1 != fixedRows_;
            const bool leftAllows =
                !restricted || leftRunStart.empty() || leftRunStart[i] == leftRunStart[i + 1];
            if (sameText && sameBlock && leftAllows)
                runStart[i + 1] = runStart[i];
        }
        for (int r = 0; r < nRows;) {
            int end = r + 1;
            while (end < nRows && runStart[static_cast<std::size_t>(end)] == r)
                ++end;
            if (end - r > 1) {
                out.push_back({r, c, end - r, 1});
                for (int k = r; k < end; ++k)
                    covered[static_cast<std::size_t>(k)][static_cast<std::size_t>(c)] = true;
            }
            r = end;
        }
        leftRunStart = std::move(runStart);
    }

    // Horizontal runs over the cells that no vertical range holds.
    for (int r = 0; r < lastRow; ++r) {
        if (!mergeRow(r))
            continue;
        const auto& row = cells_[static_cast<std::size_t>(r)];
        const auto& cov = covered[static_cast<std::size_t>(r)];
        for (int c = 0; c < cols_;) {
            const auto ci = static_cast<std::size_t>(c);
            int end = c + 1;
            if (!cov[ci] && !row[ci].empty()) {
                while (end < cols_ && !cov[static_cast<std::size_t>(end)] &&
                       row[static_cast<std::size_t>(end)] == row[ci])
                    ++end;
                if (end - c > 1)
                    out.push_back({r, c, 1, end - c});
            }
            c = end;
        }
    }
    std::sort(out.begin(), out.end(), [](const CellSpan& a, const CellSpan& b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });
    return out;
}

} // namespace pyx
