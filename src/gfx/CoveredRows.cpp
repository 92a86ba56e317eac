#include "gfx/CoveredRows.h"

#include <algorithm>

namespace gfx {

void CoveredRows::Reset(int32_t height) {
    rows_.assign(static_cast<size_t>(std::max(height, 0)), ColumnRange{});
}

void CoveredRows::Cover(int32_t y, ColumnRange run) {
    if (y < 0 || y >= Height() || run.Empty()) {
        return;
    }
    ColumnRange& covered = rows_[static_cast<size_t>(y)];
    if (covered.Empty()) {
        covered = run;
    } else if (run.begin <= covered.end && covered.begin <= run.end) {
        covered = {std::min(covered.begin, run.begin), std::max(covered.end, run.end)};
    } else if (run.Width() > covered.Width()) {
        covered = run;
    }
}

}  // namespace gfx
