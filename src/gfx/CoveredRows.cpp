#include "gfx/CoveredRows.h"

#include <algorithm>

namespace gfx {

void CoveredRows::Reset(int32_t height) {
    rows_.assign(static_cast<size_t>(std::max(height, 0)), ColumnRange{});
}

}  // namespace gfx
