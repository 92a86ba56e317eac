#pragma once
// What a stretched masked plot works out for its columns before it plots a row: the source
// span they read, the groups of the shuffled kernels and the run limits of the rows' spans.
// They depend on the columns' places and the mask's row length only, not on where the plot
// lies, and a sprite drawn at one scale plots the same columns tick after tick, while working
// them out took a small frame's plot about a sixth of its time: the last few are kept.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/ColumnLimits.h"
#include "gfx/ColumnRange.h"
#include "gfx/RasterPlan.h"
#include "gfx/RasterRowKernels.h"

namespace gfx::raster {

// The source columns a stretched row reads: the span from the lowest to the highest, and for
// each destination column its place in that span.
struct ColumnSpan {
    int32_t first = 0;
    int32_t count = 0;
    std::vector<int32_t> places;  // stretched: place of each destination column
};

ColumnSpan SpanOf(const AxisMap& columns);

class StretchedColumns {
  public:
    // For scaled columns reading mask rows of maskBytes bytes.
    StretchedColumns(const AxisMap& columns, int32_t maskBytes);

    // Worked out for the same places and mask rows.
    bool Describe(const AxisMap& columns, int32_t maskBytes) const {
        return maskBytes == maskBytes_ && columns.table == table_;
    }

    const ColumnSpan& Span() const { return span_; }
    // The widest shuffled kernel this processor has that the places allow, with its groups:
    // sixteen-pixel groups, else eight-pixel ones; both kernels null where the rows must be
    // gathered.
    WideShuffledMaskedRowsKernel WideKernel() const { return wideKernel_; }
    const std::vector<WideShuffleGroup>& WideGroups() const { return wideGroups_; }
    ShuffledMaskedRowsKernel Kernel() const { return kernel_; }
    const std::vector<ShuffleGroup>& Groups() const { return groups_; }

    // The destination columns whose source columns lie in a range of them (see ColumnLimits).
    ColumnLimits Limits() const { return {before_.data(), span_.first, span_.count, ascending_}; }

  private:
    void PrepareGroups();
    void PrepareRunLimits();

    std::vector<int32_t> table_;
    int32_t maskBytes_;
    ColumnSpan span_;
    WideShuffledMaskedRowsKernel wideKernel_ = nullptr;
    std::vector<WideShuffleGroup> wideGroups_;
    ShuffledMaskedRowsKernel kernel_ = nullptr;
    std::vector<ShuffleGroup> groups_;
    // See PrepareRunLimits.
    bool ascending_ = true;
    std::vector<int32_t> before_;
};

// The columns' plan, kept from an earlier plot on this thread or worked out now.
std::shared_ptr<const StretchedColumns> StretchedColumnsFor(const AxisMap& columns,
                                                            int32_t maskBytes);

}  // namespace gfx::raster
