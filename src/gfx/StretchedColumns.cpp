#include "gfx/StretchedColumns.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "gfx/ShuffleGroups.h"

namespace gfx::raster {

ColumnSpan SpanOf(const AxisMap& columns) {
    ColumnSpan span;
    span.first = columns.SourceMin();
    span.count = columns.SourceMax() - span.first + 1;
    span.places.resize(columns.table.size());
    std::transform(columns.table.begin(), columns.table.end(), span.places.begin(),
                   [&](int32_t x) { return x - span.first; });
    return span;
}

StretchedColumns::StretchedColumns(const AxisMap& columns, int32_t maskBytes)
    : table_(columns.table), maskBytes_(maskBytes), span_(SpanOf(columns)) {
    PrepareGroups();
    PrepareRunLimits();
}

void StretchedColumns::PrepareGroups() {
    const StretchedSpan stretched{span_.first, span_.count, span_.places, maskBytes_};
    wideKernel_ = WideShuffledMaskedRowsKernelFor();
    if (wideKernel_ != nullptr) {
        wideGroups_ = WideShuffleGroupsOf(stretched);
        wideKernel_ = wideGroups_.empty() ? nullptr : wideKernel_;
    }
    if (wideKernel_ == nullptr) {
        kernel_ = ShuffledMaskedRowsKernelFor();
        if (kernel_ != nullptr) {
            groups_ = ShuffleGroupsOf(stretched);
            kernel_ = groups_.empty() ? nullptr : kernel_;
        }
    }
}

// before_[p] for each place p, 0 .. span count: the count of destination columns with a place
// below p where the places ascend, or with a place of p or more where they descend. Either way
// the run of a span's places lies between two of these counts. Counted from how often each
// place occurs, with no branch on the places (which a merge of the two sequences mispredicts at
// nearly every step when scaling down).
void StretchedColumns::PrepareRunLimits() {
    const std::vector<int32_t>& places = span_.places;
    ascending_ = places.front() <= places.back();
    before_.assign(static_cast<size_t>(span_.count) + 1, 0);
    for (const int32_t place : places) {
        ++before_[static_cast<size_t>(place) + 1];
    }
    std::partial_sum(before_.begin(), before_.end(), before_.begin());
    if (!ascending_) {
        const auto all = static_cast<int32_t>(places.size());
        for (int32_t& below : before_) {
            below = all - below;
        }
    }
}

// The most recently used first. A few, for sprites drawn at a few depths at once; shared, so
// a plot holds its columns' plan even if a plot inside it pushed it out.
std::shared_ptr<const StretchedColumns> StretchedColumnsFor(const AxisMap& columns,
                                                            int32_t maskBytes) {
    constexpr size_t kKept = 4;
    thread_local std::array<std::shared_ptr<const StretchedColumns>, kKept> kept;
    auto found = std::find_if(kept.begin(), kept.end(), [&](const auto& plan) {
        return plan != nullptr && plan->Describe(columns, maskBytes);
    });
    if (found == kept.end()) {
        found = kept.end() - 1;
        *found = std::make_shared<const StretchedColumns>(columns, maskBytes);
    }
    std::rotate(kept.begin(), found, found + 1);
    return kept.front();
}

}  // namespace gfx::raster
