#pragma once
// Pixels of a bitmap that drawing still to come will overwrite whatever they hold, one run of
// columns per row: while a canvas is given them (Canvas::SetCovered), a transfer onto it may
// leave those pixels as they are, since nothing will see what it would have written there.
// Composing layers from the bottom up, each layer need not be drawn where a layer above it is
// opaque. The promise is the caller's: it must hold until the covering drawing is done, and
// no transfer may read the canvas' bitmap meanwhile.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx/ColumnRange.h"

namespace gfx {

class CoveredRows {
  public:
    // Rows 0 .. height - 1, none of them covered.
    void Reset(int32_t height);
    int32_t Height() const { return static_cast<int32_t>(rows_.size()); }

    // The covered run of row y; none for rows outside.
    ColumnRange Row(int32_t y) const { return RowOf(rows_.data(), Height(), y); }
    // The runs of all rows, row 0's first.
    const ColumnRange* Rows() const { return rows_.data(); }
    // Row y of the runs of `height` rows from `rows` on, as Row gives it: for walks that hold
    // the runs as values of their own.
    static ColumnRange RowOf(const ColumnRange* rows, int32_t height, int32_t y) {
        return y >= 0 && y < height ? rows[y] : ColumnRange{};
    }
    // Adds a run to row y (rows outside are left out). One run per row is kept: the union
    // where the two overlap or touch, else the wider, so the run only ever grows and never
    // holds a pixel that neither covered.
    void Cover(int32_t y, ColumnRange run) {
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

  private:
    std::vector<ColumnRange> rows_;
};

// The parts of `run` outside `covered`, left to right: none, one or two.
template <class Part>
void ForEachUncovered(ColumnRange run, ColumnRange covered, Part part) {
    if (covered.Empty() || covered.end <= run.begin || covered.begin >= run.end) {
        if (!run.Empty()) {
            part(run);
        }
        return;
    }
    if (run.begin < covered.begin) {
        part(ColumnRange{run.begin, covered.begin});
    }
    if (covered.end < run.end) {
        part(ColumnRange{covered.end, run.end});
    }
}

}  // namespace gfx
