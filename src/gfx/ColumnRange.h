#pragma once

#include <algorithm>
#include <cstdint>

namespace gfx {

// Columns begin .. end - 1 of a row; none when begin == end.
struct ColumnRange {
    int32_t begin = 0;
    int32_t end = 0;
    bool Empty() const { return end <= begin; }
    int32_t Width() const { return std::max(end - begin, 0); }
};

}  // namespace gfx
