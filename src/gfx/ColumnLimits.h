#pragma once
// The run limits of a stretched row: which destination columns read a range of source columns.

#include <algorithm>
#include <cstdint>

#include "gfx/ColumnRange.h"

namespace gfx::raster {

// Which destination columns read a range of source columns, from counts worked out once for
// the places: a value, so that a walk holds it in registers.
struct ColumnLimits {
    const int32_t* before;  // see StretchedColumns::PrepareRunLimits
    int32_t first;
    int32_t count;
    bool ascending;

    // The places ascend (or, mirrored, descend) with the destination, so the columns reading
    // `sourceColumns` are one run.
    ColumnRange Reading(ColumnRange sourceColumns) const {
        const int32_t low = before[std::clamp(sourceColumns.begin - first, 0, count)];
        const int32_t high = before[std::clamp(sourceColumns.end - first, 0, count)];
        return ascending ? ColumnRange{low, high} : ColumnRange{high, low};
    }
};

}  // namespace gfx::raster
